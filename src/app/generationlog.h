#pragma once
// The text of the generation log, kept as it was written (CR LF line
// ends), apart from the widget that shows it: the window appends each
// piece to its view, the text here is what Save Log writes.
#include <QString>

namespace tess {

class GenerationLog {
public:
    const QString &text() const { return m_text; }
    void clear() { m_text.clear(); }
    void append(const QString &piece) { m_text += piece; }

    // Writes the text and one line end as Windows-1252; an earlier file of
    // that name stays as it was when the write fails (raises RuntimeError).
    void save(const QString &path) const;

    // The name Save Log proposes: the output folder, the database name and
    // "_log.txt".
    static QString proposedFileName(const QString &folder, const QString &dbName);

private:
    QString m_text;
};

} // namespace tess
