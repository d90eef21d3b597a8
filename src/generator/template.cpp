#include "generator/template.h"

#include <cstdint>

namespace tess {

namespace {

QStringView view(std::u16string_view text) { return QStringView(text.data(), qsizetype(text.size())); }

[[noreturn]] void misfilled(const Template &tmpl, const char *what, QStringView name)
{
    throw TemplateError(std::string("template ") + tmpl.name() + ": " + what + " \xC2\xAB" + name.toString().toStdString()
                        + "\xC2\xBB");
}

} // namespace

void fill(Lines &out, const Template &tmpl, TemplateValues values)
{
    // A template takes a handful of values; a bit for each tells which
    // were used.
    if (values.size() > 64)
        throw TemplateError(std::string("template ") + tmpl.name() + ": more than 64 values");
    std::uint64_t used = 0;
    for (const TemplatePiece &p : tmpl.pieces()) {
        if (p.kind == TemplatePiece::Text) {
            out.raw(view(p.text));
            continue;
        }
        const QStringView name = view(p.text);
        int i = 0;
        const TemplateValue *v = values.begin();
        while (v != values.end() && v->name != name) {
            ++v;
            ++i;
        }
        if (v == values.end())
            misfilled(tmpl, "no value for", name);
        used |= std::uint64_t(1) << i;
        out.raw(v->text);
    }
    int i = 0;
    for (const TemplateValue &v : values) {
        if (!(used & (std::uint64_t(1) << i)))
            misfilled(tmpl, "no marker for the value", v.name);
        ++i;
    }
}

QString filled(const Template &tmpl, TemplateValues values)
{
    Lines l;
    fill(l, tmpl, values);
    return l.take();
}

} // namespace tess
