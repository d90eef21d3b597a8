// The record script of every table, «t»_dml.php: the frame, the pieces that
// insert() and update() share, and insert() itself.
#include "generator/dmlscript.h"

#include "generator/escape.h"
#include "generator/generators.h"
#include "generator/header.h"
#include "model/columndefinition.h"
#include "model/constants.h"
#include "platform/runtimeerror.h"

namespace tess {

namespace dml {

void Script::fill(Lines &to, const Template &tmpl, const MyField *field, Values values) const
{
    for (const Template::Piece &p : tmpl) {
        switch (p.kind) {
        case Template::Kind::Text:
            to.raw(tmpl.text(p));
            break;
        case Template::Kind::Table:
            to.raw(table.Name);
            break;
        case Template::Kind::Key:
            to.raw(pk.Name);
            break;
        case Template::Kind::Field:
            Q_ASSERT_X(field, "dml::Script::fill", "«f» without a field");
            if (field)
                to.raw(field->Name);
            break;
        case Template::Kind::Named: {
            const QStringView name = tmpl.text(p);
            const Value *v = values.begin();
            while (v != values.end() && v->name != name)
                ++v;
            Q_ASSERT_X(v != values.end(), "dml::Script::fill", "marker without a value");
            if (v != values.end())
                to.raw(v->text);
            break;
        }
        }
    }
}

bool isDate(const MyField &f) { return f.pDataType == Dt::Date; }
bool isPlainRequest(const MyField &f) { return !isDate(f) && !f.pAutoIncrement && !f.pAllowImageUpload; }
bool isUpload(const MyField &f) { return f.pAllowImageUpload; }

bool isDisplayOnly(const MyField &f)
{
    // An upload control or a lookup's selector stands beside the image or
    // link; without them the detail view shows the value and posts nothing.
    return (f.pDetailImage || f.pDetailLink) && !f.pAllowImageUpload && f.ParentTable.isEmpty();
}

bool isPosted(const MyField &f)
{
    return !f.pReadOnly && !f.pAutoIncrement && !f.pHideInDetailView && !isDisplayOnly(f);
}

bool anyDeletedFiles(const MyTable &t)
{
    for (const FieldPtr &f : t.Fields)
        if (isUpload(*f) && f->pDeleteFiles)
            return true;
    return false;
}

QString maxUploadSize(const MyField &f)
{
    return QString::number(f.pMaxUploadSize > 0 ? f.pMaxUploadSize : 20480);
}

QStringView noRename(const MyField &f) { return f.pNoFileRename ? QStringView(u"true") : QStringView(u"false"); }

void emitSelectedIdKeyLines(Script &s, QStringView whenNotNumber)
{
    s.line(1, u"if(!get_magic_quotes_gpc()) $selected_id = addslashes($selected_id);");
    // MySQL compares a numeric key with a text by the text's leading number,
    // so "1' or '1'='1" would still reach record 1: such a key selects nothing.
    if (isNumericType(s.pk.pDataType))
        s.out(1, u"if(!is_numeric($selected_id)) ", whenNotNumber);
}

void emitSelectedIdEscape(Script &s)
{
    emitSelectedIdKeyLines(s, u"return;");
    // Files are removed only once the statement that drops them succeeded.
    if (anyDeletedFiles(s.table))
        s.line(1, u"$unlinkFiles = array();");
}

void emitRequestValues(Script &s)
{
    static constexpr Template dateLine =
        uR"~($«f» = $HTTP_POST_VARS["«f»Year"] . '-' . $HTTP_POST_VARS["«f»Month"] . '-' . $HTTP_POST_VARS["«f»Day"];)~";
    // Without magic quotes the joined date is escaped like every other value.
    static constexpr Template escapedDateLine =
        uR"~($«f» = addslashes($HTTP_POST_VARS["«f»Year"] . '-' . $HTTP_POST_VARS["«f»Month"] . '-' . $HTTP_POST_VARS["«f»Day"]);)~";

    s.line(1, u"// a value posted as an array (name[]=x) counts as empty");
    s.line(1, uR"~(foreach((array)$HTTP_POST_VARS as $name=>$value){ if(is_array($value)) $HTTP_POST_VARS[$name]=""; })~");
    s.line(1, u"if(get_magic_quotes_gpc())");
    s.line(1, u"{");
    for (const FieldPtr &fp : s.table.Fields) {
        const MyField &f = *fp;
        s.tick();
        if (isDate(f))
            s.line(2, dateLine, &f);
        else if (isPlainRequest(f))
            s.line(2, uR"~($«f» = $HTTP_POST_VARS["«f»"];)~", &f);
    }
    s.line(1, u"}");
    s.line(1, u"else");
    s.line(1, u"{");
    for (const FieldPtr &fp : s.table.Fields) {
        const MyField &f = *fp;
        s.tick();
        if (isDate(f))
            s.line(2, escapedDateLine, &f);
        else if (isPlainRequest(f))
            s.line(2, uR"~($«f» = addslashes($HTTP_POST_VARS["«f»"]);)~", &f);
    }
    s.line(1, u"}");
    // A date whose three parts were left empty is no date: it is stored as
    // NULL rather than as the invalid text "--".
    for (const FieldPtr &fp : s.table.Fields) {
        const MyField &f = *fp;
        s.tick();
        if (isDate(f))
            s.line(1, uR"~(if($«f» == "--") $«f» = "";)~", &f);
    }
}

bool isRequired(const MyField &f)
{
    // Only a value the form posts can be required: any other stays empty on
    // every insert.
    return f.pNotNull && !f.pPrimaryKey && !f.pAutoIncrement && isPosted(f);
}

void emitKeyCheck(Script &s)
{
    s.line(1,
           uR"~(if($«pk» == "") {echo StyleSheet() . "\n\n<div class=Error>" . $Translation["error:"] . " '«pkcap»': " . $Translation['pkfield empty'] . "</div>"; exit;})~",
           nullptr, {{u"pkcap", phpDq(s.pk.Caption)}});
    s.out.blank();
}

void emitRequiredCheck(Script &s, const MyField &f)
{
    s.line(1, uR"~(if($«f»== ""){)~", &f);
    s.line(2,
           uR"~(echo StyleSheet() . "\n\n<div class=Error>" . $Translation["error:"] . " '«cap»': " . $Translation['field not null'] . "</div>";)~",
           &f, {{u"cap", phpDq(f.Caption)}});
    s.line(2, u"exit;");
    s.line(1, u"}");
}

void emitRememberStoredFile(Script &s, int indent, const MyField &f, QStringView condition)
{
    s.line(indent, uR"~($res = sql("select «f» from «t» where «pk»='$selected_id'");)~", &f);
    s.line(indent, u"if($row=@mysql_fetch_row($res)){");
    s.line(indent + 1, u"if($row[0]!=''«cond»){", &f, {{u"cond", condition}});
    s.line(indent + 2, u"$unlinkFiles[] = $Translation['ImageFolder'].$row[0];");
    s.line(indent + 1, u"}");
    s.line(indent, u"}");
}

void emitUnlinkRemembered(Script &s)
{
    s.line(1, u"foreach($unlinkFiles as $file){");
    s.line(2, u"@unlink($file);");
    s.line(1, u"}");
}

namespace {

// A model text placed where a request value escaped by addslashes would
// stand: escaped the same way, so that it reaches MySQL as the text itself.
QString addslashes(const QString &text)
{
    // PHP's addslashes: the quoting of column defaults, plus NUL as "\0".
    QString out = EscapeQuoted(text);
    out.replace(QChar(u'\0'), QStringLiteral("\\0"));
    return out;
}

} // namespace

void emitInsert(Script &s)
{
    const MyTable &t = s.table;
    s.line(0, u"function insert()");
    s.line(0, u"{");
    s.line(1, u"global $HTTP_SERVER_VARS, $HTTP_GET_VARS, $HTTP_POST_VARS, $HTTP_POST_FILES, $Translation;");
    s.out.tabs(1);
    emitRequestValues(s);

    // Uploads. The stored name goes into SQL: it is escaped here, as the
    // file of a kept name may carry quotes.
    for (const FieldPtr &fp : t.Fields) {
        const MyField &f = *fp;
        s.tick();
        if (isUpload(f))
            s.line(1, u"$«f» = addslashes(PrepareUploadedFile('«f»', «max»,'«types»', «nr»));", &f,
                   {{u"max", maxUploadSize(f)},
                    {u"types", phpSq(f.pUploadFileTypes)},
                    {u"nr", noRename(f)}});
    }

    if (!s.pk.pAutoIncrement)
        emitKeyCheck(s);

    // Defaults, then the required values.
    for (const FieldPtr &fp : t.Fields) {
        const MyField &f = *fp;
        s.tick();
        if (!f.pDefault.isEmpty())
            s.line(1, uR"~(if($«f» == "") $«f» = "«def»";)~", &f,
                   {{u"def", phpDq(addslashes(f.pDefault))}});
        if (isRequired(f))
            emitRequiredCheck(s, f);
    }
    s.out.tabs(1);

    Lines columns;
    for (const FieldPtr &fp : t.Fields) {
        s.tick();
        if (!isPosted(*fp))
            continue;
        if (!columns.isEmpty())
            columns.raw(u", ");
        columns.raw(fp->Name);
    }
    Lines values;
    for (const FieldPtr &fp : t.Fields) {
        s.tick();
        if (!isPosted(*fp))
            continue;
        if (!values.isEmpty())
            values.raw(u", ");
        s.fill(values, uR"~(" . (($«f» != "") ? "'$«f»'" : "NULL") . ")~", fp.get());
    }
    // With nothing to store the record still gets its defaults.
    s.line(1, uR"~(sql("insert into «t» («cols») values («vals»)");)~", nullptr,
           {{u"cols", columns.text()}, {u"vals", values.text()}});

    if (s.pk.pAutoIncrement)
        s.line(1, u"return mysql_insert_id();");
    else
        s.line(1, u"return $«pk»;");
    s.line(0, u"}");
    s.out.blank();
}

} // namespace dml

namespace {

// Builds the script in `out`, whose room serves every table of a run.
const QString &buildScript(GenerationRun &run, const MyTable &table, const dml::ChildLookups *children, Lines &out)
{
    const MyField *pk = nullptr;
    for (const FieldPtr &f : table.Fields) {
        if (f->pPrimaryKey) {
            pk = f.get();
            break;
        }
    }
    if (!pk)
        raise(91, QStringLiteral("Object variable or With block variable not set"));

    out.clear();
    dml::Script s{run, table, *pk, out, children};
    s.out(0, u"<?php");
    s.out.blank();
    s.out(0, u"// Data functions for table ", table.Name);
    s.out.blank();
    s.out.raw(generatedBy(run));
    s.out.blank();
    dml::emitInsert(s);
    dml::emitDelete(s);
    dml::emitUpdate(s);
    dml::emitForm(s);
    s.out(0, u"}");
    s.out.raw(u"?>");
    return out.text();
}

} // namespace

QString BuildDMLScript(GenerationRun &run, const MyTable &table)
{
    Lines out;
    buildScript(run, table, nullptr, out);
    return out.take();
}

void GenerateDMLScripts(GenerationRun &run)
{
    const dml::ChildLookups children = dml::childLookups(run.db);
    Lines out;
    for (const TablePtr &t : run.db.Tables) {
        const QString fileName = t->Name + QStringLiteral("_dml.php");
        run.logGenerating(fileName);
        const QString &text = buildScript(run, *t, &children, out);
        run.WriteOutputFile(run.path(fileName), fileName, text, true);
    }
}

} // namespace tess
