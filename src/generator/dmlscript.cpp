// The record script of every table, «t»_dml.php: the frame, the pieces that
// insert() and update() share, and insert() itself.
#include "generator/dmlscript.h"

#include "generator/escape.h"
#include "generator/generators.h"
#include "generator/header.h"
#include "model/constants.h"
#include "platform/runtimeerror.h"

namespace tess {

namespace dml {

namespace {

void put(QString &out, QStringView piece) { out.append(piece); }
void put(Lines &out, QStringView piece) { out.raw(piece); }

// Appends the template with every «name» replaced by value(name), in one
// pass; value returns nullptr for a name it does not know.
// Templates are a line long: a plain scan beats the library's search.
qsizetype indexOf(QStringView text, char16_t c, qsizetype from)
{
    const char16_t *s = text.utf16();
    for (qsizetype i = from; i < text.size(); ++i)
        if (s[i] == c)
            return i;
    return -1;
}

template <typename Out, typename Value>
void fillInto(Out &out, QStringView tmpl, Value &&value)
{
    qsizetype i = 0;
    while (i < tmpl.size()) {
        const qsizetype open = indexOf(tmpl, u'«', i);
        if (open < 0) {
            put(out, tmpl.mid(i));
            break;
        }
        const qsizetype close = indexOf(tmpl, u'»', open + 1);
        Q_ASSERT(close > open);
        put(out, tmpl.mid(i, open - i));
        const QString *v = value(tmpl.mid(open + 1, close - open - 1));
        Q_ASSERT_X(v, "dml::fill", "marker without a value");
        if (v)
            put(out, *v);
        i = close + 1;
    }
}

const QString *find(const Vars &vars, QStringView key)
{
    for (const auto &[name, value] : vars)
        if (name == key)
            return &value;
    return nullptr;
}

} // namespace

QString fill(QStringView tmpl, const Vars &vars)
{
    QString out;
    out.reserve(tmpl.size() + 64);
    fillInto(out, tmpl, [&](QStringView key) { return find(vars, key); });
    return out;
}

Vars Script::vars(const MyField *field, Vars extra) const
{
    extra.append({QStringLiteral("t"), table.Name});
    extra.append({QStringLiteral("pk"), pk.Name});
    if (field)
        extra.append({QStringLiteral("f"), field->Name});
    return extra;
}

void Script::line(int indent, QStringView tmpl, const MyField *field, Vars extra)
{
    // The values of vars(field, extra), looked up in the same order without
    // building the list for every line.
    out.build(indent, [&](Lines &text) {
        fillInto(text, tmpl, [&](QStringView key) -> const QString * {
            if (const QString *v = find(extra, key))
                return v;
            if (key == u"t")
                return &table.Name;
            if (key == u"pk")
                return &pk.Name;
            if (field && key == u"f")
                return &field->Name;
            return nullptr;
        });
    });
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

QString noRename(const MyField &f) { return f.pNoFileRename ? QStringLiteral("true") : QStringLiteral("false"); }

void emitSelectedIdKeyLines(Script &s, QStringView whenNotNumber)
{
    s.line(1, u"if(!get_magic_quotes_gpc()) $selected_id = addslashes($selected_id);");
    // MySQL compares a numeric key with a text by the text's leading number,
    // so "1' or '1'='1" would still reach record 1: such a key selects nothing.
    if (isNumericType(s.pk.pDataType))
        s.line(1, QStringLiteral("if(!is_numeric($selected_id)) ").append(whenNotNumber));
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
    static constexpr QStringView dateLine =
        uR"~($«f» = $HTTP_POST_VARS["«f»Year"] . '-' . $HTTP_POST_VARS["«f»Month"] . '-' . $HTTP_POST_VARS["«f»Day"];)~";
    // Without magic quotes the joined date is escaped like every other value.
    static constexpr QStringView escapedDateLine =
        uR"~($«f» = addslashes($HTTP_POST_VARS["«f»Year"] . '-' . $HTTP_POST_VARS["«f»Month"] . '-' . $HTTP_POST_VARS["«f»Day"]);)~";

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

void emitRememberStoredFile(Script &s, int indent, const MyField &f, const QString &condition)
{
    s.line(indent, uR"~($res = sql("select «f» from «t» where «pk»='$selected_id'");)~", &f);
    s.line(indent, u"if($row=@mysql_fetch_row($res)){");
    s.line(indent + 1, u"if($row[0]!=''«cond»){", &f, {{QStringLiteral("cond"), condition}});
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
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c == u'\0') {
            out.append(QStringLiteral("\\0"));
            continue;
        }
        if (c == u'\\' || c == u'\'' || c == u'"')
            out.append(u'\\');
        out.append(c);
    }
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
                   {{QStringLiteral("max"), maxUploadSize(f)},
                    {QStringLiteral("types"), phpSq(f.pUploadFileTypes)},
                    {QStringLiteral("nr"), noRename(f)}});
    }

