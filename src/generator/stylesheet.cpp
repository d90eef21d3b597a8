// style.css: one rule per used slot of the project's style table.
#include "generator/generators.h"

namespace tess {

namespace {

QString styleSheet(const GenerationRun &run)
{
    QString css;
    for (int i = 1; i <= 30; ++i) {
        const QString &name = run.styles.StyleNames[size_t(i)];
        if (name.isEmpty())
            continue;
        css += u'.' + name + QStringLiteral(" {\r\n") + run.styles.StyleDefinitions[size_t(i)]
            + QStringLiteral("\r\n}\r\n\r\n");
    }
    return css;
}

} // namespace

void GenerateStyleSheet(GenerationRun &run)
{
    run.generateFile(QStringLiteral("style.css"), [&] { return styleSheet(run); });
}

} // namespace tess
