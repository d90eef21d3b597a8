#pragma once
// Builder for emitted text: the fixed text comes from the template files
// (generator/template.h), the parts that the generators compose (SQL lists,
// repeated sections) are appended here.
//
// Pieces are appended one after the other: texts (QString, QStringView,
// u"..." literals, QLatin1StringView, a single character) and whole
// numbers, written in decimal. No piece needs a string of its own.
#include <QLatin1StringView>
#include <QString>
#include <QStringView>

#include <cstring>
#include <cstddef>
#include <type_traits>
#include <utility>

namespace tess {

// A whole number in decimal, without a string of its own: a piece of a
// line, or a template marker's value ({u"width", Decimal(w)}).
class Decimal {
public:
    explicit Decimal(qint64 n)
    {
        quint64 rest = n < 0 ? 0 - quint64(n) : quint64(n);
        do {
            m_digits[--m_start] = char16_t(u'0' + rest % 10);
            rest /= 10;
        } while (rest);
        if (n < 0)
            m_digits[--m_start] = u'-';
    }
    operator QStringView() const { return QStringView(m_digits + m_start, kRoom - m_start); }

private:
    static constexpr qsizetype kRoom = 20;
    char16_t m_digits[kRoom];
    qsizetype m_start = kRoom;
};

class Lines {
public:
    // `room`: characters to reserve, for a text whose size is known roughly.
    explicit Lines(qsizetype room = 0)
    {
        if (room > 0)
            m_buffer.resize(room);
    }

    // An empty line (CR LF only).
    Lines &blank() { return raw(u"\r\n"); }
    // Pieces without line end.
    template <typename... Pieces>
    Lines &raw(const Pieces &...pieces)
    {
        (put(pieces), ...);
        return *this;
    }

    qsizetype size() const { return m_size; }
    bool isEmpty() const { return m_size == 0; }
    // Drops the last n characters (a trailing separator).
    void chop(qsizetype n) { m_size = n < m_size ? m_size - n : 0; }
    // Starts over, keeping the room for the next text.
    void clear() { m_size = 0; }

    // A copy of the text so far.
    QString text() const { return QString(m_buffer.constData(), m_size); }
    // The text so far, valid until the next change.
    QStringView view() const { return QStringView(m_buffer.constData(), m_size); }
    // Hands the text over and starts over empty.
    QString take()
    {
        m_buffer.truncate(m_size);
        m_size = 0;
        return std::exchange(m_buffer, QString());
    }

private:
    void put(QStringView text)
    {
        // The text grows in a buffer of its own capacity: an append is a
        // copy, without the string's growth checks for every piece.
        const qsizetype n = text.size();
        if (m_size + n > m_buffer.size())
            grow(m_size + n);
        if (n > 0)
            std::memcpy(m_buffer.data() + m_size, text.data(), size_t(n) * sizeof(QChar));
        m_size += n;
    }
    // A literal's length is known when the program is compiled.
    template <std::size_t N>
    void put(const char16_t (&literal)[N])
    {
        put(QStringView(literal, qsizetype(N - 1)));
    }
    void put(const QString &text) { put(QStringView(text)); }
    void put(QLatin1StringView text)
    {
        if (m_size + text.size() > m_buffer.size())
            grow(m_size + text.size());
        QChar *d = m_buffer.data() + m_size;
        for (qsizetype i = 0; i < text.size(); ++i)
            d[i] = QLatin1Char(text[i]);
        m_size += text.size();
    }
    void put(QChar c) { put(QStringView(&c, 1)); }
    void put(char16_t c) { put(QStringView(&c, 1)); }
    template <typename Number>
        requires(std::is_integral_v<Number> && !std::is_same_v<Number, bool> && !std::is_same_v<Number, char>
                 && !std::is_same_v<Number, char16_t>)
    void put(Number n)
    {
        putNumber(qint64(n));
    }
    void putNumber(qint64 n) { put(QStringView(Decimal(n))); }

    void grow(qsizetype needed) { m_buffer.resize(qMax(needed, qMax(qsizetype(8 * 1024), m_buffer.size() * 2))); }

    // Holds the text in its first m_size characters; the rest is room, so
    // that an append is one copy. Appending to a QString directly costs a
    // call into Qt with its growth and sharing checks for every piece, and
    // the generation twice the time.
    QString m_buffer;
    qsizetype m_size = 0;
};

} // namespace tess
