// The fixed files of every generated application: the images, language.php
// and the compatibility file from the program's files/ folder, the second
// blank.gif in the upload folder, and the header and footer includes (their
// texts are templates/header.php.in and footer.php.in).
#include "generator/generators.h"
#include "generator/template.h"
#include "model/constants.h"
#include "platform/paths.h"
#include "platform/runtimeerror.h"
#include "tpl/footer_php.h"
#include "tpl/header_php.h"

#include <functional>

namespace tess {

namespace {

QString filesFolder(const GenerationRun &run) { return joinPath(run.programFolder, QStringLiteral("files")); }

// Reports an error of one step and lets the caller go on with the next one.
void reportCopyError(GenerationRun &run, const std::exception &error)
{
    const auto *e = dynamic_cast<const RuntimeError *>(&error);
    if (e && e->number() == Err::FileExists) {
        run.reportError(QStringLiteral("Image files already exist and will be skipped."));
        return;
    }
    const RuntimeError plain = e ? *e : RuntimeError(51, QString::fromLocal8Bit(error.what()));
    run.reportError(QStringLiteral("Error ") + QString::number(plain.number()) + QStringLiteral(": \r\n")
                       + plain.description()
                       + QStringLiteral("\r\nThis error took place while copying image files from the folder '")
                       + filesFolder(run) + QStringLiteral("'"));
}

void guarded(GenerationRun &run, const std::function<void()> &step)
{
    try {
        step();
    } catch (const std::exception &e) {
        reportCopyError(run, e);
    }
}

} // namespace

void CopySupportFiles(GenerationRun &run)
{
    const QString source = filesFolder(run);
    for (const QString &name : SupportFiles) {
        if (name.isEmpty())
            break;
        guarded(run, [&] {
            run.host.appendLog(QStringLiteral("\r\nCopying ") + name + QStringLiteral("... "));
            run.CopyOutputFile(joinPath(source, name), run.path(name), true);
        });
    }
    guarded(run, [&] {
        run.CopyOutputFile(joinPath(source, QStringLiteral("blank.gif")), run.path(joinPath(UploadFolder, QStringLiteral("blank.gif"))),
                           true);
    });
    guarded(run, [&] { run.host.appendLog(QStringLiteral("\r\nCreating header.php and footer.php in output folder ...")); });
    guarded(run, [&] {
        run.WriteOutputFile(run.path(QStringLiteral("header.php")), QStringLiteral("header.php"),
                            filled(tpl::header_php::text), false);
    });
    guarded(run, [&] {
        run.WriteOutputFile(run.path(QStringLiteral("footer.php")), QStringLiteral("footer.php"),
                            filled(tpl::footer_php::text), true);
    });
    run.host.focusLog();
}

} // namespace tess
