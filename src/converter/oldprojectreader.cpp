#include "converter/oldprojectreader.h"

#include "model/scramble.h"
#include "platform/convert.h"
#include "platform/runtimeerror.h"
#include "platform/ui.h"

#include <QFile>

#include <cmath>
#include <limits>

namespace tess {

QuotedTokenReader::QuotedTokenReader(const QString &FileName)
{
    if (FileName.isEmpty())
        return;
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly))
        return;
    m_bytes = file.readAll();
    // A read that breaks off gives up the stream, as its end does.
    if (file.error() != QFileDevice::NoError)
        m_bytes.clear();
}

std::optional<QString> QuotedTokenReader::ReadQuotedToken()
{
    const qsizetype open = m_bytes.indexOf('"', m_pos);
    if (open < 0) {
        m_pos = m_bytes.size();
        return std::nullopt;
    }
    const qsizetype close = m_bytes.indexOf('"', open + 1);
    if (close < 0) {
        m_pos = m_bytes.size();
        return std::nullopt;
    }
    m_pos = close + 1;
    // The quote is looked for in the bytes as stored; unscrambling comes
    // before decoding so that no byte is lost to the code page.
    return UnscrambleBytes(QByteArrayView(m_bytes).sliced(open + 1, close - open - 1));
}

namespace {

// The file ended where a fixed token was due.
struct EndInFixedTokens {};

// ---------------------------------------------------------------------------
// Conversions of token texts.

// A number too large for a double is an overflow, whatever it is read into.
double number(const QString &token)
{
    const double v = leadingNumberIgnoringBlanks(token);
    if (std::isinf(v))
        raise(Err::Overflow);
    return v;
}
qint16 integer(const QString &token) { return toInt16(number(token)); }
qint32 longInteger(const QString &token) { return toInt32(number(token)); }

// The whole token as a number; only 49, the code of the digit one, sets a
// flag. A token that is no number at all is a type mismatch.
bool flag(const QString &token) { return strictNumber(token) == 49; }

// A number as the date settings hold one: a whole number as a number, any
// other value in its text form, which every reader of them takes as that
// number again.
Variant numberValue(const QString &token)
{
    const double v = number(token);
    if (v == std::trunc(v) && v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max())
        return Variant(int(v));
    return Variant(QString::number(v, 'g', 15).toUpper());
}

// ---------------------------------------------------------------------------
// The grammar.

enum class RunEnd { FileEnd, Table, Field };

class Reading {
public:
    explicit Reading(const QString &fileName) : m_tokens(fileName) {}

    QString fixed()
    {
        std::optional<QString> token = m_tokens.ReadQuotedToken();
        if (!token)
            throw EndInFixedTokens{};
        return *std::move(token);
    }

