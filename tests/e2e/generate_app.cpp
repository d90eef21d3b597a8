// Generates the PHP application of a project file into a folder, the way
// the Generate command does after a successful validation: every file is
// overwritten without asking and the log goes to standard output.
//
//   e2e_generate_app <project.tzx> <output folder>
//
// The end-to-end suite serves the result with PHP against MariaDB.
#include "generator/generators.h"
#include "generator/run.h"
#include "model/datesettings.h"
#include "model/project.h"
#include "model/styles.h"
#include "model/xmlreader.h"
#include "platform/runtimeerror.h"
#include "platform/ui.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace {

// Message boxes of the reader and the generators end up on stderr; every
// question gets its default button.
class ConsoleUi final : public tess::UiServices {
public:
    int messageBox(const QString &text, int style, const QString &title) override
    {
        std::fprintf(stderr, "[%s] %s\n", qPrintable(title.isEmpty() ? tess::programTitle() : title),
                     qPrintable(QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n"))));
        ++shown;
        return tess::defaultAnswer(style);
    }
    QString inputBox(const QString &, const QString &, const QString &defaultText) override { return defaultText; }
    QString openFileName(const tess::FileDialogRequest &) override { return {}; }
    QString saveFileName(const tess::FileDialogRequest &) override { return {}; }
    bool openExternal(const QString &) override { return false; }
    void processEvents() override {}
    int shown = 0;
};

class StdoutHost final : public tess::GenerationHost {
public:
    void appendLog(const QString &piece) override
    {
        std::fputs(QString(piece).replace(QLatin1String("\r\n"), QLatin1String("\n")).toLocal8Bit().constData(),
                   stdout);
        std::fflush(stdout);
    }
    QString askOverwrite(const tess::OverwriteQuestion &, qint16 &overwriteMode) override
    {
        overwriteMode = tess::Overwrite::All;
        return QStringLiteral("1");
    }
    void showError(const QString &message) override
    {
        std::fprintf(stderr, "error: %s\n", qPrintable(message));
        ++errors;
    }
    int errors = 0;
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication qapp(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: %s <project.tzx> <output folder>\n", argv[0]);
        return 2;
    }
    ConsoleUi console;
    tess::setUi(&console);

    tess::MyDB db;
    tess::ResetProject(db);
    try {
        if (!tess::ReadXmlProject(args.at(1), db)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(args.at(1)));
            return 1;
        }
    } catch (const tess::RuntimeError &e) {
        std::fprintf(stderr, "cannot read %s: %s\n", qPrintable(args.at(1)), qPrintable(e.message()));
        return 1;
    }

    const QString folder = QDir::cleanPath(QFileInfo(args.at(2)).absoluteFilePath());
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "cannot make %s\n", qPrintable(folder));
        return 1;
    }

    tess::StyleTable styles;
    tess::LoadDefaultStyles(styles);
    StdoutHost host;
    tess::GenerationRun run(db, styles, host);
    run.folder = folder;
    run.programFolder = QStringLiteral(TESSARON_BIN_DIR);
    run.overwriteMode = tess::Overwrite::All;
    run.setClock(QDateTime::currentDateTime());
    const tess::DateSettings dates = tess::deriveDateSettings(db);
    run.mySQLDateFormat = dates.mysqlFormat;
    run.datePartSeparator = dates.separator;
    for (const auto &t : db.Tables)
        for (const auto &f : t->Fields)
            if (f->pAllowImageUpload)
                run.anyImageUpload = true;

    tess::GenerateAll(db, run);
    std::fputs("\n", stdout);
    return host.errors == 0 && console.shown == 0 ? 0 : 1;
}
