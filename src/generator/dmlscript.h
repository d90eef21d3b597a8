#pragma once
// The record script of a table, «table»_dml.php: insert(), delete(),
// update() and form(), whose text is templates/dml.php.in. The pieces are
// built in three files that share the field classification and the small
// emitters declared here.
#include "generator/lines.h"
#include "generator/run.h"
#include "generator/template.h"
#include "model/project.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringView>

#include <utility>

namespace tess {

// The whole text of «table»_dml.php for one table, as GenerateDMLScripts writes it.
QString BuildDMLScript(GenerationRun &run, const MyTable &table);

namespace dml {

// The fields of the project that look up a table, under the table's name,
// in project order (tables, then their fields).
using ChildLookups = QHash<QString, QList<std::pair<const MyTable *, const MyField *>>>;
ChildLookups childLookups(const MyDB &db);

struct Script {
    GenerationRun &run;
    const MyTable &table;
    const MyField &pk;
    Lines &out;
    // Built once per run by GenerateDMLScripts; without it delete() looks
    // through the project itself.
    const ChildLookups *children = nullptr;

    // Writes a section of dml.php.in with its values.
    void put(const Template &section, TemplateValues values = {}) { fill(out, section, values); }
    // Writes a section whose one marker is «field».
    void putField(const Template &section, const MyField &field) { fill(out, section, {{u"field", field.Name}}); }
    // Lets the log window repaint: once per field of every field pass.
    void tick() { run.host.processEvents(); }
};

bool isDate(const MyField &f);
// Read from $HTTP_POST_VARS under its own name.
bool isPlainRequest(const MyField &f);
bool isUpload(const MyField &f);
// A text column, whose character set decides what its values hold.
bool holdsText(const MyField &f);
// Shown in the detail view only as an image or a link, with no input of
// its own: there is nothing to store for it.
bool isDisplayOnly(const MyField &f);
// The detail form posts a value for the field (an input, a selector or a
// file control).
bool isPosted(const MyField &f);
// The table has an upload field whose stored files are removed with it.
bool anyDeletedFiles(const MyTable &t);
// The table has an upload field: its statements keep the files their
// request stored only once they have succeeded.
bool anyUploads(const MyTable &t);

// «maxSize» of insert() and update(): the size limit, 20480 when not set.
QString maxUploadSize(const MyField &f);

// The statements that make the posted key safe for the SQL it reaches;
// delete() and update() open with them, form() with the key lines only
// (whenNotNumber: what a numeric table does with a key that is no number).
void emitSelectedIdEscape(Script &s);
void emitSelectedIdKeyLines(Script &s, const Template &whenNotNumber);
// The request values of insert() and update(), up to the closing brace of
// the second branch, then the empty-date reset.
void emitRequestValues(Script &s);
// A required field that the form posts: insert() and update() refuse it
// empty.
bool isRequired(const MyField &f);
// The refusal of an empty key, then an empty line.
void emitKeyCheck(Script &s);
// The refusal of the required field left empty.
void emitRequiredCheck(Script &s, const MyField &f);
// update()'s refusal of the remove box of a required upload field.
void emitRequiredUploadCheck(Script &s, const MyField &f);
// The checks of every value stored from the request against its column.
void emitValueChecks(Script &s);
// Whether the field's column refuses some values the form can post, and
// the check of its value; an upload field's is written after the upload.
bool hasValueCheck(const MyField &f);
void emitValueCheck(Script &s, const MyField &f);

void emitInsert(Script &s);
void emitDelete(Script &s);
void emitUpdate(Script &s);
void emitForm(Script &s);

} // namespace dml
} // namespace tess
