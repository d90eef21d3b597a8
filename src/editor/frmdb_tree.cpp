// The editor's tree: its rebuild from the project, node selection with the
// filling of the node's pane, the tree's keys and renaming by label edit.
#include "app/commits.h"
#include "app/commands.h"
#include "app/entrypoint.h"
#include "app/forms.h"
#include "editor/frmdb.h"
#include "editor/frmdb_controls.h"
#include "editor/rename.h"
#include "editor/selection.h"
#include "model/appstate.h"
#include "model/reporterror.h"
#include "platform/paths.h"
#include "platform/ui.h"
#include "ui_frmdb.h"
#include "ui_picdb.h"
#include "ui_picfield.h"
#include "ui_pictable.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTreeWidgetItemIterator>

namespace tess {

namespace {

constexpr int PictureRole = Qt::UserRole;
const QColor hiddenColour(132, 113, 88);

int fieldPicture(const MyField &f)
{
    if (f.pPrimaryKey)
        return 4;
    if (!f.ParentTable.isEmpty())
        return 5;
    if (f.pTableImage || f.pDetailImage)
        return 6;
    return 3;
}

QTreeWidgetItem *newNode(const QString &text, int picture)
{
    auto *item = new QTreeWidgetItem(QStringList{text});
    item->setIcon(0, frmDB::treePicture(picture));
    item->setData(0, PictureRole, picture);
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    return item;
}

} // namespace

// The end of a label edit renames what the node stands for before the
// event that ended it goes on (a click on another node selects that one
// afterwards); a refused name leaves the label as it was. The tree itself
// is rebuilt only once the edit is over.
class LabelEditDelegate : public QStyledItemDelegate {
public:
    LabelEditDelegate(frmDB *form) : QStyledItemDelegate(form), m_form(form) {}
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override
    {
        // A message about the name takes the focus from the editor, which
        // ends the edit a second time: that one is the same edit.
        if (m_form->m_renaming)
            return;
        if (!m_form->labelEdited(static_cast<QLineEdit *>(editor)->text()))
            QStyledItemDelegate::setModelData(editor, model, index);
    }

private:
    frmDB *m_form;
};

void frmDB::connectTree()
{
    QTreeWidget *tree = ui->TreeView1;
    tree->setItemDelegate(new LabelEditDelegate(this));
    tree->installEventFilter(this);
    connect(tree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *current) { TreeView1_NodeClick(current); });
    connect(tree, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem *node) { TreeView1_Collapse(node); });
}

QTreeWidgetItem *frmDB::rootNode() const
{
    return ui->TreeView1->topLevelItemCount() ? ui->TreeView1->topLevelItem(0) : nullptr;
}

QTreeWidgetItem *frmDB::selectedNode() const
{
    QTreeWidgetItem *node = ui->TreeView1->currentItem();
    return node && node->isSelected() ? node : nullptr;
}

int frmDB::nodePosition(const QTreeWidgetItem *node) const
{
    int position = 0;
    for (QTreeWidgetItemIterator it(ui->TreeView1); *it; ++it) {
        ++position;
        if (*it == node)
            return position;
    }
    return 0;
}

QTreeWidgetItem *frmDB::addNode(QTreeWidgetItem *parent, const QString &text, int picture)
{
    QTreeWidgetItem *item = newNode(text, picture);
    if (parent)
        parent->addChild(item);
    else
        ui->TreeView1->addTopLevelItem(item);
    return item;
}

void frmDB::removeNode(QTreeWidgetItem *node)
{
    QSignalBlocker block(ui->TreeView1);
    delete node;
}

void frmDB::setNodePicture(QTreeWidgetItem *node, int picture)
{
    node->setIcon(0, treePicture(picture));
    node->setData(0, PictureRole, picture);
}

void frmDB::setNodeHidden(QTreeWidgetItem *node, bool hidden)
{
    // Black is the tree's own text colour.
    if (hidden)
        node->setForeground(0, hiddenColour);
    else
        node->setData(0, Qt::ForegroundRole, QVariant());
}

int frmDB::nodePicture(const QTreeWidgetItem *node) const
{
    return node->data(0, PictureRole).toInt();
}

bool frmDB::nodeHidden(const QTreeWidgetItem *node) const
{
    return node->foreground(0).color() == hiddenColour;
}

void frmDB::startLabelEdit(QTreeWidgetItem *node)
{
    if (node)
        ui->TreeView1->editItem(node);
}

void frmDB::focusTree()
{
    ui->TreeView1->setFocus(Qt::OtherFocusReason);
}

void frmDB::setTableCount(int count)
{
    ui->Label2->setText(QString::number(count) + QStringLiteral(" tables in database."));
}

