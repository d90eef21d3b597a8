#include "datalist/datalist.h"

#include "generator/escape.h"

#include <QStringList>

namespace tess {

// Embedded at build time from datalist.php.in and tableheaders.php.in.
extern const char kDataListPhp[];
extern const char kTableHeadersPhp[];

namespace {

// The lines of an embedded text; the source files end with a line end,
// which is not a line of its own.
QStringList embeddedLines(const char *text)
{
    QString s = QString::fromLatin1(text);
    if (s.endsWith(u'\n'))
        s.chop(1);
    return s.split(u'\n');
}

const QString kCrLf = QStringLiteral("\r\n");

} // namespace

QString BuildTableHeadersCode()
{
    QString out;
    for (const QString &line : embeddedLines(kTableHeadersPhp)) {
        out += line;
        out += kCrLf;
    }
    return out;
}

QString BuildDataListScript(const DataListOptions &options)
{
    // The four places where a project differs. Marker lines stand alone in
    // the source text; the other two markers sit inside a line.
    const QString headers = BuildTableHeadersCode();
    const QString enctype = options.anyImageUpload
        ? QStringLiteral("enctype=\\\"multipart/form-data\\\" ")
        : QString();
    const QString separator = phpDq(options.datePartSeparator);

    const QStringList lines = embeddedLines(kDataListPhp);
    QString out;
    out.reserve(96 * 1024);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (line == QLatin1String("@NAVMENU@")) {
            if (!options.hideNavMenu) {
                out += QStringLiteral("\t\t// display tables navigator menu\r\n"
                                      "\t\tif(!$Print_x) \r\n"
                                      "\t\t\t$this->HTML .= \" \" . NavMenus();\r\n"
                                      "\t\t\r\n");
            }
            continue;
        }
        if (line == QLatin1String("@HEADERS_BEFORE_SCROLL_BAR@")) {
            if (options.scrollStyle == 0)
                out += headers;
            continue;
        }
        if (line == QLatin1String("@HEADERS_AFTER_SCROLL_BAR@")) {
            if (options.scrollStyle == 1)
                out += headers;
            continue;
        }
        line.replace(QLatin1String("@ENCTYPE@"), enctype);
        line.replace(QLatin1String("@DATE_SEPARATOR@"), separator);
        out += line;
        if (i + 1 < lines.size())
            out += kCrLf;   // the closing "?>" has no line end
    }
    return out;
}

QString GetDataListScript(const DataListOptions &options)
{
    return BuildDataListScript(options);
}

} // namespace tess
