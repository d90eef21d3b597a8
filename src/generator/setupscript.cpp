// setup.php: the installer of the generated application. It asks for the
// MySQL connection, writes config.php, creates the missing tables, applies
// the schema changes made since the last generation and then locks itself
// with its own MD5 digest. Also makes the upload folder images/.
// Each chain of + builds its text in one allocation.
#define QT_USE_QSTRINGBUILDER
#include "generator/escape.h"
#include "generator/generators.h"
#include "generator/header.h"
#include "generator/lines.h"
#include "model/columndefinition.h"
#include "model/constants.h"
#include "model/maker.h"
#include "platform/paths.h"
#include "platform/runtimeerror.h"

#include <QFile>
#include <QStringList>

#include <cerrno>
#include <sys/stat.h>

namespace tess {

namespace {

// The setupTable() line of one table: its create statement and its pending
// statements. The model is only read here: the pending changes are cleared
// once setup.php is on disk, so that a failed write loses none of them.
// `create` is room for the statement, kept from table to table.
void tableCall(GenerationRun &run, const MyTable &table, QString &lastPrimaryKey, bool &schemaChanges, Lines &create,
               Lines &l)
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

    QString alter = table.AlterSQL;
    if (!alter.isEmpty()) {
        schemaChanges = true;
        // A table without a key of its own gets no ADD PRIMARY KEY: the last
        // key name met would belong to another table.
        if (table.pkChanged && hasPrimaryKey)
            alter += QStringLiteral("ALTER TABLE `") + table.Name + QStringLiteral("` ADD PRIMARY KEY (`")
                + lastPrimaryKey + QStringLiteral("`);;");
        alter.chop(2);
    }

