#pragma once
// Builder for emitted text: every line ends with CR LF and is indented with
// tabs. The generated files distinguish three kinds of blank line: an empty
// line, a line of only the current level's tabs, and no line at all.
#include <QString>
#include <QStringView>
#include <iterator>

namespace tess {

class Lines {
public:
    Lines() { m_text.reserve(16 * 1024); }

    // indent tabs, the text, CR LF
    Lines &operator()(int indent, const QString &text) { return line(indent, QStringView(text)); }
    Lines &line(int indent, QStringView text)
    {
        appendTabs(indent);
        m_text.append(text);
        m_text.append(QStringView(u"\r\n"));
        return *this;
    }
    // A line whose text `body` appends to the string it is given.
    template <typename Body>
    Lines &build(int indent, Body &&body)
    {
        appendTabs(indent);
        body(m_text);
        m_text.append(QStringView(u"\r\n"));
        return *this;
    }
    // A line at the left margin.
    Lines &operator()(const QString &text) { return (*this)(0, text); }
    // An empty line (CR LF only).
    Lines &blank() { m_text.append(QStringView(u"\r\n")); return *this; }
    // A separator line of only tabs.
    Lines &tabs(int indent) { return line(indent, QStringView()); }
    // Text without line end.
    Lines &raw(const QString &text) { m_text.append(text); return *this; }

    const QString &text() const { return m_text; }
    QString take() { return std::move(m_text); }

private:
    void appendTabs(int indent)
    {
        static constexpr char16_t kTabs[] = u"\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t";
        constexpr int kMax = int(std::size(kTabs)) - 1;
        for (; indent > kMax; indent -= kMax)
            m_text.append(QStringView(kTabs, kMax));
        if (indent > 0)
            m_text.append(QStringView(kTabs, indent));
    }

    QString m_text;
};

} // namespace tess
