#include "converter/frmconverter.h"
#include "ui_frmconverter.h"

#include "app/entrypoint.h"
#include "app/forms.h"
#include "converter/convertproject.h"
#include "model/maker.h"
#include "platform/focusreason.h"
#include "platform/runtimeerror.h"
#include "platform/ui.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QScreen>

#include <functional>

namespace tess {

namespace {

constexpr int kFileMustExist = 0x1000;
// Ask before overwriting, hide the read-only box, the path must exist, no
// read-only file.
constexpr int kSaveFlags = 0x8806;

bool hasExtension(const QString &path, QLatin1String extension)
{
    return path.right(4).toLower() == extension;
}

void notice(const QString &text, const QString &title)
{
    ui().messageBox(text, Mb::Information, title);
}

const QString kFailed = QStringLiteral("Couldn't perform the conversion process.");
const QString kFailedTitle = QStringLiteral("Conversion failed");

} // namespace

frmConverter::frmConverter(QWidget *parent) : QWidget(parent), m_ui(new Ui::frmConverter)
{
    m_ui->setupUi(this);
    setFixedSize(size());
    // The two captions are one control array.
    m_ui->Label1_0->setObjectName(QStringLiteral("Label1"));
    m_ui->Label1_0->setProperty("index", 0);
    m_ui->Label1_1->setObjectName(QStringLiteral("Label1"));
    m_ui->Label1_1->setProperty("index", 1);

    m_ui->txtTZPFile->installEventFilter(this);
    m_ui->txtTZXFile->installEventFilter(this);
    // Each button runs its command as one of the program's entries.
    const auto on = [this](QPushButton *button, const char *handler, std::function<void()> command) {
        const QString name = QStringLiteral("frmConverter.") + QLatin1String(handler);
        connect(button, &QPushButton::clicked, this, [name, command] { runEntry(name, command); });
    };
    on(m_ui->cmdTZPFile, "cmdTZPFile_Click", [this] { cmdTZPFile_Click(); });
    on(m_ui->cmdTZXFile, "cmdTZXFile_Click", [this] { cmdTZXFile_Click(); });
    on(m_ui->cmdConvert, "cmdConvert_Click", [this] { cmdConvert_Click(); });
    on(m_ui->cmdCancel, "cmdCancel_Click", [this] { cmdCancel_Click(); });
    on(m_ui->cmdHelp, "cmdHelp_Click", [this] { cmdHelp_Click(); });
    on(m_ui->Command1, "Command1_Click", [this] { Command1_Click(); });
}

frmConverter::~frmConverter() = default;

bool frmConverter::Form_Load(const QString &CommandLine)
{
    silentMode = false;
    if (const QScreen *screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    if (CommandLine.isEmpty())
        return true;

    silentMode = true;
    m_ui->txtTZPFile->setText(QString(CommandLine).remove(u'"'));
    show();
    m_ui->txtTZXFile->setFocus();
    m_ui->txtTZXFile->setText(DefaultOutputPath(m_ui->txtTZPFile->text()));
    const bool converted = cmdConvert_Click();
    close();
    return converted;
}

void frmConverter::cmdTZPFile_Click()
{
    if (m_converting)
        return;
    FileDialogRequest request;
    request.filter = QStringLiteral("TZP File (TZP)|*.tzp");
    request.flags = kFileMustExist;
    request.fileName = m_cdTZPFileName;
    if (const QString chosen = ui().openFileName(request); !chosen.isEmpty())
        m_cdTZPFileName = chosen;
    m_ui->txtTZPFile->setText(m_cdTZPFileName);
    if (m_ui->txtTZXFile->text().isEmpty())
        m_ui->txtTZXFile->setText(DefaultOutputPath(m_ui->txtTZPFile->text()));
    m_ui->cmdCancel->setText(QStringLiteral("Cancel"));
}

void frmConverter::cmdTZXFile_Click()
{
    if (m_converting)
        return;
    FileDialogRequest request;
    request.filter = QStringLiteral("TZX File (TZX)|*.tzx");
    request.flags = kSaveFlags;
    request.fileName = m_cdTZXFileName;
    if (const QString chosen = ui().saveFileName(request); !chosen.isEmpty())
        m_cdTZXFileName = chosen;
    m_ui->txtTZXFile->setText(m_cdTZXFileName);
}

bool frmConverter::cmdConvert_Click()
{
    if (m_converting)
        return false;
    const QString oldPath = m_ui->txtTZPFile->text();
    const QString newPath = m_ui->txtTZXFile->text();
    if (oldPath.size() < 4 || newPath.size() < 4) {
        // Nobody chooses the files in silent mode: there the refusal is the
        // failure it is.
        if (silentMode)
            notice(kFailed, kFailedTitle);
        else
            notice(QStringLiteral("Please select the TZP file to convert and the TZX file first."),
                   QStringLiteral("Can't Convert"));
        return false;
    }

    bool converted = false;
    m_converting = true;
    try {
        converted = ConvertProject(oldPath, newPath);
    } catch (const std::exception &e) {
        ui().messageBox(errorMessage(e), Mb::OkOnly);
    }
    m_converting = false;

    if (!converted) {
        notice(kFailed, kFailedTitle);
        return false;
    }
    notice(QStringLiteral("The conversion process is complete. You can now open the TZX file in Tessaron 3"),
           QStringLiteral("Conversion Done"));
    m_ui->cmdCancel->setText(QStringLiteral("Close"));
    return true;
}

void frmConverter::cmdCancel_Click()
{
    if (m_converting)
        return;
    close();
}

void frmConverter::cmdHelp_Click()
{
    if (silentMode)
        return;
    ui().messageBox(QStringLiteral("Use this tool to convert old Tessaron project files (TZP) to the new Tessaron 3 "
                                   "format (TZX).\r\n\r\n"
                                   "Step 1: Select the TZP file you want to convert.\r\n"
                                   "Step 2: (optional) Select the destination TZX file. If you leave this step, the "
                                   "TZX file will be saved to the same location as the TZP file.\r\n"
                                   "Step 3: Click the Convert button."),
                    Mb::Information);
}

void frmConverter::Command1_Click()
{
    if (silentMode)
        return;
    notice(QStringLiteral("TZP to TZX File Converter turns project files of earlier Tessaron versions into "
                          "Tessaron 3 project files.\r\n\r\nFor more information, please visit:\r\n")
               + webAddress(),
           QStringLiteral("About TZP to TZX File Converter"));
}

void frmConverter::txtTZPFile_LostFocus()
{
    const QString path = m_ui->txtTZPFile->text();
    if (path.isEmpty())
        return;
    if (hasExtension(path, QLatin1String(".tzp")) && QFileInfo(path).isFile()) {
        if (m_ui->txtTZXFile->text().isEmpty())
            m_ui->txtTZXFile->setText(DefaultOutputPath(path));
        return;
    }
    m_ui->txtTZPFile->clear();
    notice(QStringLiteral("Invalid TZP file name or the specified TZP file doesn't exist"), QStringLiteral("Error"));
}

void frmConverter::txtTZXFile_LostFocus()
{
    const QString path = m_ui->txtTZXFile->text();
    if (path.isEmpty() || hasExtension(path, QLatin1String(".tzx")))
        return;
    m_ui->txtTZXFile->clear();
    notice(QStringLiteral("Invalid TZX file name"), QStringLiteral("Error"));
}

bool frmConverter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut && !silentMode) {
        if (isMoveBetweenControls(static_cast<QFocusEvent *>(event))) {
            if (watched == m_ui->txtTZPFile)
                txtTZPFile_LostFocus();
            else if (watched == m_ui->txtTZXFile)
                txtTZXFile_LostFocus();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmConverter::keyPressEvent(QKeyEvent *event)
{
    // The window sees the keys its controls leave alone (all but typing).
    switch (event->key()) {
    case Qt::Key_Escape: runEntry(QStringLiteral("frmConverter.Form_KeyUp"), [this] { cmdCancel_Click(); }); return;
    case Qt::Key_F1: runEntry(QStringLiteral("frmConverter.Form_KeyUp"), [this] { cmdHelp_Click(); }); return;
    default: QWidget::keyPressEvent(event);
    }
}

void frmConverter::closeEvent(QCloseEvent *event)
{
    if (m_converting) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
    forms().unload(Form::Converter);
}

} // namespace tess
