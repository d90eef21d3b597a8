#pragma once
// Builder for emitted text: every line ends with CR LF and is indented with
// tabs. The generated files distinguish three kinds of blank line: an empty
// line, a line of only the current level's tabs, and no line at all.
#include <QString>
#include <QStringView>

#include <cstring>
#include <iterator>

namespace tess {

class Lines {
public:
    // indent tabs, the text, CR LF
    Lines &operator()(int indent, const QString &text) { return line(indent, QStringView(text)); }
    Lines &line(int indent, QStringView text)
    {
        appendTabs(indent);
        raw(text);
        raw(QStringView(u"\r\n"));
        return *this;
    }
    // A line whose text `body` appends through raw().
    template <typename Body>
    Lines &build(int indent, Body &&body)
    {
        appendTabs(indent);
        body(*this);
        raw(QStringView(u"\r\n"));
        return *this;
    }
    // A line at the left margin.
    Lines &operator()(const QString &text) { return (*this)(0, text); }
    // An empty line (CR LF only).
    Lines &blank() { return raw(QStringView(u"\r\n")); }
    // A separator line of only tabs.
    Lines &tabs(int indent) { return line(indent, QStringView()); }
    // Text without line end.
    Lines &raw(const QString &text) { return raw(QStringView(text)); }
    Lines &raw(QStringView text)
    {
        // The text grows in a buffer of its own capacity: an append is a
        // copy, without the string's growth checks for every piece.
        const qsizetype n = text.size();
        if (m_size + n > m_buffer.size())
            grow(m_size + n);
        if (n > 0)
            std::memcpy(m_buffer.data() + m_size, text.data(), size_t(n) * sizeof(QChar));
        m_size += n;
        return *this;
    }

    const QString &text() const
    {
        m_buffer.truncate(m_size);
        return m_buffer;
    }
    QString take()
    {
        m_buffer.truncate(m_size);
        m_size = 0;
        return std::move(m_buffer);
    }

private:
    void appendTabs(int indent)
    {
        static constexpr char16_t kTabs[] = u"\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t";
        constexpr int kMax = int(std::size(kTabs)) - 1;
        for (; indent > kMax; indent -= kMax)
            raw(QStringView(kTabs, kMax));
        if (indent > 0)
            raw(QStringView(kTabs, indent));
    }
    void grow(qsizetype needed) { m_buffer.resize(qMax(needed, qMax(qsizetype(8 * 1024), m_buffer.size() * 2))); }

    // Holds the text in its first m_size characters; the rest is room.
    mutable QString m_buffer;
    qsizetype m_size = 0;
};

} // namespace tess
