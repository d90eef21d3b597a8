#pragma once
// The converter's one window: an old project file and the XML project file
// to write, Browse for each, Convert. Started with a command line it
// converts that file without asking and unloads itself.
#include <QString>
#include <QWidget>

#include <memory>

namespace Ui {
class frmConverter;
}

namespace tess {

class frmConverter : public QWidget {
    Q_OBJECT
public:
    explicit frmConverter(QWidget *parent = nullptr);
    ~frmConverter() override;

    // Without a command line the window waits for the user. With one, it is
    // the old file's path (double quotes removed): the window shows itself,
    // converts that file into the default output path and unloads; the
    // result says whether that conversion succeeded.
    bool Form_Load(const QString &CommandLine);

    // True when started with a command line: the questions and notices
    // that need a user are left out, the result messages are not.
    bool silentMode = false;

    void cmdTZPFile_Click();
    void cmdTZXFile_Click();
    // True when the conversion succeeded.
    bool cmdConvert_Click();
    void cmdCancel_Click();
    void cmdHelp_Click();
    void Command1_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void txtTZPFile_LostFocus();
    void txtTZXFile_LostFocus();

    std::unique_ptr<Ui::frmConverter> m_ui;
    // What each file dialog holds: a cancelled dialog hands it back.
    QString m_cdTZPFileName;
    QString m_cdTZXFileName;
    // While a conversion runs, the window's own commands wait for it.
    bool m_converting = false;
};

} // namespace tess
