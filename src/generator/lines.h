#pragma once
// Builder for emitted text: every line ends with CR LF and is indented with
// tabs. The generated files distinguish three kinds of blank line: an empty
// line, a line of only the current level's tabs, and no line at all.
#include <QString>

namespace tess {

class Lines {
public:
    // indent tabs, the text, CR LF
    Lines &operator()(int indent, const QString &text)
    {
        m_text.append(QString(indent, u'\t'));
        m_text.append(text);
        m_text.append(QStringLiteral("\r\n"));
        return *this;
    }
    // A line at the left margin.
    Lines &operator()(const QString &text) { return (*this)(0, text); }
    // An empty line (CR LF only).
    Lines &blank() { m_text.append(QStringLiteral("\r\n")); return *this; }
    // A separator line of only tabs.
    Lines &tabs(int indent) { return (*this)(indent, QString()); }
    // Text without line end.
    Lines &raw(const QString &text) { m_text.append(text); return *this; }

    const QString &text() const { return m_text; }
    QString take() { return std::move(m_text); }

private:
    QString m_text;
};

} // namespace tess
