#include "model/reporterror.h"
#include "model/maker.h"
#include "platform/ui.h"

#include <QStringList>

namespace tess {

namespace {

QString errorReportText(const QString &procedureName, const RuntimeError &error)
{
    const QStringList lines = {
        QStringLiteral("An error occured during program execution."),
        QStringLiteral("Sub: ") + procedureName,
        QStringLiteral("Error code: ") + QString::number(error.number()),
        QStringLiteral("Error text: ") + error.description(),
        QStringLiteral("If you don't know the cause of this error, please use the above data when "
                       "reporting the error at ")
            + supportAddress(),
    };
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace

void ReportError(const QString &procedureName, const RuntimeError &error)
{
    ui().messageBox(errorReportText(procedureName, error), Mb::OkOnly | Mb::Information);
}

} // namespace tess
