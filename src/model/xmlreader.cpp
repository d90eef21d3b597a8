#include "model/xmlreader.h"
#include "model/projectelements.h"
#include "model/xmlchars.h"

#include "platform/convert.h"
#include "platform/regularfile.h"
#include "platform/runtimeerror.h"
#include "platform/ui.h"

#include <QByteArray>
#include <QStringDecoder>

#include <pugixml.hpp>

#include <bitset>
#include <cstring>
#include <exception>
#include <iterator>
#include <string>
#include <string_view>

namespace tess {

namespace {

// ---------------------------------------------------------------------------
// Values: the text of a node and its conversions.

// The parser keeps the first text piece of an element in the element itself
// instead of in a child node of its own (half the nodes for a project file,
// whose elements nearly all hold one piece). Such a piece still counts as
// the element's first child node wherever children are counted or joined.
bool hasEmbeddedText(const pugi::xml_node &node)
{
    return node.type() == pugi::node_element && *node.value() != 0;
}

// Calls visit for every node below top (top itself not), in document order,
// until it returns false; false then. A loop, not a recursion: a hostile
// file may nest elements deeper than any stack.
template <typename Visit>
bool forEachBelow(const pugi::xml_node &top, Visit visit)
{
    pugi::xml_node n = top.first_child();
    while (n) {
        if (!visit(n))
            return false;
        if (const pugi::xml_node c = n.first_child()) {
            n = c;
            continue;
        }
        while (!n.next_sibling()) {
            n = n.parent();
            if (n == top)
                return true;
        }
        n = n.next_sibling();
    }
    return true;
}

// The text content of a node: every text and CDATA piece below it, joined in
// document order.
void appendText(const pugi::xml_node &node, std::string &buf)
{
    buf += node.value(); // the embedded first piece, if any
    forEachBelow(node, [&buf](const pugi::xml_node &c) {
        switch (c.type()) {
        case pugi::node_pcdata:
        case pugi::node_cdata:
        case pugi::node_element:
            buf += c.value();
            break;
        default:
            break;
        }
        return true;
    });
}

// The usual element holds one piece, which is returned without copying; buf
// holds the joined text otherwise.
std::string_view nodeText(const pugi::xml_node &node, std::string &buf)
{
    // Without children, an element's text is its embedded piece or nothing,
    // and a processing instruction's text is its data: value() either way.
    // (Text nodes never get here: their names match nothing.)
    const pugi::xml_node first = node.first_child();
    if (!first)
        return node.value();
    if (*node.value() == 0 && !first.next_sibling()) {
        const pugi::xml_node_type type = first.type();
        if (type == pugi::node_pcdata || type == pugi::node_cdata)
            return first.value();
    }
    buf.clear();
    appendText(node, buf);
    return buf;
}

QString toQString(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

// Plain decimal digits with an optional "-": the form the writer produces,
// read without a detour through QString. Anything else takes the general
// path.
bool plainInteger(std::string_view s, double &out)
{
    size_t i = 0;
    bool negative = false;
    if (!s.empty() && s[0] == '-') {
        negative = true;
        i = 1;
    }
    if (i == s.size() || s.size() - i > 12)
        return false;
    long long v = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9')
            return false;
        v = v * 10 + (s[i] - '0');
    }
    out = double(negative ? -v : v);
    return true;
}

// Stores a text. One that equals what the member holds already (a
// placeholder or default, as often as not) is left in place instead of
// copied; the check is only made for ASCII, where it is cheap.
void setText(QString &member, std::string_view s)
{
    if (qsizetype(s.size()) == member.size()) {
        const char16_t *u = reinterpret_cast<const char16_t *>(member.utf16());
        size_t i = 0;
        while (i < s.size() && static_cast<unsigned char>(s[i]) < 0x80 && u[i] == char16_t(s[i]))
            ++i;
        if (i == s.size())
            return;
    }
    member = toQString(s);
}

bool flag(std::string_view s)
{
    if (s == "True")
        return true;
    if (s == "False")
        return false;
    return toBoolean(toQString(s));
}

qint16 number16(std::string_view s)
{
    double v = 0;
    if (plainInteger(s, v))
        return toInt16(v);
    return toInt16(toQString(s));
}

// The leading number of a text; blanks, tabs and line feeds are ignored
// wherever they stand ("1 2px" reads 12).
double leading(std::string_view s)
{
    double v = 0;
    if (plainInteger(s, v))
        return v;
    return leadingNumberIgnoringBlanks(toQString(s));
}

qint16 leading16(std::string_view s) { return toInt16(leading(s)); }
qint32 leading32(std::string_view s) { return toInt32(leading(s)); }

// An empty text stores the number 0; any other text is kept as text.
Variant textOrZero(std::string_view s)
{
    if (s.empty())
        return Variant(0);
    return Variant(toQString(s));
}

// ---------------------------------------------------------------------------
// The settings of each level (model/projectelements.h), in the order the
// writer puts them, so that the lookup of the next name is nearly always its
// first guess.

template <typename Record, size_t N>
class SettingTable {
public:
    explicit constexpr SettingTable(const ProjectElement<Record> (&elements)[N]) : m_elements(elements) {}

