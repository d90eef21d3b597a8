#pragma once
// The project editor: the project tree beside one property pane at a
// time (database, table or field), the splitter between them and the
// scroll bars of the pane's viewport. The panes commit every edit through
// the main window's commits; the tree is rebuilt by UpdateProject.
#include "editor/panecommit.h"
#include "editor/quicklists.h"

#include <QIcon>
#include <QWidget>
#include <array>
#include <memory>
#include <utility>
#include <vector>

class QTreeWidgetItem;

namespace Ui {
class frmDB;
class picDB;
class picTable;
class picField;
} // namespace Ui

namespace tess {

class frmDB : public QWidget {
    Q_OBJECT
public:
    explicit frmDB(QWidget *parent = nullptr);
    ~frmDB() override;

    // --- tree (the commands reach nodes through these; node 1 is the root)
    QTreeWidgetItem *rootNode() const;
    QTreeWidgetItem *selectedNode() const;
    // Position of a node in tree order, 1 for the root; 0 for none.
    int nodePosition(const QTreeWidgetItem *node) const;
    // A new last child with a picture (1 database ... 6 image field).
    QTreeWidgetItem *addNode(QTreeWidgetItem *parent, const QString &text, int picture);
    void removeNode(QTreeWidgetItem *node);
    void setNodePicture(QTreeWidgetItem *node, int picture);
    void setNodeHidden(QTreeWidgetItem *node, bool hidden);
    int nodePicture(const QTreeWidgetItem *node) const;
    bool nodeHidden(const QTreeWidgetItem *node) const;
    // Starts the in-place editing of a node's label (F2).
    void startLabelEdit(QTreeWidgetItem *node);
    void focusTree();
    // Shows the node's pane filled from the model and selects the node.
    void TreeView1_NodeClick(QTreeWidgetItem *node);
    // The root alone, when a project is open.
    void RefreshTree();
    // Rebuilds the tree from the project, keeping expanded and selected
    // nodes by position, and shows the selected node's pane; then the
    // table count, the database name box and the caption.
    void showProject();
    void setTableCount(int count);
    // The project's file without the program's folder in front, or the
    // database name while there is no file.
    void showCaption();

    // Renames what the selected node stands for; cancel comes back true
    // when the name is refused. The tree is rebuilt once the current
    // event is over.
    void TreeView1_AfterLabelEdit(bool &cancel, const QString &newName);

    // --- panes, as their commits read them
    DbPaneValues dbPaneValues() const;
    TablePaneValues tablePaneValues() const;
    FieldPaneValues fieldPaneValues() const;
    bool parentTableChosen() const;
    // Runs the database name box through the rename when it differs from
    // the project's name; a refused name is put back.
    void commitDatabaseNameBox();
    void setStyleFileBox(const QString &path);
    void setDatabaseNameBox(const QString &name);

    void updateDatePreview();
    void FillOtherFieldsCombo();

    // The field pane's handlers that the Generate command runs.
    void PicField_chkAutoIncrement_Click();
    void PicField_chkBinary_Click();
    void PicField_chkNotNull_Click();
    void PicField_chkPrimaryKey_Click();
    void PicField_chkUnique_Click();
    void PicField_chkUnsigned_Click();
    void PicField_chkZeroFill_Click();
    void PicField_comDataType_LostFocus();
    void PicField_txtLength_LostFocus();
    void PicField_txtPrecision_LostFocus();
    void PicField_txtDefault_LostFocus();

    // Closing the window (Exit asks it first): the visible pane is
    // committed, then an unsaved project asks; Cancel comes back true when
    // the user keeps it open.
    void Form_Unload(bool &Cancel);

    // Which pane shows: 1 database, 2 table, 3 field, 0 none.
    int visiblePane() const;

    // The pictures of the tree's nodes, 1 to 6.
    static QIcon treePicture(int index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    friend class LabelEditDelegate;
    // Marks a fill, a commit or a rename in progress.
    class Busy {
    public:
        explicit Busy(frmDB *form) : m_form(form) { ++m_form->m_busy; }
        ~Busy() { --m_form->m_busy; }
        Busy(const Busy &) = delete;
        Busy &operator=(const Busy &) = delete;

    private:
        frmDB *m_form;
    };

    void Form_Load();
    void connectHandlers();
    void connectTree();
    void Form_Resize();
    void Command1_MouseMove(Qt::MouseButtons buttons, int x);
    void HScroll1_Scroll();
    void VScroll1_Scroll();
    QWidget *visiblePaneWidget() const;
    // The width a pane was designed with: it decides the horizontal scroll
    // range, however wide the pane is drawn.
    int paneWidth(const QWidget *pane) const;
    void showPane(QWidget *pane);

    void fillDbPane();
    void fillTablePane(const MyTable &table);
    void fillFieldPane(const MyTable &table, const MyField &field);
    void fillLookupLists(const MyTable &ownTable, const MyField &field);
    void fillParentFieldLists(const QString &parentTable);
    void applyColours();

    // Handlers with rules of their own
    void lostFocus(QWidget *control);
    void commitDB();
    void commitTable();
    void commitField();
    void runCommit(void (*commit)());
    void PicDB_txtDBName_LostFocus();
    void PicDB_comboDate_Click();
    void lblDBNameTip_Click();
    void lblDateFormatTip_Click();
    void PicField_chkDisplay_Click(QWidget *box);
    void PicField_chkHidden_Click();
    void PicField_chkAllowUploads_Click();
    void setUploadOptionsEnabled(bool enabled);
    void PicField_comDataType_Click();
    void picField_lblFileWarning_Click();
    void PicField_comOtherFields_Click();
    void PicField_comParentTable_Click();
    void PicField_comQuickList_Click();
    void TreeView1_Collapse(QTreeWidgetItem *node);
    void treeKey(QKeyEvent *event);
    // Returns whether the name was refused.
    bool labelEdited(const QString &text);
    void rebuildAfterRename(const QString &tableName, const QString &fieldName, int position);
    void showHelp(QObject *control);

    std::unique_ptr<Ui::frmDB> ui;
    std::unique_ptr<Ui::picDB> db;
    std::unique_ptr<Ui::picTable> tb;
    std::unique_ptr<Ui::picField> fl;
    QWidget *picDB = nullptr;
    QWidget *picTable = nullptr;
    QWidget *picField = nullptr;
    QuickLists m_quickLists;
    // Table and field name of each entry of the other-fields list.
    std::vector<std::pair<QString, QString>> m_otherFields;
    // Set while a fill, a commit or a rename runs: a queued rebuild waits
    // for it, and handlers reached from the message loop do nothing.
    int m_busy = 0;
    bool m_closing = false;
    bool m_renaming = false;
    // A rename from the database name box: a refused name sends the focus
    // to the tree only once the box shows the kept name again.
    bool m_namingFromBox = false;
    bool m_treeFocusPending = false;
    std::array<int, 2> m_scrollMax = {0, 0}; // horizontal, vertical
    std::array<int, 3> m_paneWidths = {0, 0, 0}; // database, table, field
};

} // namespace tess
