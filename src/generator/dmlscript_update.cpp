// delete() and update() of the record script.
#include "generator/dmlscript.h"

#include "generator/escape.h"

namespace tess::dml {

ChildLookups childLookups(const MyDB &db)
{
    ChildLookups lookups;
    for (const TablePtr &ct : db.Tables)
        for (const FieldPtr &cf : ct->Fields)
            lookups[cf->ParentTable].append({ct.get(), cf.get()});
    return lookups;
}

void emitDelete(Script &s)
{
    const MyTable &t = s.table;
    s.line(0, u"function delete($selected_id)");
    s.line(0, u"{");
    s.line(1, u"// insure referential integrity ...");
    s.line(1, u"global $Translation;");
    emitSelectedIdEscape(s);
    s.out.blank();

    // Every field of the project that looks up this table, the table itself
    // included.
    const ChildLookups ownLookups = s.children ? ChildLookups() : childLookups(s.run.db);
    const ChildLookups &lookups = s.children ? *s.children : ownLookups;
    const auto found = lookups.constFind(t.Name);
    if (found != lookups.constEnd()) {
        for (const auto &[ct, cf] : *found) {
            s.tick();
            const Values child{{u"ct", ct->Name}, {u"cf", cf->Name}, {u"cid", cf->ParentIDField}};
            s.line(1, u"// child table: «ct»", nullptr, child);
            s.line(1, uR"~($res = sql("select «cid» from «t» where «pk»='$selected_id'");)~", nullptr, child);
            s.line(1, u"$«cid» = mysql_fetch_row($res);", nullptr, child);
            // The stored value goes back into SQL: escaped like a posted one.
            s.line(1, uR"~($rires = sql("select count(1) from «ct» where «cf»='" . addslashes($«cid»[0]) . "'");)~",
                   nullptr, child);
            s.line(1, u"$rirow = mysql_fetch_row($rires);");
            s.line(1, u"if($rirow[0])");
            s.line(1, u"{");
            s.line(2, uR"~($RetMsg = $Translation["couldn't delete"];)~");
            s.line(2, uR"~($RetMsg = str_replace("<RelatedRecords>", $rirow[0], $RetMsg);)~");
            s.line(2, uR"~($RetMsg = str_replace("<TableName>", "«ct»", $RetMsg);)~", nullptr, child);
            s.line(2, u"return $RetMsg;");
            s.line(1, u"}");
            s.out.tabs(1);
        }
    }

    for (const FieldPtr &fp : t.Fields) {
        const MyField &f = *fp;
        s.tick();
        if (!isUpload(f) || !f.pDeleteFiles)
            continue;
        s.out.blank();
        s.line(1, u"// delete file stored in the '«f»' field", &f);
        emitRememberStoredFile(s, 1, f);
    }

    s.out.blank();
    s.line(1, uR"~(sql("delete from «t» where «pk»='$selected_id'");)~");
    if (anyDeletedFiles(t))
        emitUnlinkRemembered(s);
    s.line(0, u"}");
    s.out.blank();
}

void emitUpdate(Script &s)
{
    const MyTable &t = s.table;
    s.line(0, u"function update($selected_id)");
    s.line(0, u"{");
    s.line(1, u"global $HTTP_SERVER_VARS, $HTTP_GET_VARS, $HTTP_POST_VARS, $Translation;");
    emitSelectedIdEscape(s);
    s.out.tabs(1);
    emitRequestValues(s);
    // The values insert() requires, before any file is stored or removed.
    // An upload field keeps its file when no new one is sent.
    if (!s.pk.pAutoIncrement && isPosted(s.pk))
        emitKeyCheck(s);
    for (const FieldPtr &fp : t.Fields) {
        s.tick();
        if (isRequired(*fp) && !isUpload(*fp))
            emitRequiredCheck(s, *fp);
    }
    s.out.blank();

    for (const FieldPtr &fp : t.Fields) {
        const MyField &f = *fp;
        s.tick();
        if (!isUpload(f))
            continue;
        s.line(1, u"if($HTTP_POST_VARS['«f»_remove'] == 1){", &f);
        s.line(2, u"$«f» = '';", &f);
        if (f.pDeleteFiles) {
            s.line(2, u"// delete file from server");
            emitRememberStoredFile(s, 2, f);
        }
        s.line(1, u"}else{");
        // Escaped for the statement, as in insert().
        const QString max = maxUploadSize(f);
        const QString types = phpSq(f.pUploadFileTypes);
        const Values upload{{u"max", max}, {u"types", types}, {u"nr", noRename(f)}};
        if (f.pNoFileRename) {
            s.line(2, u"// a kept name may replace the record's own file only");
            s.line(2, uR"~($res = sql("select «f» from «t» where «pk»='$selected_id'");)~", &f);
            s.line(2, u"$row = @mysql_fetch_row($res);");
            s.line(2, uR"~($«f» = addslashes(PrepareUploadedFile('«f»', «max», '«types»', «nr», ($row ? $row[0] : "")));)~",
                   &f, upload);
        } else {
            s.line(2, u"$«f» = addslashes(PrepareUploadedFile('«f»', «max», '«types»', «nr»));", &f, upload);
        }
        if (f.pDeleteFiles) {
            s.line(2, u"// delete file from server");
            s.line(2, u"if($«f» != ''){", &f);
            // A file kept under its own name has just replaced the old one.
            Lines condition;
            s.fill(condition, u" && addslashes($row[0])!=$«f»", &f);
            emitRememberStoredFile(s, 3, f, condition.text());
            s.line(2, u"}");
        }
        s.line(1, u"}");
    }

    Lines terms;
    for (const FieldPtr &fp : t.Fields) {
        const MyField &f = *fp;
        s.tick();
        if (isUpload(f))
            s.fill(terms,
                   uR"~( . ($«f»!="" ? "«f»='$«f»'" : ($HTTP_POST_VARS['«f»_remove'] != 1 ? "«f»=«f»" : "«f»=NULL")) . ", ")~",
                   &f);
        else if (isPosted(f))
            s.fill(terms, uR"~( . "«f»=" . (($«f» != "") ? "'$«f»'" : "NULL") . ", ")~", &f);
    }
    // Nothing to set: no statement (and no stored file changes either, as
    // every upload field has a term).
    if (!terms.isEmpty()) {
        terms.chop(3);
        s.line(1, uR"~(sql("update «t» set "«terms» where «pk»='$selected_id'");)~", nullptr,
               {{u"terms", terms.text()}});
        if (anyDeletedFiles(t))
            emitUnlinkRemembered(s);
    }
    s.line(0, u"}");
    s.out.blank();
}

} // namespace tess::dml