    // The setting named name, or nullptr; hint is the position after the
    // previous match.
    const ProjectElement<Record> *find(const char *name, size_t &hint) const
    {
        if (hint < N && std::strcmp(m_elements[hint].name.data(), name) == 0)
            return &m_elements[hint++];
        for (size_t i = 0; i < N; ++i) {
            if (std::strcmp(m_elements[i].name.data(), name) == 0) {
                hint = i + 1;
                return &m_elements[i];
            }
        }
        return nullptr;
    }

private:
    const ProjectElement<Record> (&m_elements)[N];
};

constexpr SettingTable dbTable(databaseElements);
constexpr SettingTable tableTable(tableElements);
constexpr SettingTable fieldTable(fieldElements);

// Stores the text of the element e into its member of r. A conversion that
// raises leaves the member as it was.
template <typename Record>
void apply(const ProjectElement<Record> &e, Record &r, std::string_view v)
{
    switch (e.kind) {
    case ElementKind::Text:
        setText(r.*e.text, v);
        break;
    case ElementKind::Flag:
        r.*e.flag = flag(v);
        break;
    case ElementKind::Number16:
        r.*e.int16 = number16(v);
        break;
    case ElementKind::OptionalNumber16:
        r.*e.int16 = v.empty() ? qint16(0) : number16(v);
        break;
    case ElementKind::Leading16:
        r.*e.int16 = leading16(v);
        break;
    case ElementKind::ListType16: {
        const qint16 type = leading16(v);
        r.*e.int16 = (type < 0 || type > 2) ? qint16(0) : type;
        break;
    }
    case ElementKind::Leading32:
        r.*e.int32 = leading32(v);
        break;
    case ElementKind::TextOrZero:
        r.*e.variant = textOrZero(v);
        break;
    }
}

// ---------------------------------------------------------------------------
// Characters (see xmlchars.h): character references are decoded and checked
// here instead of by the parser.

// The parser leaves every text where it found it, in the buffer it parsed,
// which is writable; nothing has set a text of its own.
char *parsedText(const char *text) { return const_cast<char *>(text); }

// Decodes the references in the texts and attribute values of a document
// parsed without decoding them, and checks the characters they name.
bool decodeDocumentReferences(pugi::xml_document &doc)
{
    return forEachBelow(doc, [](const pugi::xml_node &n) {
        const pugi::xml_node_type type = n.type();
        if ((type == pugi::node_pcdata || type == pugi::node_element) && !decodeReferences(parsedText(n.value())))
            return false;
        for (pugi::xml_attribute a = n.first_attribute(); a; a = a.next_attribute())
            if (!decodeReferences(parsedText(a.value())))
                return false;
        return true;
    });
}

// Whether the bytes of a document in an encoding other than UTF-8 hold
// characters XML allows only.
bool isXmlDocumentText(const QByteArray &bytes, pugi::xml_encoding encoding)
{
    QStringConverter::Encoding e;
    switch (encoding) {
    case pugi::encoding_utf16_le: e = QStringConverter::Utf16LE; break;
    case pugi::encoding_utf16_be: e = QStringConverter::Utf16BE; break;
    case pugi::encoding_utf32_le: e = QStringConverter::Utf32LE; break;
    case pugi::encoding_utf32_be: e = QStringConverter::Utf32BE; break;
    case pugi::encoding_latin1: e = QStringConverter::Latin1; break;
    default: return false;
    }
    QStringDecoder decode(e, QStringConverter::Flag::Stateless);
    const QString text = decode(bytes);
    return !decode.hasError() && isXmlText(text);
}

// ---------------------------------------------------------------------------
// Loading.

bool atMostOneChild(const pugi::xml_node &node)
{
    const pugi::xml_node first = node.first_child();
    if (hasEmbeddedText(node))
        return !first;
    return !first || !first.next_sibling();
}

bool isFieldNode(const pugi::xml_node &node)
{
    return std::strcmp(node.name(), "field") == 0 && !atMostOneChild(node);
}

// The document level as a well-formed document has it: one element, with
// only the declaration, a document type before the element, comments and
// processing instructions around it. The parser runs in fragment mode so
// that stray text and further elements at this level show up as nodes.
bool wellFormedDocumentLevel(const pugi::xml_document &doc, bool startsWithDeclaration, pugi::xml_node &root)
{
    int elements = 0;
    for (pugi::xml_node c = doc.first_child(); c; c = c.next_sibling()) {
        switch (c.type()) {
        case pugi::node_element:
            ++elements;
            root = c;
            break;
        case pugi::node_doctype:
            if (elements != 0)
                return false;
            break;
        case pugi::node_declaration:
            // Only the very first thing in the file may declare it.
            if (c != doc.first_child() || !startsWithDeclaration)
                return false;
            break;
        case pugi::node_comment:
        case pugi::node_pi:
            break;
        default:
            return false;
        }
    }
    return elements == 1;
}

constexpr unsigned parseFlags = pugi::parse_cdata | pugi::parse_comments | pugi::parse_pi | pugi::parse_declaration
    | pugi::parse_doctype | pugi::parse_ws_pcdata_single | pugi::parse_fragment | pugi::parse_embed_pcdata;

// Loads the file; false when it is missing, unreadable, no regular file or
// not a well-formed document. data holds the parsed text for the document's
// life.
bool loadDocument(const QString &fileName, QByteArray &data, pugi::xml_document &doc, pugi::xml_node &root)
{
    if (!readRegularFile(fileName, data))
        return false;
    // Checked before parsing, which changes the bytes in place; a file that
    // fails may still be in another encoding, whose bytes are kept aside
    // for their own check.
    const bool utf8Text = isXmlText(data.constData(), size_t(data.size()));
    const QByteArray original = utf8Text ? QByteArray() : data;
    // Character references are decoded by decodeDocumentReferences, which checks
    // them. Without any in the file (no "&#" in a file of 8-bit characters,
    // which any other encoding would show as a NUL byte) the parser decodes
    // the other references itself, the same way and faster.
    const bool numericReferences = containsNumericReference(data) || data.contains('\0');
    const qsizetype bom = data.startsWith("\xef\xbb\xbf") ? 3 : 0;
    const bool startsWithDeclaration = QByteArrayView(data).sliced(bom).startsWith("<?xml");
    const unsigned flags = numericReferences ? parseFlags : parseFlags | pugi::parse_escapes;
    const pugi::xml_parse_result result = doc.load_buffer_inplace(data.data(), size_t(data.size()), flags, pugi::encoding_auto);
    if (!result)
        return false;
    // The parser passes malformed UTF-8 and any control character through
    // unchanged; a conforming reader refuses them.
    if (!utf8Text && (result.encoding == pugi::encoding_utf8 || !isXmlDocumentText(original, result.encoding)))
        return false;
    return wellFormedDocumentLevel(doc, startsWithDeclaration, root) && (!numericReferences || decodeDocumentReferences(doc));
}

// The next element named table from node on (node included), as a search for
// the root's child elements of that name finds them.
pugi::xml_node tableFrom(pugi::xml_node node)
{
    for (; node; node = node.next_sibling())
        if (node.type() == pugi::node_element && std::strcmp(node.name(), "table") == 0)
            return node;
    return {};
}

void refuse(const QString &message) { ui().messageBox(message, Mb::OkOnly | Mb::Critical); }

const QString kLoadFailed = QStringLiteral("Errors while loading the document. Invalid file format");

bool readProject(const QString &FileName, MyDB &db)
{
    QByteArray data;
    pugi::xml_document doc;
    pugi::xml_node root;
    if (!loadDocument(FileName, data, doc, root)) {
        refuse(kLoadFailed);
        return false;
    }

    std::string buf;

    // Database settings first, whatever the place of the tables among them.
    // Nodes with several children (the tables) are passed over here.
    size_t hint = 0;
    std::bitset<std::size(databaseElements)> settingsRead;
    for (pugi::xml_node c = root.first_child(); c; c = c.next_sibling()) {
        if (!atMostOneChild(c))
            continue;
        if (const auto *e = dbTable.find(c.name(), hint)) {
            apply(*e, db, nodeText(c, buf));
            settingsRead.set(size_t(e - databaseElements));
        }
    }

    const pugi::xml_node firstTable = tableFrom(root.first_child());
    if (!firstTable) {
        // A project saved before its first table is a database element
        // with every one of its settings; anything less is no project file
        // at all.
        if (std::strcmp(root.name(), "database") == 0 && settingsRead.all())
            return true;
        refuse(QStringLiteral("No tables found in the project file. The file format may be invalid."));
        return false;
    }

    for (pugi::xml_node t = firstTable; t; t = tableFrom(t.next_sibling())) {
        MyTable &table = *db.Tables.Add(QStringLiteral("newTable"), QStringLiteral("tableName"));
        size_t tableHint = 0;
        for (pugi::xml_node c = t.first_child(); c; c = c.next_sibling()) {
            if (isFieldNode(c)) {
                MyField &field = *table.Fields.Add({}, {}, {}, {}, QStringLiteral("caption"), QStringLiteral("name"),
                                                   false, false, 4, 0, 0, {}, false, false, false, false, false);
                size_t fieldHint = 0;
                for (pugi::xml_node fc = c.first_child(); fc; fc = fc.next_sibling()) {
                    if (const auto *e = fieldTable.find(fc.name(), fieldHint))
                        apply(*e, field, nodeText(fc, buf));
                    ui().processEvents();
                }
            } else {
                if (const auto *e = tableTable.find(c.name(), tableHint))
                    apply(*e, table, nodeText(c, buf));
                ui().processEvents();
            }
        }
    }
    return true;
}

} // namespace

bool ReadXmlProject(const QString &FileName, MyDB &db)
{
    try {
        return readProject(FileName, db);
    } catch (const RuntimeError &) {
        throw; // a value its conversion cannot take: the caller reports it
    } catch (const std::exception &) {
        // Out of memory, as a rule: refused like any file that cannot be
        // loaded.
        refuse(kLoadFailed);
        return false;
    }
}

} // namespace tess
