#include "converter/projectwriter.h"

#include "platform/runtimeerror.h"
#include "platform/ui.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <charconv>
#include <string>

namespace tess {

namespace {

// The document is serialised as it is built: one pass, straight into the
// bytes of the file.
class XmlDocument {
public:
    XmlDocument() { m_out.reserve(1 << 16); }

    void openElement(const char *name)
    {
        m_out += '<';
        m_out += name;
        m_out += '>';
    }
    void closeElement(const char *name)
    {
        m_out += "</";
        m_out += name;
        m_out += '>';
    }

    // An element with a text value; an empty text gives an empty-element tag.
    void AddTextElement(const char *name, const QString &value)
    {
        if (value.isEmpty()) {
            emptyElement(name);
            return;
        }
        openElement(name);
        appendEscaped(value);
        closeElement(name);
    }
    void AddTextElement(const char *name, bool value)
    {
        openElement(name);
        m_out += value ? "True" : "False";
        closeElement(name);
    }
    void AddTextElement(const char *name, qint32 value)
    {
        openElement(name);
        char digits[16];
        const auto r = std::to_chars(digits, digits + sizeof digits, value);
        m_out.append(digits, r.ptr);
        closeElement(name);
    }
    void AddTextElement(const char *name, qint16 value) { AddTextElement(name, qint32(value)); }
    void AddTextElement(const char *name, const Variant &value) { AddTextElement(name, value.toText()); }

    const std::string &bytes() const { return m_out; }

private:
    void emptyElement(const char *name)
    {
        m_out += '<';
        m_out += name;
        m_out += "/>";
    }

    // UTF-8 with the markup characters escaped. A CR goes out as a
    // character reference so that readers that normalise line ends keep it;
    // other control characters, which XML cannot carry literally, too.
    void appendEscaped(const QString &text)
    {
        const char16_t *p = reinterpret_cast<const char16_t *>(text.utf16());
        const char16_t *const end = p + text.size();
        while (p < end) {
            char32_t c = *p++;
            if (c < 0x80) {
                switch (c) {
                case '&': m_out += "&amp;"; break;
                case '<': m_out += "&lt;"; break;
                case '>': m_out += "&gt;"; break;
                case '\t':
                case '\n': m_out += char(c); break;
                default:
                    if (c < 0x20) {
                        m_out += "&#";
                        m_out += std::to_string(unsigned(c));
                        m_out += ';';
                    } else {
                        m_out += char(c);
                    }
                }
                continue;
            }
            if (c >= 0xD800 && c <= 0xDBFF && p < end && *p >= 0xDC00 && *p <= 0xDFFF)
                c = 0x10000 + ((c - 0xD800) << 10) + (char32_t(*p++) - 0xDC00);
            else if (c >= 0xD800 && c <= 0xDFFF)
                c = 0xFFFD; // a lone surrogate has no UTF-8 form
            if (c < 0x800) {
                m_out += char(0xC0 | (c >> 6));
                m_out += char(0x80 | (c & 0x3F));
            } else if (c < 0x10000) {
                m_out += char(0xE0 | (c >> 12));
                m_out += char(0x80 | ((c >> 6) & 0x3F));
                m_out += char(0x80 | (c & 0x3F));
            } else {
                m_out += char(0xF0 | (c >> 18));
                m_out += char(0x80 | ((c >> 12) & 0x3F));
                m_out += char(0x80 | ((c >> 6) & 0x3F));
                m_out += char(0x80 | (c & 0x3F));
            }
        }
    }

    std::string m_out;
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
    XmlDocument doc;
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

    checkTarget(FileName);
    // The old file is replaced only by a complete new one: a failed or
    // interrupted save leaves it untouched.
    QSaveFile file(FileName);
    if (!file.open(QIODevice::WriteOnly)) {
        const QFileInfo folder(QFileInfo(FileName).absolutePath());
        raise(folder.isWritable() ? Err::PathFileAccess : Err::PermissionDenied);
    }
    const std::string &bytes = doc.bytes();
    if (file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size())) {
        file.cancelWriting();
        raise(Err::DeviceIO);
    }
    if (!file.commit())
        raise(Err::DeviceIO);
    return true;
}

} // namespace tess