void frmDB::setDatabaseNameBox(const QString &name)
{
    db->PicDB_txtDBName->setText(name);
}

void frmDB::setStyleFileBox(const QString &path)
{
    db->PicDB_txtTZSFilename->setText(path);
}

void frmDB::RefreshTree()
{
    try {
        const QString &name = app().ProjectDB->DBName;
        if (name.isEmpty())
            return;
        QSignalBlocker block(ui->TreeView1);
        ui->TreeView1->clear();
        addNode(nullptr, name, 1);
    } catch (const RuntimeError &e) {
        ReportError(QStringLiteral("frmdb.RefreshTree"), e);
    }
}

void frmDB::showProject()
{
    const MyDB &project = *app().ProjectDB;
    QTreeWidget *tree = ui->TreeView1;
    const QTreeWidgetItem *oldRoot = rootNode();
    const bool fresh = !oldRoot || (tree->topLevelItemCount() == 1 && oldRoot->childCount() == 0);
    std::vector<char> expanded, selected;
    if (!fresh)
        for (QTreeWidgetItemIterator it(tree); *it; ++it) {
            expanded.push_back((*it)->isExpanded());
            selected.push_back((*it)->isSelected());
        }

    tree->setUpdatesEnabled(false);
    {
        QSignalBlocker block(tree);
        tree->clear();
        QTreeWidgetItem *root = newNode(project.DBName, 1);
        QList<QTreeWidgetItem *> tableNodes;
        tableNodes.reserve(project.Tables.Count());
        for (const TablePtr &table : project.Tables) {
            QTreeWidgetItem *tableNode = newNode(table->Name, 2);
            QList<QTreeWidgetItem *> fieldNodes;
            fieldNodes.reserve(table->Fields.Count());
            for (const FieldPtr &field : table->Fields) {
                QTreeWidgetItem *fieldNode = newNode(field->Name, fieldPicture(*field));
                if (field->pHidden)
                    fieldNode->setForeground(0, hiddenColour);
                fieldNodes.append(fieldNode);
            }
            tableNode->addChildren(fieldNodes);
            tableNodes.append(tableNode);
        }
        root->addChildren(tableNodes);
        tree->addTopLevelItem(root);
        db->PicDB_txtDBName->setText(project.DBName);

        if (!fresh) {
            size_t position = 0;
            for (QTreeWidgetItemIterator it(tree); *it && position < expanded.size(); ++it, ++position) {
                if (expanded[position])
                    (*it)->setExpanded(true);
                if (selected[position])
                    tree->setCurrentItem(*it);
            }
        }
    }
    tree->setUpdatesEnabled(true);
    if (fresh) {
        rootNode()->setExpanded(true);
        TreeView1_NodeClick(rootNode());
    } else {
        // A selection that lay beyond the new tree's end falls back to
        // the root.
        QTreeWidgetItem *node = selectedNode();
        TreeView1_NodeClick(node ? node : rootNode());
    }
    setTableCount(project.Tables.Count());
    showCaption();
}

void frmDB::showCaption()
{
    const QString &file = app().FileName;
    if (file.isEmpty())
        setWindowTitle(app().ProjectDB->DBName);
    else
        setWindowTitle(QString(file).replace(programFolder() + u'/', QString()));
}

void frmDB::TreeView1_NodeClick(QTreeWidgetItem *node)
{
    // A node the tree no longer holds (none selected after a rebuild)
    // fills nothing.
    if (!node || !nodePosition(node))
        return;
    Busy busy(this);
    AppState &s = app();
    s.IsFillingPanes = true;
    try {
        if (node == rootNode()) {
            s.CurrentTable.reset();
            s.CurrentField.reset();
            showPane(picDB);
            fillDbPane();
            updateDatePreview();
        } else if (node->parent() == rootNode()) {
            showPane(picTable);
            if (const TablePtr table = findTable(*s.ProjectDB, node->text(0))) {
                s.CurrentTable = table;
                s.CurrentField.reset();
                fillTablePane(*table);
            }
        } else {
            showPane(picField);
            const TablePtr table = findTable(*s.ProjectDB, node->parent()->text(0));
            const FieldPtr field = table ? findField(*table, node->text(0)) : FieldPtr();
            if (field) {
                s.CurrentTable = table;
                s.CurrentField = field;
                FillOtherFieldsCombo();
                fillFieldPane(*table, *field);
            }
        }
        Form_Resize();
        {
            QSignalBlocker block(ui->TreeView1);
            ui->TreeView1->setCurrentItem(node);
        }
        s.IsFillingPanes = false;
    } catch (const RuntimeError &e) {
        ReportError(QStringLiteral("frmDB.TreeView1_NodeClick"), e);
    }
}

