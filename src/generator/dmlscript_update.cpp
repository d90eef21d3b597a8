// delete() and update() of the record script.
#include "generator/dmlscript.h"

#include "generator/escape.h"
#include "tpl/dml_php.h"

namespace tess::dml {

namespace dml_php = tpl::dml_php;

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
    s.put(dml_php::deleteHead);
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
            s.put(dml_php::childCheck, {{u"childTable", ct->Name},
                                        {u"childField", cf->Name},
                                        {u"parentKey", cf->ParentIDField},
                                        {u"table", t.Name},
                                        {u"key", s.pk.Name}});
        }
    }

    if (anyDeletedFiles(t))
        s.put(dml_php::deleteLock);
    for (const FieldPtr &fp : t.Fields) {
        const MyField &f = *fp;
        s.tick();
        if (isUpload(f) && f.pDeleteFiles)
            s.put(dml_php::deleteStoredFile, {{u"field", f.Name}, {u"table", t.Name}, {u"key", s.pk.Name}});
    }

    s.put(dml_php::deleteStatement, {{u"table", t.Name}, {u"key", s.pk.Name}});
    // The files go with the record only: not when another request deleted
    // it first.
    if (anyDeletedFiles(t)) {
        s.put(dml_php::deletedRecordOnly);
        s.put(dml_php::unlinkRemembered);
    }
    s.put(dml_php::functionEnd);
}

void emitUpdate(Script &s)
{
    const MyTable &t = s.table;
    s.put(dml_php::updateHead);
    emitSelectedIdEscape(s);
    emitRequestValues(s);
    emitValueChecks(s);
    // The values insert() requires, before any file is stored or removed.
    // An upload field keeps its file when no new one is sent, unless its
    // remove box is ticked.
    if (!s.pk.pAutoIncrement && isPosted(s.pk))
        emitKeyCheck(s);
    for (const FieldPtr &fp : t.Fields) {
        s.tick();
        if (isRequired(*fp) && isUpload(*fp))
            emitRequiredUploadCheck(s, *fp);
        else if (isRequired(*fp))
            emitRequiredCheck(s, *fp);
    }
    s.out.blank();

    for (const FieldPtr &fp : t.Fields) {
        const MyField &f = *fp;
        s.tick();
        if (!isUpload(f))
            continue;
        const TemplateValues stored{{u"field", f.Name}, {u"table", t.Name}, {u"key", s.pk.Name}};
        s.putField(dml_php::updateUploadRemoved, f);
        if (f.pDeleteFiles)
            s.put(dml_php::updateRemovedFile, stored);
        s.put(dml_php::updateUploadSent);
        const QString max = maxUploadSize(f);
        const QString types = phpSq(f.pUploadFileTypes);
        if (f.pNoFileRename)
            s.put(dml_php::updateUploadKeptName, {{u"field", f.Name},
                                                  {u"table", t.Name},
                                                  {u"key", s.pk.Name},
                                                  {u"maxSize", max},
                                                  {u"fileTypes", types}});
        else
            s.put(dml_php::updateUploadRenamed, {{u"field", f.Name}, {u"maxSize", max}, {u"fileTypes", types}});
        if (f.pDeleteFiles)
            s.put(dml_php::updateReplacedFile, stored);
        s.put(dml_php::updateUploadEnd);
        if (hasValueCheck(f))
            emitValueCheck(s, f);
    }

    Lines terms;
    for (const FieldPtr &fp : t.Fields) {
        const MyField &f = *fp;
        s.tick();
        if (isUpload(f))
            fill(terms, dml_php::uploadTerm, {{u"field", f.Name}});
        else if (isPosted(f))
            fill(terms, dml_php::postedTerm, {{u"field", f.Name}});
    }
    // Nothing to set: no statement (and no stored file changes either, as
    // every upload field has a term).
    if (!terms.isEmpty()) {
        // The last term's `, "` gives way to the statement's end.
        terms.chop(3);
        s.put(dml_php::updateStatement, {{u"table", t.Name}, {u"terms", terms.view()}, {u"key", s.pk.Name}});
        // The old files go before the request's file work ends.
        if (anyDeletedFiles(t))
            s.put(dml_php::unlinkRemembered);
        if (anyUploads(t))
            s.put(dml_php::keepUploads);
    }
    s.put(dml_php::functionEnd);
}

} // namespace tess::dml
