#include "converter/projectwriter.h"

#include "model/projectelements.h"
#include "platform/runtimeerror.h"
#include "platform/ui.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <charconv>
#include <cstring>
#include <iterator>
#include <memory>
#include <utility>

namespace tess {

namespace {

// The document is serialised as it is built, element by element, into a
// buffer that goes to the file whenever it fills.
class XmlDocument {
public:
    explicit XmlDocument(QSaveFile &file) : m_file(file), m_buf(new char[Capacity]) {}

    // Element names are literals or the names of the setting lists, whose
    // lengths are known when compiling: each element is one reservation and
    // a few fixed-size copies.
    template <size_t N>
    void openElement(const char (&name)[N])
    {
        commit(startTag<N - 1>(reserve(N + 1), name));
    }
    template <size_t N>
    void closeElement(const char (&name)[N])
    {
        commit(endTag<N - 1>(reserve(N + 2), name));
    }

    // Every setting of the list, in its order (model/projectelements.h),
    // unrolled when compiling so that each one's name and kind are known
    // there.
    template <const auto &elements, typename Record>
    void AddSettings(const Record &r)
    {
        [this, &r]<size_t... I>(std::index_sequence<I...>) {
            (AddSetting<elements, I>(r), ...);
        }(std::make_index_sequence<std::size(elements)>());
    }

    void finish() { flush(); }

private:
    static constexpr size_t Capacity = size_t(1) << 20;

    template <const auto &elements, size_t I, typename Record>
    void AddSetting(const Record &r)
    {
        constexpr const ProjectElement<Record> &e = elements[I];
        constexpr size_t L = e.name.size();
        const char *name = e.name.data();
        if constexpr (e.kind == ElementKind::Text)
            AddTextElement<L>(name, r.*e.text);
        else if constexpr (e.kind == ElementKind::Flag)
            AddTextElement<L>(name, r.*e.flag);
        else if constexpr (e.kind == ElementKind::Leading32)
            AddTextElement<L>(name, r.*e.int32);
        else if constexpr (e.kind == ElementKind::TextOrZero)
            AddTextElement<L>(name, (r.*e.variant).toText());
        else // the kinds of a qint16
            AddTextElement<L>(name, qint32(r.*e.int16));
    }

    // An element with a text value of a name of L characters; an empty text
    // gives an empty-element tag.
    template <size_t L>
    void AddTextElement(const char *name, const QString &value)
    {
        if (value.isEmpty()) {
            char *p = reserve(L + 3);
            *p++ = '<';
            p = copy(p, name, L);
            *p++ = '/';
            *p++ = '>';
            commit(p);
            return;
        }
        // At most 5 bytes per UTF-16 unit ("&amp;", "&#13;"; 3 for non-ASCII).
        char *p = reserve(2 * L + 5 + size_t(value.size()) * 5);
        p = startTag<L>(p, name);
        p = appendEscaped(p, value);
        commit(endTag<L>(p, name));
    }
    template <size_t L>
    void AddTextElement(const char *name, bool value)
    {
        char *p = startTag<L>(reserve(2 * L + 10), name);
        p = value ? copy(p, "True", 4) : copy(p, "False", 5);
        commit(endTag<L>(p, name));
    }
    template <size_t L>
    void AddTextElement(const char *name, qint32 value)
    {
        char *p = startTag<L>(reserve(2 * L + 5 + 11), name);
        p = std::to_chars(p, p + 11, value).ptr;
        commit(endTag<L>(p, name));
    }

    static char *copy(char *p, const char *s, size_t n)
    {
        std::memcpy(p, s, n);
        return p + n;
    }
    template <size_t L>
    static char *startTag(char *p, const char *name)
    {
        *p++ = '<';
        p = copy(p, name, L);
        *p++ = '>';
        return p;
    }
    template <size_t L>
    static char *endTag(char *p, const char *name)
    {
        *p++ = '<';
        *p++ = '/';
        p = copy(p, name, L);
        *p++ = '>';
        return p;
    }
    void commit(char *end) { m_len = size_t(end - m_buf.get()); }

    // Room for n more bytes; the pointer to where they go.
    char *reserve(size_t n)
    {
        if (m_len + n > m_capacity) {
            flush();
            if (n > m_capacity) {
                m_capacity = n;
                m_buf.reset(new char[n]);
            }
        }
        return m_buf.get() + m_len;
    }
    void flush()
    {
        if (m_len != 0 && m_file.write(m_buf.get(), qint64(m_len)) != qint64(m_len))
            raise(Err::DeviceIO);
        m_len = 0;
    }

