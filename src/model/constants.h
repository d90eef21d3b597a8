#pragma once
// Constant tables of the program, ready without any start-up step.
#include <QString>
#include <array>

namespace tess {

// MySQL type names by data-type code; slots 0 and 24..30 are empty.
extern const std::array<QString, 31> DataTypeNames;
// The editor's guidelines for each data-type code (lines joined by CR LF);
// slots 0 and 24..30 are empty.
extern const std::array<QString, 31> DataTypeHints;
// Files copied from the program's files/ folder into every generated
// application; slots after the last name are empty.
extern const std::array<QString, 101> SupportFiles;
// The generated application's folder for uploaded files, inside the
// output folder.
inline const QString UploadFolder = QStringLiteral("images");

// Data-type codes
namespace Dt {
enum : int {
    TinyInt = 1, SmallInt, MediumInt, Int, BigInt, Float, Double, Decimal, Date, DateTime,
    Timestamp, Time, Year, Char, VarChar, TinyBlob, TinyText, Text, Blob, MediumBlob,
    MediumText, LongBlob, LongText,
};
}
inline bool isNumericType(int code) { return code <= Dt::Decimal; }
inline bool isBlobOrText(int code) { return code >= Dt::TinyBlob; }

} // namespace tess