    l.build(1, [&](Lines &call) {
        call.raw(u"setupTable(\"", phpDq(table.Name), u"\", \"", sqlInPhpDq(create.text()), u'"');
        if (!alter.isEmpty()) {
            call.raw(u", array(");
            bool first = true;
            for (const QString &statement : alter.split(QStringLiteral(";;"))) {
                call.raw(first ? QStringView() : QStringView(u","), u'"', sqlInPhpDq(statement), u'"');
                first = false;
            }
            call.raw(u')');
        }
        call.raw(u");");
    });
}

void addForm(Lines &l)
{
    l(2, QStringLiteral("?>"));
    l(2, QStringLiteral("<form method=\"post\" action=\"setup.php\">"));
    l(3, QStringLiteral("<?php echo $divFormat; ?>"));
    l(3, QStringLiteral("<?php echo $Translation[\"provide connection data\"]; ?>"));
    l(3, QStringLiteral("<br><br><center>"));
    l(3, QStringLiteral("<table bgcolor=\"#BFD5FF\" style=\"border: solid silver 1px;\" width=\"400\">"));
    struct Row {
        const char *key;
        const char *type;
        const char *name;
        const char *size;
    };
    const Row rows[] = {
        {"mysql server", "text", "dbServer", "20"},
        {"mysql username", "text", "dbUsername", "10"},
        {"mysql password", "password", "dbPassword", "10"},
        {"mysql db", "text", "dbDatabase", "15"},
    };
    for (const Row &r : rows) {
        l(4, QStringLiteral("<tr>"));
        l(5, QStringLiteral("<td align=\"right\"><?php echo $divFormat.$Translation[\"") + QLatin1String(r.key)
                 + QStringLiteral("\"].\"</div>\"; ?></td>"));
        l(5, QStringLiteral("<td><input type=\"") + QLatin1String(r.type) + QStringLiteral("\" name=\"")
                 + QLatin1String(r.name) + QStringLiteral("\" size=\"") + QLatin1String(r.size)
                 + QStringLiteral("\"></td>"));
        l(4, QStringLiteral("</tr>"));
    }
    l(4, QStringLiteral("<tr>"));
    l(5, QStringLiteral("<td align=\"right\"></td>"));
    l(5, QStringLiteral("<td><input type=\"submit\" value=\"<?php echo $Translation[\"connect\"]; ?>\"></td>"));
    l(4, QStringLiteral("</tr>"));
    l(3, QStringLiteral("</table>"));
    l(3, QStringLiteral("</center><br>"));
    l(3, QStringLiteral("<div style=\"font-size: 10px;\"><a href=\"") + webAddress()
             + QStringLiteral("\" target=_blank>Database Software</a> - Powered by Tessaron ") + programVersion()
             + QStringLiteral("</div>"));
    l(3, QStringLiteral("</div>"));
    l(2, QStringLiteral("</form>"));
    l(2, QStringLiteral("<?php"));
}

void addSetupTableFunction(Lines &l)
{
    l(1, QStringLiteral("function setupTable($tableName, $createSQL='', $arrAlter=''){"));
    l(2, QStringLiteral("global $Translation, $setupOK;"));
    l.tabs(2);
    l(2, QStringLiteral("echo \"<div style=\\\"padding: 5px; border-bottom:solid 1px silver; font-family: verdana, "
                        "arial; font-size: 10px;\\\">\";"));
    l.tabs(2);
    l(2, QStringLiteral("if($res=@mysql_query(\"select count(1) from `$tableName`\")){"));
    l(3, QStringLiteral("if($row=@mysql_fetch_array($res)){"));
    l(4, QStringLiteral("echo str_replace(\"<TableName>\", $tableName, str_replace(\"<NumRecords>\", $row[0], "
                        "$Translation[\"table exists\"]));"));
    l(4, QStringLiteral("if(is_array($arrAlter)){"));
    l(5, QStringLiteral("echo \"<br>\";"));
    l(5, QStringLiteral("foreach($arrAlter as $alter){"));
    l(6, QStringLiteral("if($alter!=''){"));
    l(7, QStringLiteral("echo \"$alter ... \";"));
    l(7, QStringLiteral("if(!@mysql_query($alter)){"));
    l(8, QStringLiteral("echo \"<font color=red>\".$Translation[\"failed\"].\"</font><br>\";"));
    l(8, QStringLiteral("echo \"<font color=red>\".$Translation[\"mysql said\"].\" \".mysql_error().\"</font><br>\";"));
    l(8, QStringLiteral("$setupOK=false;"));
    l(7, QStringLiteral("}else{"));
    l(8, QStringLiteral("echo \"<font color=green>\".$Translation[\"ok\"].\"</font><br>\";"));
    l(7, QStringLiteral("}"));
    l(6, QStringLiteral("}"));
    l(5, QStringLiteral("}"));
    l(4, QStringLiteral("}else{"));
    l(5, QStringLiteral("echo $Translation[\"table uptodate\"];"));
    l(4, QStringLiteral("}"));
    l(3, QStringLiteral("}else{"));
    l(4, QStringLiteral("echo str_replace(\"<TableName>\", $tableName, $Translation[\"couldnt count\"]);"));
    l(3, QStringLiteral("}"));
    l(2, QStringLiteral("}else{"));
    l(3, QStringLiteral("echo str_replace(\"<TableName>\", $tableName, $Translation[\"creating table\"]);"));
    l(3, QStringLiteral("if(!@mysql_query($createSQL)){"));
    l(4, QStringLiteral("echo \"<font color=red>\".$Translation[\"failed\"].\"</font><br>\";"));
    l(4, QStringLiteral("echo \"<font color=red>\".$Translation[\"mysql said\"].mysql_error().\"</font>\";"));
    l(4, QStringLiteral("$setupOK=false;"));
    l(3, QStringLiteral("}else{"));
    l(4, QStringLiteral("echo \"<font color=green>\".$Translation[\"ok\"].\"</font>\";"));
    l(3, QStringLiteral("}"));
    l(2, QStringLiteral("}"));
    l.tabs(2);
    l(2, QStringLiteral("echo \"</div>\";"));
    l(1, QStringLiteral("}"));
}

// The posted connection values go into config.php as PHP double-quoted
// literals; addcslashes keeps a \, " or $ in them from ending or altering
// the literal.
QString configLine(const QString &variable)
{
    return QStringLiteral("fwrite($fp, \"\\t\\$") + variable + QStringLiteral("=\\\"\".addcslashes($") + variable
        + QStringLiteral(", '\\\\\"$').\"\\\";\\n\");");
}

// The message of a translation key in red, the link home, and the end of
// the script.
void refusal(Lines &l, int indent, const char *key)
{
    l(indent, QStringLiteral("echo \"$divFormat<div style=\\\"color: red;\\\">\".$Translation[\"") + QLatin1String(key)
                  + QStringLiteral("\"].\"</div></div><br>\";"));
    l(indent, QStringLiteral("echo $backHome;"));
    l(indent, QStringLiteral("exit;"));
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
    const auto build = [&] {
        Lines l;
        l.raw(phpHeader(run));
        l.blank();
        l.blank();
        l(1, QStringLiteral("include(dirname(__FILE__).\"/language.php\");"));
        l.tabs(1);
        l(1, QStringLiteral("$divFormat=\"<div style=\\\"text-align: center; font-weight: bold; font-family: "
                            "verdana,arial; font-size: 15px;\\\">\";"));
        l(1, QStringLiteral("$backHome=\"$divFormat<a href=\\\"./\\\">\".$Translation[\"goto start page\"]."
                            "\"</a></div>\";"));
        l.tabs(1);
        l(1, QStringLiteral("// check this file's MD5 to make sure it wasn't called before"));
        // setup.md5 is missing until the first completed run.
        l(1, QStringLiteral("$prevMD5=@implode('', (array)@file(\"./setup.md5\"));"));
        l(1, QStringLiteral("$thisMD5=md5(@implode('', @file(\"./setup.php\")));"));
        l(1, QStringLiteral("if($thisMD5==$prevMD5){"));
        l(2, QStringLiteral("echo \"$divFormat \".$Translation[\"setup performed\"].\" \".date(\"r\", "
                            "filemtime(\"./setup.md5\")).\".<br><br></div>\";"));
        l(2, QStringLiteral("echo \"$divFormat<div style=\\\"font-size: 10px;\\\">\".$Translation[\"delete md5\"]."
                            "\"</div></div><br><br>\";"));
        l(2, QStringLiteral("echo $backHome;"));
        l(2, QStringLiteral("exit;"));
        l(1, QStringLiteral("}"));
        l.tabs(1);
        l(1, QStringLiteral("// connect to the database"));
        l(1, QStringLiteral("// a value posted as an array (name[]=x) counts as empty"));
        l(1, QStringLiteral("foreach((array)$HTTP_POST_VARS as $name=>$value){ if(is_array($value)) $HTTP_POST_VARS[$name]=\"\"; }"));
        for (const char *name : {"dbServer", "dbUsername", "dbPassword", "dbDatabase"})
            l(1, QStringLiteral("$") + QLatin1String(name) + QStringLiteral("=$HTTP_POST_VARS['") + QLatin1String(name)
                     + QStringLiteral("'];"));
        l(1, QStringLiteral("$noDB=0;"));
        l(1, QStringLiteral("if(!@mysql_connect($dbServer, $dbUsername, $dbPassword)){"));
        l(2, QStringLiteral("$noDB=1;"));
        l(1, QStringLiteral("}else{"));
        // Once config.php exists, only one who knows its connection data may
        // run the set-up again (after a regeneration or a set-up that
        // stopped half-way); anyone else changes nothing.
        l(2, QStringLiteral("if(@is_file(\"./config.php\")){"));
        l(3, QStringLiteral("$posted=array($dbServer, $dbUsername, $dbPassword, $dbDatabase);"));
        l(3, QStringLiteral("include(\"./config.php\");"));
        l(3, QStringLiteral("if(array($dbServer, $dbUsername, $dbPassword, $dbDatabase)!==$posted){"));
        refusal(l, 4, "connection data differ");
        l(3, QStringLiteral("}"));
        l(2, QStringLiteral("}"));
        l(2, QStringLiteral("if(!@mysql_select_db($dbDatabase)){"));
        l(3, QStringLiteral("if(!@mysql_query(\"create database `\".str_replace(\"`\", \"``\", $dbDatabase).\"`\")){"));
        l(4, QStringLiteral("$noDB=2;"));
        l(3, QStringLiteral("}elseif(!@mysql_select_db($dbDatabase)){"));
        l(4, QStringLiteral("$noDB=2;"));
        l(3, QStringLiteral("}"));
        l(2, QStringLiteral("}"));
        l(1, QStringLiteral("}"));
        l.tabs(1);
        l(1, QStringLiteral("// if no connection established, ask for connection data"));
        l(1, QStringLiteral("if($noDB){"));
        l(2, QStringLiteral("if($dbServer!=''){"));
        l(3, QStringLiteral("echo \"$divFormat<div style=\\\"color: red;\\\">\".($noDB==1 ? $Translation[\"no db "
                            "connection\"] : str_replace(\"<DBName>\", htmlspecialchars($dbDatabase, ENT_QUOTES, "
                            "'windows-1252'), $Translation[\"no db name\"])).\"</div></div>\";"));
        l(2, QStringLiteral("}"));
        addForm(l);
        l(2, QStringLiteral("exit;"));
        l(1, QStringLiteral("}else{"));
        l(2, QStringLiteral("// if connection is successful, save parameters into config.php"));
        l(2, QStringLiteral("if(!$fp=@fopen(\"./config.php\", \"w\")){"));
        refusal(l, 3, "couldnt save config");
        l(2, QStringLiteral("}else{"));
        l(3, QStringLiteral("fwrite($fp, \"<?php\\n\");"));
        for (const char *name : {"dbServer", "dbUsername", "dbPassword", "dbDatabase"})
            l(3, configLine(QLatin1String(name)));
        l(3, QStringLiteral("fwrite($fp, \"?>\");"));
        l(3, QStringLiteral("fclose($fp);"));
        l(2, QStringLiteral("}"));
        l(1, QStringLiteral("}"));
        l.tabs(1);
        l(1, QStringLiteral("// set up tables"));
        l(1, QStringLiteral("$setupOK=true;"));
        QString lastPrimaryKey;
        Lines create;
        for (const auto &table : run.db.Tables)
            tableCall(run, *table, lastPrimaryKey, schemaChanges, create, l);
        l.tabs(1);
        // The digest locks setup.php; a failed statement leaves it unlocked so
        // that the set-up can be run again once the cause is fixed.
        l(1, QStringLiteral("// save MD5"));
        l(1, QStringLiteral("if($setupOK && $fp=@fopen(\"./setup.md5\", \"w\")){"));
        l(2, QStringLiteral("fwrite($fp, $thisMD5);"));
        l(2, QStringLiteral("fclose($fp);"));
        l(1, QStringLiteral("}"));
        l.tabs(1);
        l(1, QStringLiteral("// go to index"));
        l(1, QStringLiteral("echo $backHome;"));
        l.tabs(1);
        l(1, QStringLiteral("// ------------------------------------------"));
        l.tabs(1);
        addSetupTableFunction(l);
        l.raw(QStringLiteral("?>"));

        makeImagesFolder(run);

        if (schemaChanges)
            run.overwriteMode = Overwrite::All;
        return l.take();
    };
    try {
        const WriteOutcome outcome = run.generateFile(QStringLiteral("setup.php"), build);
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
