#pragma once
// Fixed generated text lives in template files beside the generators
// (lib.php.in, …), readable as the PHP or HTML it is; the build turns each
// file into a header of constant pieces (tools/embedtemplates). The places a
// generator fills in are markers, «name»; a file's sections are opened by a
// line «=name», and «+» at the end of a line drops that line's end.
//
// fill() is the one way to put a template into a text: every marker must
// get a value and every value a marker, otherwise it throws. A marker
// written wrongly already stops the build.
#include "generator/lines.h"

#include <QString>
#include <QStringView>

#include <initializer_list>
#include <span>
#include <stdexcept>
#include <string_view>

namespace tess {

struct TemplatePiece {
    enum Kind : unsigned char { Text, Marker };
    Kind kind;
    std::u16string_view text; // the text, or the marker's name
};

// One section of a template file.
class Template {
public:
    constexpr Template(const char *name, std::span<const TemplatePiece> pieces) : m_name(name), m_pieces(pieces) {}
    // "file:section", for the messages of a fill that went wrong.
    const char *name() const { return m_name; }
    std::span<const TemplatePiece> pieces() const { return m_pieces; }

private:
    const char *m_name;
    std::span<const TemplatePiece> m_pieces;
};

// A marker's value. Both are views: the texts must live until fill()
// returns, which the temporaries of the calling statement do.
struct TemplateValue {
    QStringView name;
    QStringView text;
};
using TemplateValues = std::initializer_list<TemplateValue>;

// A template filled with a value missing or a value left over.
class TemplateError : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// Appends the template with its markers replaced by the values.
void fill(Lines &out, const Template &tmpl, TemplateValues values = {});
// The filled template as a text of its own.
QString filled(const Template &tmpl, TemplateValues values = {});

} // namespace tess
