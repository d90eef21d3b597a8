// Any bytes as a project file. A project that reads is written, read back
// and compared with itself member by member: the file must carry every
// member the writer stores. Refusals and conversion errors are outcomes,
// not findings.
#include "converter/projectdump.h"
#include "converter/projectwriter.h"
#include "model/xmlreader.h"
#include "platform/runtimeerror.h"
#include "workfile.h"

#include <cstdio>

using namespace tess;

namespace {

// The date settings come back as text; an empty one as the number 0.
void asStored(Variant &v) { v = Variant(v.isEmpty() ? QStringLiteral("0") : v.toText()); }

[[noreturn]] void finding(const char *what, const QStringList &first = {}, const QStringList &second = {})
{
    std::fprintf(stderr, "%s\n", what);
    for (qsizetype i = 0; i < qMax(first.size(), second.size()); ++i) {
        const QString a = first.value(i), b = second.value(i);
        if (a != b)
            std::fprintf(stderr, "  read:      %s\n  read back: %s\n", qPrintable(a), qPrintable(b));
    }
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString input = fuzz::inputFile("input.tzx", data, size);
    MyDB first;
    ResetProject(first);
    try {
        if (!ReadXmlProject(input, first))
            return 0;
    } catch (const RuntimeError &) {
        return 0;
    }

    const QString written = fuzz::workFile("written.tzx");
    try {
        WriteXmlProject(written, first);
    } catch (const RuntimeError &e) {
        finding(qPrintable(QStringLiteral("the project read does not write: ") + e.message()));
    }
    MyDB second;
    ResetProject(second);
    try {
        if (!ReadXmlProject(written, second))
            finding("the written project is refused");
    } catch (const RuntimeError &e) {
        finding(qPrintable(QStringLiteral("the written project raises ") + e.message()));
    }

    asStored(first.DateFormat);
    asStored(first.DateSeparator);
    asStored(second.DateFormat);
    asStored(second.DateSeparator);
    const QStringList a = testing::dump(first), b = testing::dump(second);
    if (a != b)
        finding("the project read back differs", a, b);
    return 0;
}
