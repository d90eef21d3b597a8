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

#include <cstddef>
#include <initializer_list>
#include <utility>

namespace tess {

// The whole text of «t»_dml.php for one table, as GenerateDMLScripts writes it.
QString BuildDMLScript(GenerationRun &run, const MyTable &table);

namespace dml {

// A line template. Its «name» markers are found when the program is
// compiled: filling it in is a run of copies. «t», «pk» and «f» stand for
// the table's name, its key field's name and the current field's name; any
// other marker takes a value given with the line.
class Template {
public:
    enum class Kind : unsigned char { Text, Table, Key, Field, Named };
    struct Piece {
        Kind kind;
        unsigned short start; // Text: the text; Named: the name
        unsigned short size;
    };
    static constexpr int kMaxPieces = 24;

    template <std::size_t N>
    consteval Template(const char16_t (&text)[N]) : m_text(text)
    {
        std::size_t i = 0;
        const std::size_t end = N - 1;
        while (i < end) {
            std::size_t open = i;
            while (open < end && text[open] != u'«')
                ++open;
            if (open > i)
                add(Kind::Text, i, open - i);
            if (open == end)
                break;
            std::size_t close = open + 1;
            while (close < end && text[close] != u'»')
                ++close;
            if (close == end)
                throw "a marker without its closing »";
            const std::size_t nameStart = open + 1;
            const std::size_t nameSize = close - nameStart;
            const auto is = [&](const char16_t *name, std::size_t size) {
                if (size != nameSize)
                    return false;
                for (std::size_t k = 0; k < size; ++k)
                    if (text[nameStart + k] != name[k])
                        return false;
                return true;
            };
            if (is(u"t", 1))
                add(Kind::Table, 0, 0);
            else if (is(u"pk", 2))
                add(Kind::Key, 0, 0);
            else if (is(u"f", 1))
                add(Kind::Field, 0, 0);
            else
                add(Kind::Named, nameStart, nameSize);
            i = close + 1;
        }
    }

    const Piece *begin() const { return m_pieces; }
    const Piece *end() const { return m_pieces + m_count; }
    QStringView text(const Piece &p) const { return QStringView(m_text + p.start, p.size); }

private:
    consteval void add(Kind kind, std::size_t start, std::size_t size)
    {
        if (m_count == kMaxPieces)
            throw "a template of more pieces than kMaxPieces";
        m_pieces[m_count++] = Piece{kind, static_cast<unsigned short>(start), static_cast<unsigned short>(size)};
    }

    const char16_t *m_text;
    Piece m_pieces[kMaxPieces] = {};
    int m_count = 0;
};

// Values for the other markers of a template. They are views: the texts
// live until the end of the statement that fills the line.
struct Value {
    QStringView name;
    QStringView text;
};
using Values = std::initializer_list<Value>;

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

    // Appends the template to `to` with its markers filled in; «f» is the
    // name of `field`.
    void fill(Lines &to, const Template &tmpl, const MyField *field = nullptr, Values values = {}) const;
    void line(int indent, const Template &tmpl, const MyField *field = nullptr, Values values = {})
    {
        out.build(indent, [&](Lines &text) { fill(text, tmpl, field, values); });
    }
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
QStringView noRename(const MyField &f);

// The statements that make the posted key safe for the SQL it reaches;
// delete() and update() open with them, form() with the key lines only
// (whenNotNumber: what a numeric table does with a key that is no number).
void emitSelectedIdEscape(Script &s);
void emitSelectedIdKeyLines(Script &s, QStringView whenNotNumber);
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
// Reads the field's stored file name and keeps it for removal after the
// statement that drops the record or the value. `condition` is appended to
// the test of the stored name.
void emitRememberStoredFile(Script &s, int indent, const MyField &f, QStringView condition = {});
// Removes the files kept by emitRememberStoredFile.
void emitUnlinkRemembered(Script &s);

void emitInsert(Script &s);
void emitDelete(Script &s);
void emitUpdate(Script &s);
void emitForm(Script &s);

} // namespace dml
} // namespace tess