    if (!s.pk.pAutoIncrement) {
        s.line(1,
               uR"~(if($«pk» == "") {echo StyleSheet() . "\n\n<div class=Error>" . $Translation["error:"] . " '«pkcap»': " . $Translation['pkfield empty'] . "</div>"; exit;})~",
               nullptr, {{QStringLiteral("pkcap"), phpDq(s.pk.Caption)}});
        s.out.blank();
    }

    // Defaults, then the required values. Only a value the form posts can be
    // required: any other stays empty on every insert.
    for (const FieldPtr &fp : t.Fields) {
        const MyField &f = *fp;
        s.tick();
        if (!f.pDefault.isEmpty())
            s.line(1, uR"~(if($«f» == "") $«f» = "«def»";)~", &f,
                   {{QStringLiteral("def"), phpDq(addslashes(f.pDefault))}});
        if (f.pNotNull && !f.pPrimaryKey && !f.pAutoIncrement && isPosted(f)) {
            s.line(1, uR"~(if($«f»== ""){)~", &f);
            s.line(2,
                   uR"~(echo StyleSheet() . "\n\n<div class=Error>" . $Translation["error:"] . " '«cap»': " . $Translation['field not null'] . "</div>";)~",
                   &f, {{QStringLiteral("cap"), phpDq(f.Caption)}});
            s.line(2, u"exit;");
            s.line(1, u"}");
        }
    }
    s.out.tabs(1);

    QStringList columns;
    for (const FieldPtr &fp : t.Fields) {
        s.tick();
        if (isPosted(*fp))
            columns << fp->Name;
    }
    QStringList values;
    for (const FieldPtr &fp : t.Fields) {
        s.tick();
        if (isPosted(*fp))
            values << fill(uR"~(" . (($«f» != "") ? "'$«f»'" : "NULL") . ")~", s.vars(fp.get()));
    }
    // With nothing to store the record still gets its defaults.
    s.line(1, uR"~(sql("insert into «t» («cols») values («vals»)");)~", nullptr,
           {{QStringLiteral("cols"), columns.join(QStringLiteral(", "))},
            {QStringLiteral("vals"), values.join(QStringLiteral(", "))}});

    if (s.pk.pAutoIncrement)
        s.line(1, u"return mysql_insert_id();");
    else
        s.line(1, u"return $«pk»;");
    s.line(0, u"}");
    s.out.blank();
}

} // namespace dml

namespace {

QString buildScript(GenerationRun &run, const MyTable &table, const dml::ChildLookups *children)
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

    dml::Script s{run, table, *pk, {}, children};
    s.out(QStringLiteral("<?php"));
    s.out.blank();
    s.out(QStringLiteral("// Data functions for table ") + table.Name);
    s.out.blank();
    s.out(generatedByLine(run));
    s.out(downloadLine());
    s.out.blank();
    dml::emitInsert(s);
    dml::emitDelete(s);
    dml::emitUpdate(s);
    dml::emitForm(s);
    s.out(QStringLiteral("}"));
    s.out.raw(QStringLiteral("?>"));
    return s.out.take();
}

} // namespace

QString BuildDMLScript(GenerationRun &run, const MyTable &table) { return buildScript(run, table, nullptr); }

void GenerateDMLScripts(GenerationRun &run)
{
    const dml::ChildLookups children = dml::childLookups(run.db);
    for (const TablePtr &t : run.db.Tables) {
        const QString fileName = t->Name + QStringLiteral("_dml.php");
        run.logGenerating(fileName);
        const QString text = buildScript(run, *t, &children);
        run.WriteOutputFile(run.path(fileName), fileName, text, true);
    }
}

} // namespace tess
