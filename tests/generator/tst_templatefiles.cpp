// The template files and their filling: a marker that goes unfilled, or a
// value no marker takes, must stop a run instead of leaving a «name» or a
// gap in a generated page; a malformed template file must stop the build.
#include "generator/template.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <limits>

using namespace tess;

namespace {

constexpr TemplatePiece kRowPieces[] = {
    {TemplatePiece::Text, u"<tr><td>"},
    {TemplatePiece::Marker, u"name"},
    {TemplatePiece::Text, u"</td><td>"},
    {TemplatePiece::Marker, u"value"},
    {TemplatePiece::Text, u"</td><!-- "},
    {TemplatePiece::Marker, u"name"},
    {TemplatePiece::Text, u" -->\r\n"},
};
constexpr Template kRow{"test.html.in:row", kRowPieces};

QString tool() { return QStringLiteral(TESSARON_BUILD_DIR "/tools/embedtemplates"); }

struct ToolRun {
    int exitCode = -1;
    QString messages;
    QByteArray header;
};

ToolRun embed(const QByteArray &templateText)
{
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("page.html.in"));
    const QString out = dir.filePath(QStringLiteral("page_html.h"));
    QFile f(in);
    if (!f.open(QIODevice::WriteOnly) || f.write(templateText) != templateText.size())
        return {};
    f.close();
    QProcess p;
    p.start(tool(), {in, out, QStringLiteral("page_html")});
    if (!p.waitForFinished(30000))
        return {};
    ToolRun r{p.exitCode(), QString::fromUtf8(p.readAllStandardError()), {}};
    QFile h(out);
    if (h.open(QIODevice::ReadOnly))
        r.header = h.readAll();
    return r;
}

} // namespace

class TestTemplateFiles : public QObject {
    Q_OBJECT
private slots:
    void fillsEveryMarker()
    {
        Lines l;
        l.raw(u"before ");
        fill(l, kRow, {{u"value", u"42"}, {u"name", u"Price"}});
        QCOMPARE(l.take(), QStringLiteral("before <tr><td>Price</td><td>42</td><!-- Price -->\r\n"));
        // A value that itself looks like a marker is text, not a marker.
        QCOMPARE(filled(kRow, {{u"name", u"«value»"}, {u"value", u""}}),
                 QStringLiteral("<tr><td>«value»</td><td></td><!-- «value» -->\r\n"));
    }

    void decimalValues_data()
    {
        QTest::addColumn<qint64>("number");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << qint64(0) << QStringLiteral("0");
        QTest::newRow("width") << qint64(150) << QStringLiteral("150");
        QTest::newRow("negative") << qint64(-20) << QStringLiteral("-20");
        QTest::newRow("largest") << std::numeric_limits<qint64>::max() << QStringLiteral("9223372036854775807");
        QTest::newRow("smallest") << std::numeric_limits<qint64>::min() << QStringLiteral("-9223372036854775808");
    }
    // A number fills a marker without a string of its own.
    void decimalValues()
    {
        QFETCH(qint64, number);
        QFETCH(QString, text);
        QCOMPARE(filled(kRow, {{u"name", u"n"}, {u"value", Decimal(number)}}),
                 QStringLiteral("<tr><td>n</td><td>%1</td><!-- n -->\r\n").arg(text));
    }

    void refusesMisfilledTemplates_data()
    {
        QTest::addColumn<QString>("missing");
        QTest::addColumn<QString>("extra");
        QTest::addColumn<QString>("message");
        QTest::newRow("value missing") << QStringLiteral("value") << QString()
                                       << QStringLiteral("template test.html.in:row: no value for «value»");
        QTest::newRow("value left over") << QString() << QStringLiteral("colour")
                                         << QStringLiteral("template test.html.in:row: no marker for the value «colour»");
    }
    void refusesMisfilledTemplates()
    {
        QFETCH(QString, missing);
        QFETCH(QString, extra);
        QFETCH(QString, message);
        const QString name = QStringLiteral("name");
        const QString value = QStringLiteral("value");
        try {
            if (!missing.isEmpty())
                filled(kRow, {{name, u"x"}});
            else
                filled(kRow, {{name, u"x"}, {value, u"y"}, {extra, u"z"}});
            QFAIL("filled without complaint");
        } catch (const TemplateError &e) {
            QCOMPARE(QString::fromUtf8(e.what()), message);
        }
    }

    void embedsSections()
    {
        const ToolRun r = embed("A note for the reader: «not a marker here\n"
                                "«=page»\n"
                                "<p class=\"x\">«text»</p>\n"
                                "\t\n"
                                "?\?=<?php echo 1; ?>«+»\n"
                                "«=empty»\n");
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(r.header.contains("namespace tess::tpl::page_html"), r.header.constData());
        QVERIFY(r.header.contains("{TemplatePiece::Text, u\"<p class=\\\"x\\\">\"}"));
        QVERIFY(r.header.contains("{TemplatePiece::Marker, u\"text\"}"));
        // Line ends become CR LF, tab-only lines stay, «+» drops the end, and
        // no trigraph survives into the C++ text.
        QVERIFY(r.header.contains("u\"</p>\\r\\n\"\n        u\"\\t\\r\\n\"\n        u\"\\?\\?=<\\?php echo 1; \\?>\"}"));
        QVERIFY(r.header.contains("inline constexpr Template page{\"page.html.in:page\", page_pieces};"));
        QVERIFY(r.header.contains("inline constexpr Template empty{"));
        QVERIFY(!r.header.contains("not a marker"));
    }

    void refusesMalformedFiles_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("unclosed marker") << QByteArray("«=a»\nx «name\n") << QStringLiteral(":2: « without its closing »");
        QTest::newRow("stray closing") << QByteArray("«=a»\nx » y\n") << QStringLiteral(":2: » without its opening «");
        QTest::newRow("marker not a name") << QByteArray("«=a»\n«two words»\n")
                                           << QStringLiteral(":2: marker «two words» is not a name");
        QTest::newRow("join inside a line") << QByteArray("«=a»\nx«+» y\n") << QStringLiteral(":2: «+» must end its line");
        QTest::newRow("section twice") << QByteArray("«=a»\nx\n«=a»\n") << QStringLiteral(":3: section «=a» comes twice");
        QTest::newRow("section not a name") << QByteArray("«=1a»\n") << QStringLiteral(":1: section «=1a» is not a name");
        QTest::newRow("no section") << QByteArray("only a note\n") << QStringLiteral("holds no section");
        QTest::newRow("CR LF") << QByteArray("«=a»\r\nx\r\n") << QStringLiteral("holds a CR");
        QTest::newRow("no final line end") << QByteArray("«=a»\nx") << QStringLiteral(":2: the last line has no line end");
    }
    void refusesMalformedFiles()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, message);
        const ToolRun r = embed(text);
        QVERIFY(r.exitCode != 0);
        QVERIFY2(r.messages.contains(message), qPrintable(r.messages));
        QVERIFY(r.header.isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestTemplateFiles)
#include "tst_templatefiles.moc"
