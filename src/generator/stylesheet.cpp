// style.css, one rule per used slot of the project's style table; its text
// is templates/style.css.in.
#include "generator/generators.h"
#include "generator/lines.h"
#include "generator/template.h"
#include "tpl/style_css.h"

namespace tess {

namespace {

QString styleSheet(const GenerationRun &run)
{
    Lines css;
    for (int i = 1; i <= 30; ++i) {
        const QString &name = run.styles.StyleNames[size_t(i)];
        if (name.isEmpty())
            continue;
        fill(css, tpl::style_css::rule, {{u"name", name}, {u"definition", run.styles.StyleDefinitions[size_t(i)]}});
    }
    return css.take();
}

} // namespace

void GenerateStyleSheet(GenerationRun &run)
{
    run.logGenerating(QStringLiteral("style.css"));
    const QString css = styleSheet(run);
    run.WriteOutputFile(run.path(QStringLiteral("style.css")), QStringLiteral("style.css"), css, true);
}

} // namespace tess