    // UTF-8 with the markup characters escaped. A CR goes out as a
    // character reference so that readers that normalise line ends keep it.
    // The other control characters and U+FFFE and U+FFFF are no characters
    // of XML, neither written out nor by reference: like a lone surrogate,
    // which has no UTF-8 form, each becomes U+FFFD, so that the file stays
    // one that every reader (this program's included) opens.
    static char *appendEscaped(char *p, const QString &text)
    {
        const char16_t *s = reinterpret_cast<const char16_t *>(text.utf16());
        const char16_t *const end = s + text.size();
        while (s < end) {
            char32_t c = *s++;
            if (c < 0x80) {
                if (c >= 0x20 && c != '&' && c != '<' && c != '>') {
                    *p++ = char(c);
                    continue;
                }
                switch (c) {
                case '&': p = copy(p, "&amp;", 5); break;
                case '<': p = copy(p, "&lt;", 4); break;
                case '>': p = copy(p, "&gt;", 4); break;
                case '\t':
                case '\n': *p++ = char(c); break;
                case '\r': p = copy(p, "&#13;", 5); break;
                default: p = copy(p, "\xef\xbf\xbd", 3);
                }
                continue;
            }
            if (c >= 0xD800 && c <= 0xDBFF && s < end && *s >= 0xDC00 && *s <= 0xDFFF)
                c = 0x10000 + ((c - 0xD800) << 10) + (char32_t(*s++) - 0xDC00);
            else if ((c >= 0xD800 && c <= 0xDFFF) || c == 0xFFFE || c == 0xFFFF)
                c = 0xFFFD;
            if (c < 0x800) {
                *p++ = char(0xC0 | (c >> 6));
                *p++ = char(0x80 | (c & 0x3F));
            } else if (c < 0x10000) {
                *p++ = char(0xE0 | (c >> 12));
                *p++ = char(0x80 | ((c >> 6) & 0x3F));
                *p++ = char(0x80 | (c & 0x3F));
            } else {
                *p++ = char(0xF0 | (c >> 18));
                *p++ = char(0x80 | ((c >> 12) & 0x3F));
                *p++ = char(0x80 | ((c >> 6) & 0x3F));
                *p++ = char(0x80 | (c & 0x3F));
            }
        }
        return p;
    }

    QSaveFile &m_file;
    std::unique_ptr<char[]> m_buf;
    size_t m_len = 0;
    size_t m_capacity = Capacity;
};

void writeTable(XmlDocument &doc, const MyTable &t)
{
    doc.openElement("table");
    // The settings first, then the fields (the reader takes fields wherever
    // they stand among the settings).
    doc.AddSettings<tableElements>(t);
    for (const FieldPtr &f : t.Fields) {
        doc.openElement("field");
        doc.AddSettings<fieldElements>(*f);
        doc.closeElement("field");
        // A large project takes a while; keep the windows drawn.
        ui().processEvents();
    }
    doc.closeElement("table");
}

// Refuses the cases in which replacing the file would succeed on this
// platform although the user asked for the file to stay as it is.
void checkTarget(const QString &fileName)
{
    if (fileName.isEmpty())
        raise(Err::BadFileName);
    const QFileInfo info(fileName);
    if (!info.absoluteDir().exists())
        raise(Err::PathNotFound);
    if (info.exists()) {
        if (info.isDir())
            raise(Err::PathFileAccess);
        // A file without write permission for its owner counts as
        // read-only, also for a user who could override it.
        if (!info.isWritable() || !(info.permissions() & QFileDevice::WriteOwner))
            raise(Err::PermissionDenied);
    }
}

} // namespace

bool WriteXmlProject(const QString &FileName, const MyDB &DB)
{
    checkTarget(FileName);
    // The old file is replaced only by a complete new one: a failed or
    // interrupted save (an error raised on the way included, which leaves
    // the file uncommitted) keeps it as it was.
    QSaveFile file(FileName);
    if (!file.open(QIODevice::WriteOnly)) {
        const QFileInfo folder(QFileInfo(FileName).absolutePath());
        raise(folder.isWritable() ? Err::PathFileAccess : Err::PermissionDenied);
    }

    XmlDocument doc(file);
    doc.openElement("database");
    // The same: the settings, then the tables.
    doc.AddSettings<databaseElements>(DB);
    for (const TablePtr &t : DB.Tables)
        writeTable(doc, *t);
    doc.closeElement("database");
    doc.finish();

    if (!file.commit())
        raise(Err::DeviceIO);
    return true;
}

} // namespace tess
