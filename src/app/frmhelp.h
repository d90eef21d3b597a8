#pragma once
// The help window: one topic of the help-text file, its title above its
// body. Modeless; Esc hides it (it stays loaded with its topic).
#include <QDialog>
#include <memory>

namespace Ui {
class frmHelp;
}

namespace tess {

class frmHelp : public QDialog {
    Q_OBJECT
public:
    explicit frmHelp(QWidget *parent = nullptr);
    ~frmHelp() override;

    // Shows the topic of a control's tag, read anew from the help-text file
    // beside the program; a missing or broken file gets a message and
    // leaves the window as it was.
    void Display(const QString &HelpID);

    // The texts shown: the title line and the body (with CR LF).
    QString titleText() const;
    QString bodyText() const { return m_body; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    std::unique_ptr<Ui::frmHelp> ui;
    QString m_body;
};

} // namespace tess