    // Reads optional tokens up to a marker or the end of the file, handing
    // each other token to store with its 1-based position. In the database
    // part only "table" is a marker.
    template <typename Store>
    RunEnd optionalRun(bool fieldIsMarker, Store store)
    {
        for (int position = 1;; ++position) {
            std::optional<QString> token = m_tokens.ReadQuotedToken();
            if (!token)
                return RunEnd::FileEnd;
            const QString lower = token->toLower();
            if (lower == QLatin1String("table"))
                return RunEnd::Table;
            if (fieldIsMarker && lower == QLatin1String("field"))
                return RunEnd::Field;
            store(position, *token);
            ui().processEvents();
        }
    }

private:
    QuotedTokenReader m_tokens;
};

void readDatabase(Reading &r, MyDB &db)
{
    db.DBName = r.fixed();
    db.Password = r.fixed();
    db.Server = r.fixed();
    db.UserName = r.fixed();
}

void storeDatabaseOption(MyDB &db, int position, const QString &token)
{
    switch (position) {
    case 1: db.HideNavMenu = flag(token); break;
    case 2: db.StyleSheetFile = token; break;
    case 3: db.ScrollStyle = integer(token); break;
    case 4: db.DateFormat = numberValue(token); break;
    case 5: db.DateSeparator = numberValue(token); break;
    default: break; // later settings are not known here
    }
}

MyTable &readTable(Reading &r, MyDB &db)
{
    MyTable &t = *db.Tables.Add(QString(), r.fixed());
    t.AllowDelete = flag(r.fixed());
    t.AllowFilters = flag(r.fixed());
    t.AllowInsert = flag(r.fixed());
    t.AllowPrint = flag(r.fixed());
    t.AllowSelection = flag(r.fixed());
    t.AllowSorting = flag(r.fixed());
    t.AllowUpdate = flag(r.fixed());
    t.Caption = r.fixed();
    t.FilterCount = integer(r.fixed());
    t.RecordsPerPage = integer(r.fixed());
    return t;
}

void storeTableOption(MyTable &t, int position, const QString &token)
{
    switch (position) {
    case 1: t.HideTableView = flag(token); break;
    case 2: t.DetailViewLabel = token; break;
    case 3: t.QuickSearch = integer(token); break;
    case 4: t.AllowCSV = flag(token); break;
    case 5: t.AllowSavingFilters = flag(token); break;
    case 6: t.RedirectAfterInsert = token; break;
    default: break;
    }
}

MyField &readField(Reading &r, MyTable &t, int index)
{
    QString tokens[18];
    for (QString &token : tokens)
        token = r.fixed();
    const auto at = [&tokens](int n) -> const QString & { return tokens[n - 1]; };
    // Converted in the order in which they are handed to Add, so that of
    // two bad tokens the same one is reported.
    const bool primaryKey = flag(at(15));
    const bool unique = flag(at(16));
    const qint32 dataType = longInteger(at(10));
    const qint16 length = integer(at(12));
    const qint16 precision = integer(at(14));
    const bool binary = flag(at(9));
    const bool notNull = flag(at(13));
    const bool autoIncrement = flag(at(8));
    const bool isUnsigned = flag(at(17));
    const bool zeroFill = flag(at(18));
    MyField &f = *t.Fields.Add(at(4), at(5), at(6), at(7), at(2), at(1), primaryKey, unique, dataType, length,
                               precision, at(11), binary, notNull, autoIncrement, isUnsigned, zeroFill);
    f.ColumnWidth = integer(at(3));
    f.Index = toInt16(double(index));
    return f;
}

void storeFieldOption(MyField &f, int position, const QString &token)
{
    switch (position) {
    case 1: f.pHidden = flag(token); break;
    case 2: f.pNotFiltered = flag(token); break;
    case 3: f.pTableImage = flag(token); break;
    case 4: f.pDetailImage = flag(token); break;
    case 5: f.pAllowImageUpload = flag(token); break;
    case 6: f.pMaxUploadSize = longInteger(token); break;
    case 7: f.pReadOnly = flag(token); break;
    case 8: f.pHideInDetailView = flag(token); break;
    default: break;
    }
}

bool readAll(Reading &r, MyDB &db)
{
    readDatabase(r, db);
    RunEnd end = r.optionalRun(false, [&db](int pos, const QString &token) { storeDatabaseOption(db, pos, token); });
    while (end == RunEnd::Table) {
        MyTable &table = readTable(r, db);
        end = r.optionalRun(true, [&table](int pos, const QString &token) { storeTableOption(table, pos, token); });
        for (int index = 0; end == RunEnd::Field; ++index) {
            MyField &field = readField(r, table, index);
            end = r.optionalRun(true, [&field](int pos, const QString &token) { storeFieldOption(field, pos, token); });
            ui().processEvents();
        }
    }
    return true;
}

} // namespace

bool ReadOldProject(const QString &FileName, MyDB &DB)
{
    try {
        Reading reading(FileName);
        return readAll(reading, DB);
    } catch (const EndInFixedTokens &) {
        return false;
    } catch (const std::exception &e) {
        ui().messageBox(errorMessage(e), Mb::OkOnly);
        return false;
    }
}

} // namespace tess