void frmDB::TreeView1_Collapse(QTreeWidgetItem *node)
{
    QTreeWidgetItem *selected = ui->TreeView1->currentItem();
    // Collapsing hides a selected child: the selection moves onto the node.
    if (selected && selected->parent() == node)
        TreeView1_NodeClick(node);
    else if (selected && selected->text(0) == node->text(0))
        TreeView1_NodeClick(node);
}

void frmDB::treeKey(QKeyEvent *event)
{
    try {
        switch (event->key()) {
        case Qt::Key_F2:
            if ((event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) == 0)
                startLabelEdit(selectedNode());
            event->accept();
            return;
        case Qt::Key_F1:
            showHelp(ui->TreeView1);
            event->accept();
            return;
        case Qt::Key_Delete:
            runEntry(QStringLiteral("miTablesDelete_Click"), commands::miTablesDelete_Click);
            event->accept();
            return;
        default:
            event->ignore();
            return;
        }
    } catch (const RuntimeError &e) {
        tess::ui().messageBox(e.message(), Mb::OkOnly);
        event->accept();
    }
}

bool frmDB::labelEdited(const QString &text)
{
    m_renaming = true;
    bool cancel = false;
    TreeView1_AfterLabelEdit(cancel, text);
    m_renaming = false;
    return cancel;
}

void frmDB::TreeView1_AfterLabelEdit(bool &cancel, const QString &newName)
{
    Busy busy(this);
    try {
        MyDB &project = *app().ProjectDB;
        const QTreeWidgetItem *node = selectedNode();
        const int kind = SelectedNodeKind();
        RenameOutcome out;
        if (kind == 1)
            out = renameDatabase(project, newName);
        else if (kind == 2)
            out = renameTable(project, node->text(0), newName);
        else
            out = renameField(project, node->parent()->text(0), node->text(0), newName);
        if (out.cancel)
            cancel = true;
        if (out.focusTree) {
            // Moving the focus makes the control that has it commit its
            // pane; the name box must hold the kept name by then.
            if (m_namingFromBox)
                m_treeFocusPending = true;
            else
                focusTree();
        }
        if (out.field) {
            app().CurrentTable = out.table;
            app().CurrentField = out.field;
        }
        if (out.renamed) {
            const QString tableName = out.field ? out.table->Name : QString();
            const QString fieldName = out.field ? out.field->Name : QString();
            const int position = nodePosition(selectedNode());
            QMetaObject::invokeMethod(
                this, [this, tableName, fieldName, position] { rebuildAfterRename(tableName, fieldName, position); },
                Qt::QueuedConnection);
        }
    } catch (const RuntimeError &e) {
        ReportError(QStringLiteral("frmDB.TreeView1_AfterLabelEdit"), e);
    }
}

void frmDB::rebuildAfterRename(const QString &tableName, const QString &fieldName, int position)
{
    // Not inside a fill or a commit that let the message loop run.
    if (m_busy) {
        QMetaObject::invokeMethod(
            this, [this, tableName, fieldName, position] { rebuildAfterRename(tableName, fieldName, position); },
            Qt::QueuedConnection);
        return;
    }
    try {
        // A click that ended the edit has selected another node since:
        // that selection stays.
        const bool moved = nodePosition(selectedNode()) != position;
        UpdateProject();
        if (fieldName.isEmpty() || moved || !rootNode())
            return;
        for (QTreeWidgetItemIterator it(ui->TreeView1); *it; ++it) {
            QTreeWidgetItem *node = *it;
            if (node->parent() && node->parent() != rootNode() && node->text(0) == fieldName
                && node->parent()->text(0) == tableName) {
                TreeView1_NodeClick(node);
                break;
            }
        }
    } catch (const RuntimeError &e) {
        ReportError(QStringLiteral("frmDB.TreeView1_AfterLabelEdit"), e);
    }
}

void frmDB::commitDatabaseNameBox()
{
    QLineEdit *box = db->PicDB_txtDBName;
    QTreeWidgetItem *root = rootNode();
    if (!root || box->text() == app().ProjectDB->DBName)
        return;
    {
        QSignalBlocker block(ui->TreeView1);
        ui->TreeView1->setCurrentItem(root);
    }
    bool cancel = false;
    m_namingFromBox = true;
    m_treeFocusPending = false;
    TreeView1_AfterLabelEdit(cancel, box->text());
    m_namingFromBox = false;
    if (cancel)
        box->setText(root->text(0));
    else
        root->setText(0, app().ProjectDB->DBName);
    if (std::exchange(m_treeFocusPending, false))
        focusTree();
}

} // namespace tess
