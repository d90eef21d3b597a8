// setup.php, the installer of the generated application; its text is
// templates/setup.php.in. Also makes the upload folder images/.
// Each chain of + builds its text in one allocation.
#define QT_USE_QSTRINGBUILDER
#include "generator/escape.h"
#include "generator/generators.h"
#include "generator/header.h"
#include "generator/lines.h"
#include "generator/template.h"
#include "model/columndefinition.h"
#include "model/constants.h"
#include "model/maker.h"
#include "platform/paths.h"
#include "platform/runtimeerror.h"
#include "tpl/setup_php.h"

#include <QFile>
#include <QStringList>

#include <cerrno>
#include <sys/stat.h>

namespace tess {

namespace {

// The setupTable() line of one table: its create statement and its pending
// statements. The model is only read here: the pending changes are cleared
// once setup.php is on disk, so that a failed write loses none of them.
// `create` and `alter` are room for the statements, kept from table to table.
void tableCall(const GenerationRun &run, const MyTable &table, QString &lastPrimaryKey, bool &schemaChanges,
               Lines &create, Lines &alter, Lines &l)
{
    create.clear();
    create.raw(u"create table if not exists `", table.Name, u"` ( ");
    bool hasPrimaryKey = false;
    for (const auto &field : table.Fields) {
        run.host.processEvents();
        create.raw(u'`', field->Name, u"` ", ColumnDefinition(*field, false), u", ");
        if (field->pUnique && !field->pPrimaryKey) {
            create.raw(u"unique(`", field->Name, u"`), ");
        } else if (field->pPrimaryKey) {
            create.raw(u"primary key (`", field->Name, u"`), ");
            lastPrimaryKey = field->Name;
            hasPrimaryKey = true;
        }
    }
    create.chop(2);
    create.raw(u')');

    alter.clear();
    QString statements = table.AlterSQL;
    if (!statements.isEmpty()) {
        schemaChanges = true;
        // A table without a key of its own gets no ADD PRIMARY KEY: the last
        // key name met would belong to another table.
        if (table.pkChanged && hasPrimaryKey)
            statements += QStringLiteral("ALTER TABLE `") + table.Name + QStringLiteral("` ADD PRIMARY KEY (`")
                + lastPrimaryKey + QStringLiteral("`);;");
        statements.chop(2);
    }
    // A list of only the end mark leaves no statement and no array.
    if (!statements.isEmpty()) {
        alter.raw(u", array(");
        bool first = true;
        for (const QString &statement : statements.split(QStringLiteral(";;"))) {
            alter.raw(first ? QStringView() : QStringView(u","), u'"', sqlInPhpDq(statement), u'"');
            first = false;
        }
        alter.raw(u')');
    }

    fill(l, tpl::setup_php::setupTable,
         {{u"table", phpDq(table.Name)}, {u"create", sqlInPhpDq(create.text())}, {u"alter", alter.view()}});
}

// The whole text of setup.php; `schemaChanges` tells whether any table
// carries pending statements.
QString setupScript(const GenerationRun &run, bool &schemaChanges)
{
    QString lastPrimaryKey;
    Lines create;
    Lines alter;
    Lines tables;
    for (const auto &table : run.db.Tables)
        tableCall(run, *table, lastPrimaryKey, schemaChanges, create, alter, tables);
    return filled(tpl::setup_php::script, {{u"phpHeader", phpHeader(run)},
                                           {u"webAddress", webAddress()},
                                           {u"version", programVersion()},
                                           {u"tables", tables.view()}});
}

void makeImagesFolder(const GenerationRun &run)
{
    const QByteArray path = QFile::encodeName(joinPath(run.folder, UploadFolder));
    if (::mkdir(path.constData(), 0777) == 0 || errno == EEXIST)
        return;
    if (errno == ENOENT || errno == ENOTDIR)
        raise(Err::PathNotFound);
    raise(Err::PathFileAccess);
}

} // namespace

void GenerateSetupScript(GenerationRun &run)
{
    const qint16 savedMode = run.overwriteMode;
    bool schemaChanges = false;
    try {
        const WriteOutcome outcome = run.generateFile(QStringLiteral("setup.php"), [&] {
            const QString text = setupScript(run, schemaChanges);
            makeImagesFolder(run);
            // Pending changes replace an existing setup.php without asking.
            if (schemaChanges)
                run.overwriteMode = Overwrite::All;
            return text;
        });
        if (schemaChanges)
            run.overwriteMode = savedMode;

        // The pending changes now live in setup.php; a skipped or failed
        // write keeps them for the next run.
        if (outcome == WriteOutcome::Done)
            run.pendingChangesWritten = true;
    } catch (const std::exception &e) {
        if (schemaChanges)
            run.overwriteMode = savedMode;
        run.reportError(errorMessage(e));
    }
}

} // namespace tess
