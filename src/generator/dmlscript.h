#pragma once
// The record script of a table, «t»_dml.php: insert(), delete(), update()
// and form(). The pieces are built in three files that share the field
// classification and the small emitters declared here.
#include "generator/lines.h"
#include "generator/run.h"
#include "model/project.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringView>
#include <utility>

namespace tess {

// The whole text of «t»_dml.php for one table, as GenerateDMLScripts writes it.
QString BuildDMLScript(GenerationRun &run, const MyTable &table);

namespace dml {

// Values for the «name» markers of a line template.
using Vars = QList<std::pair<QString, QString>>;

// Replaces every «name» of the template by its value, in one pass, so that a
// value holding « or » is never read as a marker.
QString fill(QStringView tmpl, const Vars &vars);

// The fields of the project that look up a table, under the table's name,
// in project order (tables, then their fields).
using ChildLookups = QHash<QString, QList<std::pair<const MyTable *, const MyField *>>>;
ChildLookups childLookups(const MyDB &db);

struct Script {
    GenerationRun &run;
    const MyTable &table;
    const MyField &pk;
    Lines out;
    // Built once per run by GenerateDMLScripts; without it delete() looks
    // through the project itself.
    const ChildLookups *children = nullptr;

    // «t», «pk» and «f» of the field (when given) plus the extra values.
    Vars vars(const MyField *field = nullptr, Vars extra = {}) const;
    void line(int indent, QStringView tmpl, const MyField *field = nullptr, Vars extra = {});
    // Lets the log window repaint: once per field of every field pass.
    void tick() { run.host.processEvents(); }
};

bool isDate(const MyField &f);
// Read from $HTTP_POST_VARS under its own name.
bool isPlainRequest(const MyField &f);
bool isUpload(const MyField &f);
// Shown in the detail view only as an image or a link, with no input of
// its own: there is nothing to store for it.
bool isDisplayOnly(const MyField &f);
// The detail form posts a value for the field (an input, a selector or a
// file control).
bool isPosted(const MyField &f);
// The table has an upload field whose stored files are removed with it.
bool anyDeletedFiles(const MyTable &t);

// «max» of insert() and update(): the size limit, 20480 when not set.
QString maxUploadSize(const MyField &f);
// «nr»
QString noRename(const MyField &f);

// The statements that make the posted key safe for the SQL it reaches;
// delete() and update() open with them, form() with the key lines only
// (whenNotNumber: what a numeric table does with a key that is no number).
void emitSelectedIdEscape(Script &s);
void emitSelectedIdKeyLines(Script &s, QStringView whenNotNumber);
// The request values of insert() and update(), up to the closing brace of
// the second branch, then the empty-date reset.
void emitRequestValues(Script &s);
// Reads the field's stored file name and keeps it for removal after the
// statement that drops the record or the value. `condition` is appended to
// the test of the stored name.
void emitRememberStoredFile(Script &s, int indent, const MyField &f, const QString &condition = {});
// Removes the files kept by emitRememberStoredFile.
void emitUnlinkRemembered(Script &s);

void emitInsert(Script &s);
void emitDelete(Script &s);
void emitUpdate(Script &s);
void emitForm(Script &s);

} // namespace dml
} // namespace tess
