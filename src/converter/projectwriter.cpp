#include "converter/projectwriter.h"

#include "platform/runtimeerror.h"
#include "platform/ui.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <charconv>
#include <cstring>
#include <memory>

namespace tess {

namespace {

// The document is serialised as it is built, element by element, into a
// buffer that goes to the file whenever it fills.
class XmlDocument {
public:
    explicit XmlDocument(QSaveFile &file) : m_file(file), m_buf(new char[Capacity]) {}

    // Element names are literals: their lengths are known when compiling,
    // and each element is one reservation and a few fixed-size copies.
    template <size_t N>
    void openElement(const char (&name)[N])
    {
        commit(startTag(reserve(N + 1), name));
    }
    template <size_t N>
    void closeElement(const char (&name)[N])
    {
        commit(endTag(reserve(N + 2), name));
    }

    // An element with a text value; an empty text gives an empty-element tag.
    template <size_t N>
    void AddTextElement(const char (&name)[N], const QString &value)
    {
        if (value.isEmpty()) {
            char *p = reserve(N + 2);
            *p++ = '<';
            p = copy(p, name, N - 1);
            *p++ = '/';
            *p++ = '>';
            commit(p);
            return;
        }
        // At most 5 bytes per UTF-16 unit ("&amp;", "&#13;"; 3 for non-ASCII).
        char *p = reserve(2 * N + 3 + size_t(value.size()) * 5);
        p = startTag(p, name);
        p = appendEscaped(p, value);
        commit(endTag(p, name));
    }
    template <size_t N>
    void AddTextElement(const char (&name)[N], bool value)
    {
        char *p = startTag(reserve(2 * N + 8), name);
        p = value ? copy(p, "True", 4) : copy(p, "False", 5);
        commit(endTag(p, name));
    }
    template <size_t N>
    void AddTextElement(const char (&name)[N], qint32 value)
    {
        char *p = startTag(reserve(2 * N + 3 + 11), name);
        p = std::to_chars(p, p + 11, value).ptr;
        commit(endTag(p, name));
    }
    template <size_t N>
    void AddTextElement(const char (&name)[N], qint16 value)
    {
        AddTextElement(name, qint32(value));
    }
    template <size_t N>
    void AddTextElement(const char (&name)[N], const Variant &value)
    {
        AddTextElement(name, value.toText());
    }

    void finish() { flush(); }

private:
    static constexpr size_t Capacity = size_t(1) << 20;

    static char *copy(char *p, const char *s, size_t n)
    {
        std::memcpy(p, s, n);
        return p + n;
    }
    template <size_t N>
    static char *startTag(char *p, const char (&name)[N])
    {
        *p++ = '<';
        p = copy(p, name, N - 1);
        *p++ = '>';
        return p;
    }
    template <size_t N>
    static char *endTag(char *p, const char (&name)[N])
    {
        *p++ = '<';
        *p++ = '/';
        p = copy(p, name, N - 1);
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

void writeField(XmlDocument &doc, const MyField &f)
{
    doc.openElement("field");
    doc.AddTextElement("caption", f.Caption);
    doc.AddTextElement("name", f.Name);
    doc.AddTextElement("dataType", f.pDataType);
    doc.AddTextElement("length", f.pLength);
    doc.AddTextElement("precision", f.pPrecision);
    doc.AddTextElement("autoIncrement", f.pAutoIncrement);
    doc.AddTextElement("binary", f.pBinary);
    doc.AddTextElement("notNull", f.pNotNull);
    doc.AddTextElement("primaryKey", f.pPrimaryKey);
    doc.AddTextElement("unique", f.pUnique);
    doc.AddTextElement("unsigned", f.pUnsigned);
    doc.AddTextElement("zeroFill", f.pZeroFill);
    doc.AddTextElement("default", f.pDefault);
    doc.AddTextElement("columnWidth", f.ColumnWidth);
    doc.AddTextElement("maxLengthInTableView", f.pNumChars);
    doc.AddTextElement("allowImageUpload", f.pAllowImageUpload);
    doc.AddTextElement("tableImage", f.pTableImage);
    doc.AddTextElement("detailImage", f.pDetailImage);
    doc.AddTextElement("tableLink", f.pTableLink);
    doc.AddTextElement("detailLink", f.pDetailLink);
    doc.AddTextElement("maxUploadSize", f.pMaxUploadSize);
    doc.AddTextElement("allowedFileTypes", f.pUploadFileTypes);
    doc.AddTextElement("deleteFiles", f.pDeleteFiles);
    doc.AddTextElement("noFileRename", f.pNoFileRename);
    doc.AddTextElement("parentCaptionField", f.ParentCaptionField);
    doc.AddTextElement("parentIDField", f.ParentIDField);
    doc.AddTextElement("parentTable", f.ParentTable);
    doc.AddTextElement("CSValueList", f.CSValueList);
    doc.AddTextElement("CSValueListType", f.CSValueListType);
    doc.AddTextElement("hidden", f.pHidden);
    doc.AddTextElement("hideInDetailView", f.pHideInDetailView);
    doc.AddTextElement("notFiltered", f.pNotFiltered);
    doc.AddTextElement("readOnly", f.pReadOnly);
    doc.AddTextElement("index", f.Index);
    doc.AddTextElement("textarea", f.pTextarea);
    doc.closeElement("field");
}

void writeTable(XmlDocument &doc, const MyTable &t)
{
    doc.openElement("table");
    doc.AddTextElement("name", t.Name);
    doc.AddTextElement("allowInsert", t.AllowInsert);
    doc.AddTextElement("allowUpdate", t.AllowUpdate);
    doc.AddTextElement("allowCSV", t.AllowCSV);
    doc.AddTextElement("allowDelete", t.AllowDelete);
    doc.AddTextElement("allowFilters", t.AllowFilters);
    doc.AddTextElement("allowPrint", t.AllowPrint);
    doc.AddTextElement("allowSavingFilters", t.AllowSavingFilters);
    doc.AddTextElement("allowSelection", t.AllowSelection);
    doc.AddTextElement("allowSorting", t.AllowSorting);
    doc.AddTextElement("caption", t.Caption);
    doc.AddTextElement("detailViewLabel", t.DetailViewLabel);
    doc.AddTextElement("hideTableView", t.HideTableView);
    doc.AddTextElement("quickSearch", t.QuickSearch);
    doc.AddTextElement("recordsPerPage", t.RecordsPerPage);
    doc.AddTextElement("redirectAfterInsert", t.RedirectAfterInsert);
    doc.AddTextElement("filterCount", t.FilterCount);
    for (const FieldPtr &f : t.Fields) {
        writeField(doc, *f);
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
    doc.AddTextElement("databaseName", DB.DBName);
    doc.AddTextElement("databaseUser", DB.UserName);
    doc.AddTextElement("databasePassword", DB.Password);
    doc.AddTextElement("databaseServer", DB.Server);
    doc.AddTextElement("hideNavMenu", DB.HideNavMenu);
    doc.AddTextElement("styleSheetFile", DB.StyleSheetFile);
    doc.AddTextElement("scrollStyle", DB.ScrollStyle);
    doc.AddTextElement("dateFormat", DB.DateFormat);
    doc.AddTextElement("dateSeparator", DB.DateSeparator);
    for (const TablePtr &t : DB.Tables)
        writeTable(doc, *t);
    doc.closeElement("database");
    doc.finish();

    if (!file.commit())
        raise(Err::DeviceIO);
    return true;
}

} // namespace tess
