// style.css: one rule per used slot of the project's style table.
#include "generator/generators.h"

namespace tess {

void GenerateStyleSheet(GenerationRun &run)
{
    run.logGenerating(QStringLiteral("style.css"));
    QString css;
    for (int i = 1; i <= 30; ++i) {
        const QString &name = run.styles.StyleNames[size_t(i)];
        if (name.isEmpty())
            continue;
        css += u'.' + name + QStringLiteral(" {\r\n") + run.styles.StyleDefinitions[size_t(i)]
            + QStringLiteral("\r\n}\r\n\r\n");
    }
    run.WriteOutputFile(run.path(QStringLiteral("style.css")), QStringLiteral("style.css"), css, true);
}

} // namespace tess
