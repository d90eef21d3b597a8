#pragma once
// The choice of the folder a Generate run writes into: the mounted file
// systems in place of drives, the folder list (ancestors, the list's folder
// and its subfolders) and a text box for a typed path. Hidden, not
// destroyed, by its buttons: it keeps its state from one run to the next.
#include <QDialog>

class QComboBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace tess {

class frmOutputFolder : public QDialog {
    Q_OBJECT
public:
    explicit frmOutputFolder(QWidget *parent = nullptr);

    // The chosen folder; empty when cancelled.
    QString Folder;

    // The folder the folder list stands on.
    QString listFolder() const { return m_listFolder; }
    // Moves the folder list (and the drive list) to an existing folder;
    // false when there is none of that name.
    bool setListFolder(const QString &path);

    void Command1_Click(); // Cancel
    void Command2_Click(); // New Folder
    void Command3_Click(); // Generate >>

    // The mount points the drive list offers.
    static QStringList mountPoints();

protected:
    void reject() override; // Esc and the close box: Cancel
    void showEvent(QShowEvent *event) override;

private:
    void Form_Load();
    void Dir1_Click(QListWidgetItem *item);
    void Drive1_Change(int index);
    void txtOutputFolder_Change(const QString &text);
    void fillDir1();
    void selectDrive(const QString &path);

    QComboBox *Drive1;
    QListWidget *Dir1;
    QLineEdit *txtOutputFolder;
    QPushButton *Command3;
    QPushButton *Command2;
    QPushButton *Command1;
    QString m_listFolder;
    bool m_loaded = false;
};

} // namespace tess
