#pragma once
// Reading of old project files (.tzp): quoted, scrambled Windows-1252 tokens,
// a fixed number of them for the database, each table and each field, each
// group followed by a run of optional settings.
#include "model/project.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace tess {

// The tokens of one old project file, in file order. Each reading makes its
// own reader, so nothing of an earlier reading (an open file, a position
// reached before an error) carries over into the next one.
class QuotedTokenReader {
public:
    // An empty name, a missing or unreadable file give a reader without tokens.
    explicit QuotedTokenReader(const QString &FileName);

    // The text between the next two double quotes, unscrambled; everything
    // outside quotes is skipped. No value at the end of the file, a token
    // whose closing quote is missing included.
    std::optional<QString> ReadQuotedToken();

private:
    QByteArray m_bytes;
    qsizetype m_pos = 0;
};

// Reads the old project file into DB, a fresh project. True when the file
// ended in a run of optional settings; false, without a message, when it
// ended inside fixed tokens (a missing or empty file included); false after
// an "Error n: desc" message box for any other failure (a flag that is not a
// number, a number out of range). DB holds what was read so far either way.
bool ReadOldProject(const QString &FileName, MyDB &DB);

} // namespace tess
