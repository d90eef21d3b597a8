#include "app/helpfile.h"
#include "platform/cp1252.h"
#include "platform/runtimeerror.h"

#include <QFile>

namespace tess {

namespace {

bool isLineEnd(QChar c) { return c == u'\r' || c == u'\n'; }
bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }

class FieldReader {
public:
    explicit FieldReader(QString text) : m_text(std::move(text)) {}

    // Nothing but blanks and line ends is left.
    bool atEnd() const
    {
        for (qsizetype i = m_pos; i < m_text.size(); ++i)
            if (!isBlank(m_text[i]) && !isLineEnd(m_text[i]))
                return false;
        return true;
    }

    QString next()
    {
        // A comma just read leaves one more (maybe empty) field; otherwise
        // the end of the text is the end of the records.
        if (m_pos >= m_text.size() && !m_afterComma)
            raise(Err::InputPastEnd);
        skipBlanks();
        // Line ends between fields separate them like one line end.
        if (!m_afterComma) {
            while (m_pos < m_text.size() && (isLineEnd(m_text[m_pos]) || isBlank(m_text[m_pos])))
                ++m_pos;
            if (m_pos >= m_text.size())
                raise(Err::InputPastEnd);
        }
        QString field;
        if (m_pos < m_text.size() && m_text[m_pos] == u'"') {
            const qsizetype close = m_text.indexOf(u'"', m_pos + 1);
            if (close < 0)
                raise(Err::InputPastEnd);
            field = m_text.mid(m_pos + 1, close - m_pos - 1);
            m_pos = close + 1;
            // Whatever follows up to the separator belongs to no field.
            while (m_pos < m_text.size() && m_text[m_pos] != u',' && !isLineEnd(m_text[m_pos]))
                ++m_pos;
        } else {
            const qsizetype start = m_pos;
            while (m_pos < m_text.size() && m_text[m_pos] != u',' && !isLineEnd(m_text[m_pos]))
                ++m_pos;
            field = m_text.mid(start, m_pos - start).trimmed();
        }
        m_afterComma = m_pos < m_text.size() && m_text[m_pos] == u',';
        if (m_afterComma) {
            ++m_pos;
        } else if (m_pos < m_text.size()) {
            if (m_text[m_pos] == u'\r' && m_pos + 1 < m_text.size() && m_text[m_pos + 1] == u'\n')
                ++m_pos;
            ++m_pos;
        }
        return field;
    }

private:
    void skipBlanks()
    {
        while (m_pos < m_text.size() && isBlank(m_text[m_pos]))
            ++m_pos;
    }

    QString m_text;
    qsizetype m_pos = 0;
    bool m_afterComma = false;
};

} // namespace

HelpTopic readHelpTopic(const QString &path, const QString &id)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        raise(Err::FileNotFound);
    FieldReader reader(cp1252::decode(file.readAll()));
    HelpTopic topic;
    // An empty id "matches" a file without records: empty title and body.
    QString lastId;
    while (!reader.atEnd()) {
        QString recordId = reader.next();
        const QString title = reader.next();
        const QString body = reader.next();
        recordId.remove(u'\r');
        recordId.remove(u'\n');
        lastId = recordId;
        if (recordId == id) {
            topic.found = true;
            topic.title = title;
            topic.body = helpBodyText(body);
            return topic;
        }
    }
    if (lastId == id) {
        topic.found = true;
        return topic;
    }
    topic.body = QStringLiteral("No help topics found for this item.");
    return topic;
}

QString helpBodyText(QString body)
{
    body.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    body.replace(u'\n', u' ');
    body.replace(u'\r', u' ');
    body.replace(QStringLiteral("%%"), QStringLiteral("\r\n\r\n"));
    return body;
}

} // namespace tess
