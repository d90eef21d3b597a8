#pragma once
// The style table's default classes and the style file (.tzs): per used
// slot two lines, the scrambled selector and the scrambled declarations,
// each in double quotes, Windows-1252 with CR LF.
#include "model/appstate.h"

#include <QByteArray>
#include <QString>

namespace tess {

// Slots 1..14 get the built-in classes, 15..30 are emptied. Nothing else
// (project, saved state, style-file box) changes.
void LoadDefaultStyles(StyleTable &table);

// Loads the named style file into app().Styles and records the name in the
// project and the style-file box; a missing file falls back to the
// defaults after telling the user. An empty name does nothing. Raises
// error 9 on a 31st pair (slots 1..30 already replaced) and error 62 when
// a selector has no declarations after it.
void LoadStylesFile(const QString &FileName);

// The complete bytes of the style file of a table.
QByteArray StylesFileBytes(const StyleTable &table);

// Writes the style file of a table. The old file stays as it was unless
// the whole new one could be written; any failure raises an error.
void SaveStylesFile(const QString &path, const StyleTable &table);

// The text without the characters a style file string cannot hold: the
// double quote (kept out of declarations) and the character whose
// scrambled form is a double quote.
QString StorableStyleText(QString text);

} // namespace tess
