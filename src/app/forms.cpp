#include "app/forms.h"
#include "app/frmabout.h"
#include "app/frmconfirmoverwrite.h"
#include "app/frmgenerating.h"
#include "app/frmhelp.h"
#include "app/frmm2c.h"
#include "app/frmmain.h"
#include "app/frmoutputfolder.h"
#include "app/frmpleasewait.h"
#include "app/frmstart.h"
#include "app/frmstyles.h"
#include "converter/frmconverter.h"
#include "editor/frmdb.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace tess {

namespace {

// Dialogs centre on the main window when it is there; they never create it.
QWidget *owner() { return forms().loaded(Form::Main); }

template <class F> F *create() { return new F(owner()); }

template <> frmMain *create<frmMain>() { return new frmMain; }
// Tool windows of their own, beside the main window.
template <> frmStyles *create<frmStyles>() { return new frmStyles; }
template <> frmM2C *create<frmM2C>() { return new frmM2C; }
// The converter program has no main window.
template <> frmConverter *create<frmConverter>() { return new frmConverter; }

// The editor fills the main window's client area; the main window keeps
// it filling as it changes size (frmMain::eventFilter).
template <> frmDB *create<frmDB>()
{
    auto *editor = new frmDB;
    frmMain &main = forms().main();
    QMdiSubWindow *window = main.mdiArea()->addSubWindow(editor);
    // A main window not yet on screen has no client area to measure.
    if (main.isVisible())
        window->setGeometry(main.mdiArea()->viewport()->rect());
    else
        window->resize(editor->size());
    return editor;
}

} // namespace

template <class F> F &Forms::get(Form form)
{
    QPointer<QWidget> &slot = m_forms[size_t(form)];
    if (!slot)
        slot = create<F>();
    return static_cast<F &>(*slot);
}

frmMain &Forms::main() { return get<frmMain>(Form::Main); }
frmDB &Forms::db() { return get<frmDB>(Form::DB); }
frmStyles &Forms::styles() { return get<frmStyles>(Form::Styles); }
frmStart &Forms::start() { return get<frmStart>(Form::Start); }
frmHelp &Forms::help() { return get<frmHelp>(Form::Help); }
frmAbout &Forms::about() { return get<frmAbout>(Form::About); }
frmM2C &Forms::m2c() { return get<frmM2C>(Form::M2C); }
frmConverter &Forms::converter() { return get<frmConverter>(Form::Converter); }
frmOutputFolder &Forms::outputFolder() { return get<frmOutputFolder>(Form::OutputFolder); }
frmGenerating &Forms::generating() { return get<frmGenerating>(Form::Generating); }
frmConfirmOverwrite &Forms::confirmOverwrite() { return get<frmConfirmOverwrite>(Form::ConfirmOverwrite); }
frmPleaseWait &Forms::pleaseWait() { return get<frmPleaseWait>(Form::PleaseWait); }

bool Forms::isLoaded(Form form) const { return !m_forms[size_t(form)].isNull(); }

QWidget *Forms::loaded(Form form) const { return m_forms[size_t(form)].data(); }

void Forms::unload(Form form)
{
    // The editor lives inside the main window and closes with it.
    if (form == Form::Main)
        unload(Form::DB);
    QPointer<QWidget> &slot = m_forms[size_t(form)];
    QWidget *widget = slot.data();
    if (!widget)
        return;
    slot = nullptr;
    // The form may be unloading itself from one of its own handlers, or be
    // inside exec(): hiding ends that, the object goes once control is back
    // in the event loop.
    QWidget *window = widget;
    if (auto *sub = qobject_cast<QMdiSubWindow *>(widget->parentWidget()))
        window = sub;
    widget->hide();
    window->hide();
    window->deleteLater();
}

void Forms::unloadAll()
{
    for (size_t i = 0; i < m_forms.size(); ++i)
        if (Form(i) != Form::Main)
            unload(Form(i));
    unload(Form::Main);
}

Forms &forms()
{
    static Forms registry;
    return registry;
}

} // namespace tess
