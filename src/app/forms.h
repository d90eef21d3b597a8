#pragma once
// The registry of forms: one instance of each, created on first use by its
// accessor, destroyed on unload (hiding is not unloading). Forms reach each
// other only through these accessors.
//
// A new form gets an entry in Form, an accessor below and a line in
// forms.cpp that creates it. Exit unloads the loaded ones only.
#include <QPointer>
#include <QWidget>
#include <array>

namespace tess {

class frmAbout;
class frmConverter;
class frmConfirmOverwrite;
class frmDB;
class frmGenerating;
class frmHelp;
class frmM2C;
class frmMain;
class frmOutputFolder;
class frmPleaseWait;
class frmStart;
class frmStyles;

enum class Form {
    Main,
    DB,
    Styles,
    Start,
    Help,
    About,
    M2C,
    // the Generate dialogs
    OutputFolder,
    Generating,
    ConfirmOverwrite,
    PleaseWait,
    // the converter program's one window
    Converter,
    Count
};

class Forms {
public:
    frmMain &main();
    // The editor, inside the main window's MDI area (creates the main
    // window first).
    frmDB &db();
    frmStyles &styles();
    frmStart &start();
    frmHelp &help();
    frmAbout &about();
    frmM2C &m2c();
    frmConverter &converter();
    frmOutputFolder &outputFolder();
    frmGenerating &generating();
    frmConfirmOverwrite &confirmOverwrite();
    frmPleaseWait &pleaseWait();

    bool isLoaded(Form form) const;
    // The form if it is loaded, else nullptr; never creates it.
    QWidget *loaded(Form form) const;
    // Destroys the form if it is loaded; a form that is not is left alone.
    void unload(Form form);
    // Unloads every loaded form, the main window (and the editor in it) last.
    void unloadAll();

private:
    template <class F> F &get(Form form);
    std::array<QPointer<QWidget>, size_t(Form::Count)> m_forms;
};

Forms &forms();

} // namespace tess
