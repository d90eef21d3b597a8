#include "app/frmmain.h"
#include "app/commands.h"
#include "app/dialogs.h"
#include "app/entrypoint.h"
#include "app/forms.h"
#include "app/generatesequence.h"
#include "app/frmhelp.h"
#include "app/frmstyles.h"
#include "app/outsideprograms.h"
#include "editor/frmdb.h"
#include "model/appstate.h"
#include "model/maker.h"
#include "model/openproject.h"
#include "platform/settings.h"
#include "platform/ui.h"
#include "ui_frmmain.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QResizeEvent>
#include <QStyle>
#include <QToolButton>

namespace tess {

namespace {

const QString kNoStartup = QStringLiteral("No Startup");

struct ToolbarCommand {
    const char *key;
    const char *handler;
    void (*run)();
};

void exitCommand() { forms().main().miFileExit_Click(); }
void helpCommand() { forms().main().miHelpContents_Click(); }
void aboutCommand() { forms().main().miHelpAbout_Click(); }

// What each toolbar button runs; the separators and "WhatsThis" are not here.
const ToolbarCommand kToolbar[] = {
    {"NewProject", "miFileNew_Click", commands::miFileNew_Click},
    {"OpenProject", "miFileOpenXML_Click", commands::miFileOpenXML_Click},
    {"SaveProject", "miFileSaveXML_Click", commands::miFileSaveXML_Click},
    {"ProjectProperties", "miProjectProperties_Click", commands::miProjectProperties_Click},
    {"Generate", "miProjectGenerate_Click", commands::miProjectGenerate_Click},
    {"ProjectStyles", "miProjectStyles_Click", commands::miProjectStyles_Click},
    {"TableNew", "miTablesNew_Click", commands::miTablesNew_Click},
    {"FieldNew", "miFieldsNew_Click", commands::miFieldsNew_Click},
    {"TableDelete", "miTablesDelete_Click", commands::miTablesDelete_Click},
    {"LastField", "miFieldsLastField_Click", commands::miFieldsLastField_Click},
    {"FirstField", "miFieldsFirstField_Click", commands::miFieldsFirstField_Click},
    {"Help", "miHelpContents_Click", helpCommand},
    {"About", "miHelpAbout_Click", aboutCommand},
    {"Exit", "miFileExit_Click", exitCommand},
};

void setMenuEnabled(QMenu *menu, bool enabled)
{
    // The menu widget itself too: a menu re-enables its bar entry whenever
    // it is enabled again with the main window (after a read that disabled
    // the window), unless it was switched off on its own.
    menu->setEnabled(enabled);
    // A disabled menu alone would leave its items' shortcuts working.
    menu->menuAction()->setEnabled(enabled);
    for (QAction *action : menu->actions()) {
        if (QMenu *sub = action->menu())
            setMenuEnabled(sub, enabled);
        else
            action->setEnabled(enabled);
    }
}

} // namespace

frmMain::frmMain(QWidget *parent) : QMainWindow(parent), ui(std::make_unique<Ui::frmMain>())
{
    ui->setupUi(this);
    // Never reachable, so their shortcuts (Ctrl+A among them) must not
    // fire either.
    ui->mExport->menuAction()->setVisible(false);
    nameSeparators();

    const std::pair<QAction *, QStyle::StandardPixmap> icons[] = {
        {ui->NewProject, QStyle::SP_FileIcon},
        {ui->OpenProject, QStyle::SP_DialogOpenButton},
        {ui->SaveProject, QStyle::SP_DialogSaveButton},
        {ui->ProjectProperties, QStyle::SP_FileDialogDetailedView},
        {ui->Generate, QStyle::SP_MediaPlay},
        {ui->ProjectStyles, QStyle::SP_FileDialogContentsView},
        {ui->TableNew, QStyle::SP_FileDialogNewFolder},
        {ui->FieldNew, QStyle::SP_FileLinkIcon},
        {ui->TableDelete, QStyle::SP_TrashIcon},
        {ui->LastField, QStyle::SP_ArrowDown},
        {ui->FirstField, QStyle::SP_ArrowUp},
        {ui->WhatsThis, QStyle::SP_TitleBarContextHelpButton},
        {ui->Help, QStyle::SP_DialogHelpButton},
        {ui->About, QStyle::SP_MessageBoxInformation},
        {ui->Exit, QStyle::SP_DialogCloseButton},
    };
    for (const auto &[action, pixmap] : icons) {
        action->setIcon(style()->standardIcon(pixmap));
        // The buttons carry the key and the help topic too, so that they
        // can be found and clicked like any control.
        if (QWidget *button = ui->Toolbar1->widgetForAction(action)) {
            button->setObjectName(action->objectName());
            button->setProperty("tag", action->property("tag"));
        }
    }

    ui->MDIArea->viewport()->installEventFilter(this);
    connectCommands();
    connect(&app(), &AppState::helpRequested, this, [](const QString &tag) { forms().help().Display(tag); });
}

frmMain::~frmMain() = default;

QMdiArea *frmMain::mdiArea() const { return ui->MDIArea; }

void frmMain::nameSeparators()
{
    const auto name = [](const QList<QAction *> &actions, const QStringList &names) {
        int i = 0;
        for (QAction *action : actions)
            if (action->isSeparator() && i < names.size())
                action->setObjectName(names[i++]);
    };
    name(ui->mFile->actions(), {"miFileSep0", "miFileSep1", "miFileSep2"});
    name(ui->mTablesFields->actions(), {"miFieldsSep1"});
    name(ui->mHelp->actions(), {"miHelpSep1"});
    name(ui->Toolbar1->actions(), {"Sep1", "sep2", "sep5"});
    if (auto *sep = findChild<QAction *>(QStringLiteral("miFileSep2")))
        sep->setVisible(false);
}

void frmMain::connectCommands()
{
    const auto on = [this](QAction *action, const QString &handler, std::function<void()> command) {
        connect(action, &QAction::triggered, this,
                [handler, command = std::move(command)] { runEntry(handler, command); });
    };
    const auto nothing = [] {};

    on(ui->miFileNew, "miFileNew_Click", commands::miFileNew_Click);
    on(ui->miFileOpenXML, "miFileOpenXML_Click", commands::miFileOpenXML_Click);
    on(ui->miFileOpen, "miFileOpen_Click", [this] { miFileOpen_Click(); });
    on(ui->miFileImport, "miFileImport_Click", [this] { miFileImport_Click(); });
    on(ui->miFileSamples, "miFileSamples_Click", nothing);
    on(ui->miFileSaveXML, "miFileSaveXML_Click", commands::miFileSaveXML_Click);
    on(ui->miFileSaveXMLAs, "miFileSaveXMLAs_Click", commands::miFileSaveXMLAs_Click);
    on(ui->miFileSave, "miFileSave_Click", nothing);
    on(ui->miFileSaveAs, "miFileSaveAs_Click", nothing);
    on(ui->miFilePreferences, "miFilePreferences_Click", nothing);
    on(ui->miFileExit, "miFileExit_Click", [this] { miFileExit_Click(); });

    on(ui->miTablesNew, "miTablesNew_Click", commands::miTablesNew_Click);
    on(ui->miTablesDelete, "miTablesDelete_Click", commands::miTablesDelete_Click);
    on(ui->miFieldsNew, "miFieldsNew_Click", commands::miFieldsNew_Click);
    on(ui->miFieldsDelete, "miFieldsDelete_Click", commands::miFieldsDelete_Click);
    on(ui->miFieldsFirstField, "miFieldsFirstField_Click", commands::miFieldsFirstField_Click);
    on(ui->miFieldsLastField, "miFieldsLastField_Click", commands::miFieldsLastField_Click);

    on(ui->miProjectGenerate, "miProjectGenerate_Click", commands::miProjectGenerate_Click);
    on(ui->miProjectProperties, "miProjectProperties_Click", commands::miProjectProperties_Click);
    on(ui->miProjectStyles, "miProjectStyles_Click", commands::miProjectStyles_Click);

    on(ui->miHelpContents, "miHelpContents_Click", [this] { miHelpContents_Click(); });
    on(ui->miHelpStartup, "miHelpStartup_Click", [this] { miHelpStartup_Click(); });
    on(ui->miWebLinksHalvorn, "miWebLinksHalvorn_Click", [] { openWebLink(webAddress()); });
    on(ui->miWebLinksCorvane, "miWebLinksCorvane_Click", [] { openWebLink(webAddress()); });
    on(ui->miGettingStarted, "miGettingStarted_Click", nothing);
    on(ui->miWebLinksSupport, "miWebLinksSupport_Click", [] { openWebLink(supportAddress()); });
    on(ui->miWebLinksForum, "miWebLinksForum_Click", [] { openWebLink(forumAddress()); });
    on(ui->miHelpAbout, "miHelpAbout_Click", [this] { miHelpAbout_Click(); });

    for (QAction *action : ui->Toolbar1->actions()) {
        if (action->isSeparator())
            continue;
        const QString key = action->objectName();
        on(action, "Toolbar1_ButtonClick", [this, key] { Toolbar1_ButtonClick(key); });
    }
}

void frmMain::MDIForm_Load(const QString &commandLine)
{
    AppState &state = app();
    show();
    setProjectMenusEnabled(false);
    state.CommandLine = commandLine;
    if (settings::get(kNoStartup) != QLatin1String("1") && state.CommandLine.isEmpty()) {
        ui->miHelpStartup->setChecked(true);
        dialogs().showStart();
    }
    ui->miHelpStartup->setVisible(false);
    ui->miFileOpen->setVisible(false);
    // The data-type names and hints and the support files are constant
    // tables (model/constants.h), ready before this.
    if (state.CommandLine.isEmpty())
        return;
    state.CommandLine.remove(u'"');
    const QString missing = ProjectFileMissing(state.CommandLine);
    if (missing.isEmpty()) {
        runEntry(QStringLiteral("miFileOpenXML_Click"), commands::miFileOpenXML_Click);
    } else {
        tess::ui().messageBox(missing, Mb::OkOnly | Mb::Information);
        state.CommandLine.clear();
    }
}

void frmMain::ShowStartUp(bool Show)
{
    ui->miHelpStartup->setChecked(Show);
    settings::set(kNoStartup, Show ? QStringLiteral("0") : QStringLiteral("1"));
}

void frmMain::miHelpStartup_Click()
{
    // The item has already toggled its check mark: the state before the
    // click decides.
    const bool wasChecked = !ui->miHelpStartup->isChecked();
    ShowStartUp(!wasChecked);
}

void frmMain::miHelpContents_Click() { openHelpFile(); }
void frmMain::miFileOpen_Click() { startConverter(); }
void frmMain::miFileImport_Click() { startImportTool(); }
void frmMain::miHelpAbout_Click() { dialogs().showAbout(); }

void frmMain::miFileExit_Click() { close(); }

bool frmMain::prepareExit()
{
    // A Generate run writes into the windows until its last line.
    if (generationRunning())
        return false;
    // The editor asks about unsaved changes before anything closes, so that
    // Cancel keeps every window as it was.
    if (forms().isLoaded(Form::DB)) {
        bool cancel = false;
        forms().db().Form_Unload(cancel);
        if (cancel)
            return false;
    }
    for (Form form : {Form::OutputFolder, Form::Styles, Form::Start, Form::Generating, Form::Help, Form::About,
                      Form::M2C, Form::ConfirmOverwrite, Form::PleaseWait})
        forms().unload(form);
    return true;
}

void frmMain::closeEvent(QCloseEvent *event)
{
    // A second pass (the closing that Exit itself started) finds
    // everything done.
    if (!m_exiting) {
        bool ready = false;
        runEntry(QStringLiteral("MDIForm_Unload"), [&] { ready = prepareExit(); });
        if (!ready) {
            event->ignore();
            return;
        }
        m_exiting = true;
    }
    event->accept();
    forms().unload(Form::Main);
}

void frmMain::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized()) {
        if (QWidget *styles = forms().loaded(Form::Styles))
            styles->hide();
    }
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->MDIArea->viewport() && event->type() == QEvent::Resize) {
        // A child window that filled the client area goes on filling it; one
        // the user has moved or sized keeps its place.
        const auto *resize = static_cast<QResizeEvent *>(event);
        for (QMdiSubWindow *window : ui->MDIArea->subWindowList())
            if (window->windowState() == Qt::WindowNoState && window->geometry() == QRect(QPoint(), resize->oldSize()))
                window->setGeometry(QRect(QPoint(), resize->size()));
    }
    if (watched == ui->MDIArea->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        runEntry(QStringLiteral("MDIForm_DblClick"),
                 [] { runEntry(QStringLiteral("miFileOpenXML_Click"), commands::miFileOpenXML_Click); });
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool frmMain::whatsThisMode() const
{
    return testAttribute(Qt::WA_SetCursor) && cursor().shape() == Qt::WhatsThisCursor;
}

void frmMain::resetMousePointer() { unsetCursor(); }

void frmMain::Toolbar1_ButtonClick(const QString &key)
{
    if (key == QLatin1String("WhatsThis")) {
        const bool on = !whatsThisMode();
        if (on)
            setCursor(Qt::WhatsThisCursor);
        else
            unsetCursor();
        ui->WhatsThis->setChecked(on);
        return;
    }
    if (whatsThisMode()) {
        if (auto *button = findChild<QAction *>(key))
            forms().help().Display(button->property("tag").toString());
        return;
    }
    for (const ToolbarCommand &command : kToolbar) {
        if (key == QLatin1String(command.key)) {
            runEntry(QLatin1String(command.handler), command.run);
            return;
        }
    }
}

void frmMain::setProjectButtonsVisible(bool visible)
{
    const QList<QAction *> buttons = ui->Toolbar1->actions();
    for (qsizetype i = 8; i < 15 && i < buttons.size(); ++i)
        buttons[i]->setVisible(visible);
}

void frmMain::setProjectMenusEnabled(bool enabled)
{
    setMenuEnabled(ui->mTables, enabled);
    setMenuEnabled(ui->mProject, enabled);
}

} // namespace tess
