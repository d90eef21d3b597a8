#include "model/styles.h"
#include "model/scramble.h"
#include "platform/cp1252.h"
#include "platform/regularfile.h"
#include "platform/runtimeerror.h"
#include "platform/savefile.h"
#include "platform/ui.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace tess {

namespace {

constexpr int kSlots = 30;

// The character that scrambles to a double quote (0x22 ^ 0xD5 = 0xF7).
constexpr char16_t kScrambledQuote = 0x00F7;

const QString kCrLf = QStringLiteral("\r\n");

struct DefaultStyle {
    const char *name;
    QStringList items;
};

QList<DefaultStyle> defaultStyles()
{
    const QString F = QStringLiteral("font-family:verdana,arial,tahoma;");
    const QString S = QStringLiteral("font-size:12px;");
    return {
        {"TableTitle", {F, "font-size:22px;", "font-weight:normal;", "text-indent:5px;", "color:#565656;",
                        "text-decoration:none;"}},
        {"TableHeader", {F, S, "font-weight:none;", "background-color:#D5D3CC;", "text-indent:5px;",
                         "color:black;", "text-decoration:none;"}},
        {"TableHeader:hover", {"color:#A52A00;"}},
        {"TableBody", {F, S, "padding-left: 3px;", "color:black;", "background-color:#EEEEEB;"}},
        {"TableBody:hover", {"color:red;"}},
        {"TableBodyNumeric", {F, S, "color:black;", "background-color:#EEEEEB;", "text-align:right;",
                              "padding-right: 3px;"}},
        {"TableBodyNumeric:hover", {"color:red;"}},
        {"TableFooter", {F, "font-weight:bold;", S, "background-color:#D5D3CC;", "text-align:center;"}},
        {"TableBodySelected", {F, S, "background-color:#E2DBC3;", "padding-left: 3px;", "color: #383881;"}},
        {"TableBodySelectedNumeric", {F, S, "background-color:#E2DBC3;", "padding-right: 3px;",
                                      "color: #383881;", "text-align: right;"}},
        {"Error", {F, S, "font-weight:bold;", "background-color:#EEEEEB;", "text-indent:5px;",
                   "color:#282828;", "text-decoration:none;", "margin-bottom:10px;"}},
        {"TextBox", {F, S, "border-style:solid;", "border-width:1px;", "border-color:black;"}},
        {"Option", {F, S}},
        {"SelectedOption", {F, S, "color:#888067;"}},
    };
}

// Reads the quoted strings of a style file one after another. A quoted
// string runs to the next double quote; a comma or a line end separates
// two strings. Blanks and line ends between strings are skipped, so
// trailing line ends count as the end of the file.
class StyleFileReader {
public:
    explicit StyleFileReader(QString text) : m_text(std::move(text)) {}

    bool atEnd()
    {
        skipBlanks(true);
        return m_pos >= m_text.size();
    }

    QString next()
    {
        if (atEnd())
            raise(Err::InputPastEnd);
        QString value;
        if (m_text[m_pos] == u'"') {
            const qsizetype close = m_text.indexOf(u'"', m_pos + 1);
            if (close < 0) {
                value = m_text.mid(m_pos + 1);
                m_pos = m_text.size();
            } else {
                value = m_text.mid(m_pos + 1, close - m_pos - 1);
                m_pos = close + 1;
            }
        } else {
            const qsizetype start = m_pos;
            while (m_pos < m_text.size() && !isSeparator(m_text[m_pos]))
                ++m_pos;
            value = m_text.mid(start, m_pos - start).trimmed();
        }
        skipBlanks(false);
        if (m_pos < m_text.size()) {
            if (m_text[m_pos] == u',') {
                ++m_pos;
            } else if (m_text[m_pos] == u'\r') {
                ++m_pos;
                if (m_pos < m_text.size() && m_text[m_pos] == u'\n')
                    ++m_pos;
            } else if (m_text[m_pos] == u'\n') {
                ++m_pos;
            }
        }
        return value;
    }

private:
    static bool isSeparator(QChar c) { return c == u',' || c == u'\r' || c == u'\n'; }

    void skipBlanks(bool lineEndsToo)
    {
        while (m_pos < m_text.size()) {
            const QChar c = m_text[m_pos];
            if (c == u' ' || c == u'\t' || (lineEndsToo && (c == u'\r' || c == u'\n')))
                ++m_pos;
            else
                break;
        }
    }

    QString m_text;
    qsizetype m_pos = 0;
};

// Only a regular file is read (one that became something else since it was
// looked up included), and no further than its size.
QByteArray readStylesFile(const QString &path)
{
    QByteArray bytes;
    if (!readRegularFile(path, bytes))
        raise(Err::PermissionDenied);
    return bytes;
}

// A line of the style file: the scrambled text in double quotes. The one
// character that would scramble into a quote is left out.
QString fileString(QString text)
{
    text.remove(QChar(kScrambledQuote));
    return u'"' + ScrambleText(text) + u'"' + kCrLf;
}

} // namespace

void LoadDefaultStyles(StyleTable &table)
{
    const QList<DefaultStyle> defaults = defaultStyles();
    for (int slot = 1; slot <= kSlots; ++slot) {
        if (slot <= defaults.size()) {
            const DefaultStyle &d = defaults[slot - 1];
            table.StyleNames[slot] = QString::fromLatin1(d.name);
            table.StyleDefinitions[slot] = d.items.join(kCrLf);
        } else {
            table.StyleNames[slot].clear();
            table.StyleDefinitions[slot].clear();
        }
    }
}

void LoadStylesFile(const QString &FileName)
{
    if (FileName.isEmpty())
        return;
    AppState &state = app();
    MyDB &db = *state.ProjectDB;

    if (!QFileInfo(FileName).isFile()) {
        ui().messageBox(QStringLiteral("The styles file '") + FileName
                            + QStringLiteral("' was not found. Default styles will be uploaded."),
                        Mb::OkOnly | Mb::Information);
        if (!db.StyleSheetFile.isEmpty())
            state.ProjectSaved = false;
        db.StyleSheetFile.clear();
        state.showStyleFileName(QString());
        LoadDefaultStyles(state.Styles);
        return;
    }

    StyleFileReader reader(cp1252::decode(readStylesFile(FileName)));
    int slot = 0;
    while (!reader.atEnd()) {
        ++slot;
        const QString name = reader.next();
        const QString definitions = reader.next();
        if (slot > kSlots)
            raise(Err::SubscriptOutOfRange);
        state.Styles.StyleNames[slot] = ScrambleText(name);
        state.Styles.StyleDefinitions[slot] = ScrambleText(definitions);
    }

    state.showStyleFileName(FileName);
    if (db.StyleSheetFile != FileName)
        state.ProjectSaved = false;
    db.StyleSheetFile = FileName;
}

QByteArray StylesFileBytes(const StyleTable &table)
{
    QString text;
    for (int slot = 1; slot <= kSlots; ++slot) {
        if (table.StyleNames[slot].isEmpty())
            continue;
        text += fileString(table.StyleNames[slot]);
        text += fileString(table.StyleDefinitions[slot]);
    }
    return cp1252::encode(text);
}

void SaveStylesFile(const QString &path, const StyleTable &table)
{
    saveWholeFile(path, StylesFileBytes(table));
}

QString StorableStyleText(QString text)
{
    text.remove(u'"');
    text.remove(QChar(kScrambledQuote));
    return text;
}

} // namespace tess
