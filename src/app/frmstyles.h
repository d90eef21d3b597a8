#pragma once
// The styles editor: the selectors of the style table in a list, the
// declarations of the selected one in a text box that writes every change
// straight into the table, and the Save, Load and Restore commands. The
// one instance lives in the form registry (forms().styles()).
#include <QList>
#include <QString>
#include <QWidget>

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace tess {

class frmStyles : public QWidget {
    Q_OBJECT
public:
    explicit frmStyles(QWidget *parent = nullptr);

    // Refills the list from the table and selects the first entry.
    void StylesDisplay();
    // Stores the text box into the selected slot's declarations.
    void StylesUpdate();
    // The Load command; the database pane's Browse button runs it too.
    void cmdLoadStyles_Click();
    void cmdDefaultStyles_Click();
    void cmdSaveStyles_Click();

    // The table slot that a list row shows (0 when the row shows none).
    int slotOfRow(int row) const;

    QListWidget *lstStyles = nullptr;
    QPlainTextEdit *txtStyle = nullptr;
    QPushButton *cmdSaveStyles = nullptr;
    QPushButton *cmdLoadStyles = nullptr;
    QPushButton *cmdDefaultStyles = nullptr;
    QList<QLabel *> Label1;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void lstStyles_Click();
    void txtStyle_Change();

    // Slot of each list row: a file may leave a slot without a selector,
    // and then rows and slots no longer run in step.
    QList<int> m_rowSlot;
    // The text box's text as it read right after a slot was shown, so that
    // showing a slot leaves its line ends as they are.
    QString m_shownText;
    QString m_shownSource;
};

} // namespace tess
