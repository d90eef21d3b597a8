// The editor window over a small project: the tree rebuild, selecting
// every kind of node without editing it, renaming in the tree and in the
// database name box, pane commits, the date preview, value lists, the
// property copy, closing, start-up lists and colours, and screenshots.
#include "app/commands.h"
#include "app/commits.h"
#include "app/forms.h"
#include "app/frmmain.h"
#include "app/helpfile.h"
#include "app/projectedits.h"
#include "app/startup.h"
#include "converter/projectdump.h"
#include "converter/projectwriter.h"
#include "editor/editorproject.h"
#include "editor/frmdb.h"
#include "editor/selection.h"
#include "model/datesettings.h"
#include "model/styles.h"
#include "model/xmlreader.h"
#include "platform/paths.h"
#include "platform/settings.h"
#include "support/guifixture.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>

using namespace tess;

namespace {

frmDB &editor() { return forms().db(); }

template <class T> T *control(const char *name)
{
    T *c = editor().findChild<T *>(QString::fromLatin1(name));
    if (!c)
        qFatal("no control %s", name);
    return c;
}

QTreeWidget *tree() { return control<QTreeWidget>("TreeView1"); }

// The field pane's type, length and precision reach the model when their
// controls lose the focus; Generate commits them the same way.
void PicFieldCommit()
{
    editor().PicField_comDataType_LostFocus();
}

// A node by its path: "shop", "orders", "orders/photo".
QTreeWidgetItem *node(const QString &path) { return test::treeNode(editor().rootNode(), path); }

// As the user selects a node: through the tree's own selection.
void select(const QString &path)
{
    QTreeWidgetItem *n = node(path);
    QVERIFY2(n, qPrintable(path));
    tree()->setCurrentItem(n);
}

void openProject()
{
    test::buildEditorProject(*app().ProjectDB);
    UpdateProject();
    forms().main().resize(1000, 800);
    editor().parentWidget()->resize(760, 720);
    forms().main().show();
    forms().main().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&forms().main()));
    app().ProjectSaved = true;
}

QStringList model() { return testing::dump(*app().ProjectDB); }

// A style file whose one slot differs from the default styles.
void writeStyleFile(const QString &path, int slot, const QString &declarations)
{
    StyleTable styles;
    LoadDefaultStyles(styles);
    styles.StyleDefinitions[size_t(slot)] = declarations;
    SaveStylesFile(path, styles);
}

void processQueued()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

} // namespace

class TestGuiEditor : public QObject {
    Q_OBJECT
    test::GuiFixture f;

private slots:
    void init() { f.init(); }
    void cleanup() { f.cleanup(); }

    void treeRebuild()
    {
        openProject();
        QTreeWidgetItem *root = editor().rootNode();
        QCOMPARE(root->text(0), QStringLiteral("shop"));
        QVERIFY(root->isExpanded());
        QCOMPARE(editor().selectedNode(), root);
        QCOMPARE(editor().visiblePane(), 1);
        QCOMPARE(control<QLabel>("Label2")->text(), QStringLiteral("3 tables in database."));
        QCOMPARE(editor().windowTitle(), QStringLiteral("shop"));
        QCOMPARE(control<QLineEdit>("PicDB_txtDBName")->text(), QStringLiteral("shop"));
        const QList<std::pair<QString, int>> pictures = {
            {"shop", 1}, {"customers", 2}, {"customers/id", 4}, {"customers/name", 3}, {"customers/notes", 3},
            {"orders/customer_id", 5}, {"orders/photo", 6}, {"odd/both", 4}, {"odd/archive", 5}};
        for (const auto &[path, picture] : pictures)
            QCOMPARE(editor().nodePicture(node(path)), picture);
        QVERIFY(editor().nodeHidden(node("customers/notes")));
        QCOMPARE(node("customers/notes")->foreground(0).color(), QColor(132, 113, 88));
        QCOMPARE(node("customers/name")->foreground(0).color(), QColor(0, 0, 0));
        QVERIFY(f.action(QStringLiteral("miTablesNew"))->isEnabled());
        QVERIFY(f.action(QStringLiteral("TableNew"))->isVisible());

        // The view survives a rebuild that keeps the nodes in place.
        node("orders")->setExpanded(true);
        select(QStringLiteral("orders/photo"));
        app().ProjectDB->Tables.Item(2)->Fields.Item(3)->pHidden = true;
        UpdateProject();
        QVERIFY(node("orders")->isExpanded());
        QVERIFY(!node("customers")->isExpanded());
        QCOMPARE(editor().selectedNode(), node("orders/photo"));
        QCOMPARE(editor().visiblePane(), 3);
        QVERIFY(editor().nodeHidden(node("orders/photo")));
        QVERIFY(!app().ProjectSaved);

        // No project: the editor goes, the menus and buttons with it.
        app().ProjectDB->DBName.clear();
        UpdateProject();
        QVERIFY(!forms().isLoaded(Form::DB));
        QVERIFY(!f.action(QStringLiteral("miTablesNew"))->isEnabled());
        QVERIFY(!f.action(QStringLiteral("TableNew"))->isVisible());
        QVERIFY(!f.action(QStringLiteral("WhatsThis"))->isVisible());
        QVERIFY(f.action(QStringLiteral("Generate"))->isVisible());
    }

    void selectingDoesNotEdit_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("pane");
        for (const char *p : {"shop", "customers", "orders", "odd"})
            QTest::newRow(p) << p << (QString::fromLatin1(p) == u"shop" ? 1 : 2);
        for (const char *p : {"customers/id", "customers/notes", "orders/customer_id", "orders/photo", "orders/state",
                              "odd/both", "odd/archive", "odd/self", "odd/strange"})
            QTest::newRow(p) << p << 3;
    }
    void selectingDoesNotEdit()
    {
        QFETCH(QString, path);
        QFETCH(int, pane);
        openProject();
        // Start from another field, so that every list changes on the way.
        select(QStringLiteral("orders/photo"));
        const QStringList before = model();
        app().ProjectSaved = true;
        select(path);
        QCOMPARE(editor().visiblePane(), pane);
        QVERIFY(!app().IsFillingPanes);
        QCOMPARE(model(), before);
        QVERIFY(app().ProjectSaved);
        // Committing what the fill showed stores the same project.
        CommitVisiblePane();
        QCOMPARE(model(), before);
        QVERIFY(f.ui().shown.isEmpty());
    }

    void selectionSetsCurrentObjects()
    {
        openProject();
        MyDB &db = *app().ProjectDB;
        select(QStringLiteral("orders/state"));
        QCOMPARE(SelectedNodeKind(), 3);
        QCOMPARE(app().CurrentField, db.Tables.Item(2)->Fields.Item(4));
        QCOMPARE(GetCurrentFieldTable(), db.Tables.Item(2));
        QCOMPARE(control<QLabel>("PicField_Name")->text(), QStringLiteral("Field: orders.state"));
        QCOMPARE(control<QTabWidget>("SSTab1")->currentIndex(), 2);
        select(QStringLiteral("orders/customer_id"));
        QCOMPARE(control<QTabWidget>("SSTab1")->currentIndex(), 1);
        QVERIFY(control<QComboBox>("PicField_comParentTable")->isVisible()); // the page itself, not only its tab
        // The drop-down lists filled on the way show every entry.
        for (const char *name : {"PicField_comParentTable", "PicField_comParentCaptionField", "PicField_comOtherFields"}) {
            auto *list = control<QComboBox>(name);
            list->showPopup();
            const QModelIndex last = list->model()->index(list->count() - 1, 0);
            QVERIFY2(list->view()->visualRect(last).isValid(), name);
            list->hidePopup();
        }
        QCOMPARE(control<QComboBox>("PicField_comParentTable")->currentText(), QStringLiteral("customers"));
        QCOMPARE(control<QComboBox>("PicField_comParentIDField")->currentText(), QStringLiteral("id"));
        QCOMPARE(control<QComboBox>("PicField_comParentCaptionField")->currentText(), QStringLiteral("name"));
        // The own table is never offered.
        QCOMPARE(control<QComboBox>("PicField_comParentTable")->findText(QStringLiteral("orders")), -1);
        select(QStringLiteral("odd/archive"));
        QCOMPARE(control<QComboBox>("PicField_comFileType")->currentText(), QStringLiteral("7z|tar"));
        QVERIFY(control<QComboBox>("PicField_comFileType")->isEnabled());
        QCOMPARE(control<QComboBox>("PicField_comDataType")->currentText(), QStringLiteral("VarChar"));
        QCOMPARE(control<QLabel>("Label3")->text(), QStringLiteral(" Guidelines regarding the VarChar data type:"));
        QVERIFY(control<QPlainTextEdit>("PicField_txtWarning")->toPlainText().startsWith(
            QStringLiteral("* Specify a Length")));
        select(QStringLiteral("odd/both"));
        QCOMPARE(control<QComboBox>("PicField_comDataType")->currentIndex(), -1);
        QVERIFY(!control<QComboBox>("PicField_comFileType")->isEnabled());
        select(QStringLiteral("odd"));
        QCOMPARE(SelectedNodeKind(), 2);
        QCOMPARE(app().CurrentTable, db.Tables.Item(3));
        QVERIFY(!app().CurrentField);
        QVERIFY(!GetCurrentFieldTable());
        QCOMPARE(control<QComboBox>("PicTable_comboQuickSearch")->currentIndex(), -1);
        select(QStringLiteral("shop"));
        QCOMPARE(SelectedNodeKind(), 1);
        QVERIFY(!app().CurrentTable && !app().CurrentField);
        QCOMPARE(control<QLabel>("PicDB_lblName")->text(), QStringLiteral("The database: shop"));
        // Collapsing a table while one of its fields is selected opens the table.
        node("orders")->setExpanded(true);
        select(QStringLiteral("orders/photo"));
        tree()->collapseItem(node("orders"));
        QCOMPARE(editor().selectedNode(), node("orders"));
        QCOMPARE(editor().visiblePane(), 2);
    }

    void renameInTheTree()
    {
        openProject();
        node("orders")->setExpanded(true);
        select(QStringLiteral("orders/customer_id"));
        tree()->setFocus();
        QTest::keyClick(tree(), Qt::Key_F2);
        auto *box = tree()->viewport()->findChild<QLineEdit *>();
        QVERIFY(box);
        box->setText(QStringLiteral("client_id"));
        QTest::keyClick(box, Qt::Key_Return);
        processQueued();
        MyTable &orders = *app().ProjectDB->Tables.Item(2);
        QCOMPARE(orders.Fields.Item(2)->Name, QStringLiteral("client_id"));
        QCOMPARE(orders.Fields.Item(2)->Caption, QStringLiteral("Client_id"));
        QCOMPARE(orders.AlterSQL, QStringLiteral("ALTER TABLE `orders` CHANGE `customer_id` `client_id` INT(11) ;;"));
        QCOMPARE(editor().selectedNode(), node("orders/client_id"));
        QCOMPARE(app().CurrentField, orders.Fields.Item(2));
        QCOMPARE(editor().visiblePane(), 3);

        // A reserved word is refused with its message; the label stays.
        QTest::keyClick(tree(), Qt::Key_F2);
        box = tree()->viewport()->findChild<QLineEdit *>();
        QVERIFY(box);
        box->setText(QStringLiteral("Select"));
        QTest::keyClick(box, Qt::Key_Return);
        processQueued();
        QCOMPARE(f.ui().messages(),
                 QStringList{QStringLiteral("'Select' is a MySQL reserved keyword. Please choose another name.")});
        QCOMPARE(editor().selectedNode()->text(0), QStringLiteral("client_id"));
        QCOMPARE(orders.Fields.Item(2)->Name, QStringLiteral("client_id"));

        // A click on another node ends the edit: the edited field is
        // renamed, and the clicked node is the one selected.
        QTest::keyClick(tree(), Qt::Key_F2);
        box = tree()->viewport()->findChild<QLineEdit *>();
        QVERIFY(box && box->isVisible());
        box->setText(QStringLiteral("customer"));
        const QRect photo = tree()->visualItemRect(node("orders/photo"));
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, photo.center());
        processQueued();
        QCOMPARE(orders.Fields.Item(2)->Name, QStringLiteral("customer"));
        QCOMPARE(orders.Fields.Item(3)->Name, QStringLiteral("photo"));
        QCOMPARE(editor().selectedNode(), node("orders/photo"));
        QCOMPARE(control<QLabel>("PicField_Name")->text(), QStringLiteral("Field: orders.photo"));

        // F2 with a shift key held starts nothing.
        QTest::keyClick(tree(), Qt::Key_F2, Qt::ShiftModifier);
        QVERIFY(!tree()->viewport()->findChild<QLineEdit *>() || !tree()->viewport()->findChild<QLineEdit *>()->isVisible());
    }

    void renameTableKeepsTheView()
    {
        openProject();
        node("customers")->setExpanded(true);
        node("orders")->setExpanded(true);
        select(QStringLiteral("orders"));
        bool cancel = false;
        editor().TreeView1_AfterLabelEdit(cancel, QStringLiteral("sales"));
        QVERIFY(!cancel);
        processQueued();
        QVERIFY(node("customers")->isExpanded());
        QVERIFY(node("sales")->isExpanded());
        QVERIFY(!node("odd")->isExpanded());
        QCOMPARE(editor().selectedNode(), node("sales"));
        QCOMPARE(control<QLabel>("PicTable_lblName")->text(), QStringLiteral("Table: sales"));
        // Renaming customers follows into the lookups of other tables.
        select(QStringLiteral("customers"));
        editor().TreeView1_AfterLabelEdit(cancel, QStringLiteral("clients"));
        processQueued();
        QCOMPARE(app().ProjectDB->Tables.Item(2)->Fields.Item(2)->ParentTable, QStringLiteral("clients"));
        QCOMPARE(app().ProjectDB->Tables.Item(3)->Fields.Item(1)->ParentTable, QStringLiteral("clients"));
    }

    void databaseNameBox_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("message");
        QTest::newRow("accepted, with a hyphen") << "shop-2" << "shop-2" << "";
        QTest::newRow("reserved words are fine for a database") << "select" << "select" << "";
        QTest::newRow("leading digit") << "2shop" << "shop"
                                       << "Error: Invalid name.\r\nDatabase, table and field names can only contain "
                                          "alphanumeric characters and underscores.\r\nNames cannot begin with a "
                                          "numeric character.";
        QTest::newRow("emptied") << "" << "shop" << "";
    }
    void databaseNameBox()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QFETCH(QString, message);
        openProject();
        auto *box = control<QLineEdit>("PicDB_txtDBName");
        box->setText(typed);
        // A command commits without the box losing the focus.
        CommitVisiblePane();
        processQueued();
        QCOMPARE(app().ProjectDB->DBName, stored);
        QVERIFY(forms().isLoaded(Form::DB));
        QCOMPARE(control<QLineEdit>("PicDB_txtDBName")->text(), stored);
        QCOMPARE(editor().rootNode()->text(0), stored);
        QCOMPARE(f.ui().messages(), message.isEmpty() ? QStringList() : QStringList{message});
    }

    // However the focus leaves the box after a refused name, the user hears
    // of it once and sees the kept name.
    void refusedDatabaseNameShownOnce_data()
    {
        QTest::addColumn<QString>("leave");
        QTest::newRow("Tab") << "Tab";
        QTest::newRow("Shift+Tab") << "Shift+Tab";
        QTest::newRow("click on the tree") << "tree";
        QTest::newRow("click on the server box") << "server";
        QTest::newRow("Ctrl+S with the focus in the box") << "Ctrl+S";
    }
    void refusedDatabaseNameShownOnce()
    {
        QFETCH(QString, leave);
        openProject();
        auto *box = control<QLineEdit>("PicDB_txtDBName");
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(box->hasFocus());
        QCoreApplication::processEvents(); // the whole name selected
        QTest::keyClicks(box, QStringLiteral("bad name"));
        QCOMPARE(box->text(), QStringLiteral("bad name"));
        if (leave == QLatin1String("Tab")) {
            QTest::keyClick(box, Qt::Key_Tab);
        } else if (leave == QLatin1String("Shift+Tab")) {
            QTest::keyClick(box, Qt::Key_Backtab, Qt::ShiftModifier);
        } else if (leave == QLatin1String("tree")) {
            QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {},
                              tree()->visualItemRect(editor().rootNode()).center());
        } else if (leave == QLatin1String("server")) {
            QTest::mouseClick(control<QLineEdit>("PicDB_txtDBServer"), Qt::LeftButton);
        } else {
            QTest::keyClick(box, Qt::Key_S, Qt::ControlModifier);
            QCOMPARE(f.ui().shown.last().kind, QStringLiteral("save"));
        }
        processQueued();
        QCOMPARE(f.ui().messages(),
                 QStringList{"Error: Invalid name.\r\nDatabase, table and field names can only contain alphanumeric "
                             "characters and underscores.\r\nNames cannot begin with a numeric character."});
        QCOMPARE(box->text(), QStringLiteral("shop"));
        QCOMPARE(app().ProjectDB->DBName, QStringLiteral("shop"));
        QCOMPARE(editor().rootNode()->text(0), QStringLiteral("shop"));
    }

    // A label names its control for a screen reader, and a click on it
    // puts the focus into the control.
    void labelsNameTheirControls_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("box");
        const auto row = [](const char *node, const char *label, const char *box) {
            QTest::addRow("%s %s", *node ? node : "shop", label) << node << label << box;
        };
        row("", "Database name", "PicDB_txtDBName");
        row("", "Server", "PicDB_txtDBServer");
        row("", "Username", "PicDB_txtUserName");
        row("", "Password", "PicDB_txtPassword");
        row("", "Project styles file", "PicDB_txtTZSFilename");
        row("", "Order", "PicDB_comboDateFormat");
        row("", "Separator", "PicDB_comboDateSeparator");
        row("", "Preview", "PicDB_txtDatePreview");
        row("orders", "Caption", "PicTable_txtCaption");
        row("orders", "Records per page ", "PicTable_txtRecordsPerPage");
        row("orders", "Detail view title", "PicTable_txtDetailViewLabel");
        row("orders", "Quick search box", "PicTable_comboQuickSearch");
        row("orders", "Redirect after insert ", "PicTable_txtRedirectAfterInsert");
        row("orders/photo", "Caption", "PicField_txtCaption");
        row("orders/photo", "Data type", "PicField_comDataType");
        row("orders/photo", "Length", "PicField_txtLength");
        row("orders/photo", "Precision", "PicField_txtPrecision");
        row("orders/photo", "Default", "PicField_txtDefault");
        row("orders/photo", "Column width (pixels) ", "PicField_txtColumnWidth");
        row("orders/photo", "Max length in table view", "PicField_txtNumChars");
        row("orders/photo", "Copy properties from", "PicField_comOtherFields");
        row("orders/photo", "Allowed file types", "PicField_comFileType");
        row("orders/photo", "Maximum acceptable file size in bytes", "PicField_txtMaxImageSize");
        row("orders/customer_id", "Parent table", "PicField_comParentTable");
        row("orders/customer_id", "Parent ID field", "PicField_comParentIDField");
        row("orders/customer_id", "Parent caption field", "PicField_comParentCaptionField");
        row("orders/state", "List values (separated by double semi-colons ;;) ", "PicField_txtCSValueList");
        row("orders/state", "Display the options list as:", "picField_optCSValueListType_0");
    }
    void labelsNameTheirControls()
    {
        QFETCH(QString, node);
        QFETCH(QString, label);
        QFETCH(QString, box);
        openProject();
        node.isEmpty() ? select(QStringLiteral("shop")) : select(node);
        QLabel *caption = nullptr;
        for (QLabel *l : editor().findChildren<QLabel *>())
            if (l->text() == label && l->isVisible())
                caption = l;
        QVERIFY2(caption, qPrintable(label));
        auto *target = control<QWidget>(qPrintable(box));
        QCOMPARE(caption->buddy(), target);
        // What a screen reader asks: which label the control has.
        QAccessibleInterface *named = QAccessible::queryAccessibleInterface(target);
        QVERIFY(named);
        QStringList labels;
        for (const auto &[other, relation] : named->relations(QAccessible::Label))
            labels << other->text(QAccessible::Name);
        QCOMPARE(labels, QStringList{label});
        QTest::mouseClick(caption, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), target);
    }

    void whenPanesCommit()
    {
        openProject();
        MyDB &db = *app().ProjectDB;
        // The scroll-bar option commits when it loses the focus.
        auto *left = control<QRadioButton>("PicDB_optScrollBar_1");
        left->setFocus();
        left->setChecked(true);
        QCOMPARE(db.ScrollStyle, qint16(0));
        control<QLineEdit>("PicDB_txtDBServer")->setFocus();
        QCOMPARE(db.ScrollStyle, qint16(1));
        QVERIFY(!app().ProjectSaved);

        // A caption commits once its box loses the focus, with the whole pane.
        select(QStringLiteral("customers"));
        MyTable &customers = *db.Tables.Item(1);
        auto *caption = control<QLineEdit>("PicTable_txtCaption");
        caption->setFocus();
        QTest::keyClicks(caption, QStringLiteral(" list"));
        control<QLineEdit>("PicTable_txtRecordsPerPage")->setText(QStringLiteral("12.9"));
        QCOMPARE(customers.Caption, QStringLiteral("Customers"));
        // Tab moves on and selects the whole text of the next box.
        QTest::keyClick(caption, Qt::Key_Tab);
        QCoreApplication::processEvents();
        QCOMPARE(customers.Caption, QStringLiteral("Customers list"));
        QCOMPARE(customers.RecordsPerPage, qint16(12));
        auto *next = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        QVERIFY(next);
        QCOMPARE(next->selectedText(), next->text());

        // Filling the pane for another table commits nothing to either.
        const QStringList before = model();
        select(QStringLiteral("orders"));
        select(QStringLiteral("customers"));
        QCOMPARE(model(), before);
    }

    void fieldCommits()
    {
        openProject();
        node("customers")->setExpanded(true);
        select(QStringLiteral("customers/name"));
        MyTable &customers = *app().ProjectDB->Tables.Item(1);
        control<QCheckBox>("PicField_chkPrimaryKey")->setChecked(true);
        QCOMPARE(customers.AlterSQL, QStringLiteral("ALTER TABLE `customers` CHANGE `name` `name` VARCHAR(40) not null ;;"));
        QVERIFY(customers.pkChanged);
        QCOMPARE(editor().nodePicture(node("customers/name")), 4);
        QVERIFY(!app().ProjectSaved);
        control<QCheckBox>("PicField_chkHidden")->setChecked(true);
        QVERIFY(editor().nodeHidden(node("customers/name")));
        QVERIFY(customers.Fields.Item(2)->pHidden);

        // A number beyond its range: one message, nothing stored.
        const QStringList before = model();
        control<QLineEdit>("PicField_txtCaption")->setText(QStringLiteral("Changed"));
        control<QLineEdit>("PicField_txtLength")->setText(QStringLiteral("40000"));
        control<QLineEdit>("PicField_txtLength")->setFocus();
        QCoreApplication::processEvents();
        control<QLineEdit>("PicField_txtDefault")->setFocus();
        QCoreApplication::processEvents();
        QCOMPARE(f.ui().messages(), QStringList{QStringLiteral("Error 6: Overflow")});
        QCOMPARE(model(), before);

        // Each keystroke in the column width commits.
        control<QLineEdit>("PicField_txtLength")->setText(QStringLiteral("40"));
        control<QLineEdit>("PicField_txtColumnWidth")->setText(QStringLiteral("12"));
        QCOMPARE(customers.Fields.Item(2)->ColumnWidth, qint16(12));
        QCOMPARE(customers.Fields.Item(2)->Caption, QStringLiteral("Changed"));

        // Image and link display of one view exclude each other.
        control<QCheckBox>("PicField_chkTableLink")->setChecked(true);
        control<QCheckBox>("PicField_chkTableImage")->setChecked(true);
        QVERIFY(!control<QCheckBox>("PicField_chkTableLink")->isChecked());
        QVERIFY(customers.Fields.Item(2)->pTableImage && !customers.Fields.Item(2)->pTableLink);
        // Allowing uploads beside an image display offers the image group.
        control<QCheckBox>("PicField_chkAllowUploads")->setChecked(true);
        QCOMPARE(control<QComboBox>("PicField_comFileType")->currentIndex(), 1);
        QVERIFY(control<QLineEdit>("PicField_txtMaxImageSize")->isEnabled());
        QCOMPARE(customers.Fields.Item(2)->pUploadFileTypes, QStringLiteral("jpg|jpeg|gif|png"));
        control<QCheckBox>("PicField_chkAllowUploads")->setChecked(false);
        QVERIFY(!control<QLineEdit>("PicField_txtMaxImageSize")->isEnabled());
        QCOMPARE(customers.Fields.Item(2)->pUploadFileTypes, QString());

        // The empty parent table clears the lookup at once.
        select(QStringLiteral("orders/customer_id"));
        control<QComboBox>("PicField_comParentTable")->setCurrentIndex(0);
        const MyField &lookup = *app().ProjectDB->Tables.Item(2)->Fields.Item(2);
        QCOMPARE(lookup.ParentTable + lookup.ParentIDField + lookup.ParentCaptionField, QString());
        QCOMPARE(editor().nodePicture(node("orders/customer_id")), 3);
    }

    void alterChainThroughTheEditor()
    {
        openProject();
        MyTable &orders = *app().ProjectDB->Tables.Item(2);
        addNewField(orders);
        UpdateProject();
        node("orders")->setExpanded(true);
        select(QStringLiteral("orders/field5"));
        bool cancel = false;
        editor().TreeView1_AfterLabelEdit(cancel, QStringLiteral("total"));
        processQueued();
        QCOMPARE(editor().selectedNode(), node("orders/total"));
        control<QCheckBox>("PicField_chkPrimaryKey")->setChecked(true);
        control<QCheckBox>("PicField_chkAutoIncrement")->setChecked(true);
        control<QCheckBox>("PicField_chkUnique")->setChecked(true);
        control<QComboBox>("PicField_comDataType")->setCurrentIndex(7); // Decimal
        control<QLineEdit>("PicField_txtLength")->setText(QStringLiteral("10"));
        control<QLineEdit>("PicField_txtPrecision")->setText(QStringLiteral("2"));
        PicFieldCommit();
        control<QCheckBox>("PicField_chkPrimaryKey")->setChecked(false);
        control<QCheckBox>("PicField_chkUnique")->setChecked(false);
        deleteField(orders, fieldPosition(orders, QStringLiteral("total")));
        const QString t = QStringLiteral("ALTER TABLE `orders` ");
        QCOMPARE(orders.AlterSQL.split(QStringLiteral(";;"), Qt::SkipEmptyParts),
                 (QStringList{t + "ADD `field5` INT",
                              t + "CHANGE `field5` `total` INT ",
                              t + "CHANGE `total` `total` INT not null ",
                              " " + t + "CHANGE `total` `total` INT not null auto_increment ",
                              t + "ADD UNIQUE (`total`)",
                              " " + t + "CHANGE `total` `total` DECIMAL(10,2) not null ",
                              t + "ADD INDEX (`total`)",
                              t + "DROP PRIMARY KEY",
                              t + "DROP INDEX `total`",
                              t + "DROP `total`"}));
        QVERIFY(orders.AlterSQL.endsWith(QStringLiteral(";;")));
        QVERIFY(orders.pkChanged);
    }

    void datePreview_data()
    {
        QTest::addColumn<int>("order");
        QTest::addColumn<int>("separator");
        const char *orders[] = {"year-month-day", "day-month-year", "month-day-year"};
        const char *separators[] = {"hyphen", "space", "point", "slash", "comma"};
        for (int o = 0; o < 3; ++o)
            for (int s = 0; s < 5; ++s)
                QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(QLatin1String(orders[o]), QLatin1String(separators[s]))))
                    << o << s;
    }
    void datePreview()
    {
        QFETCH(int, order);
        QFETCH(int, separator);
        openProject();
        control<QComboBox>("PicDB_comboDateFormat")->setCurrentIndex(order);
        control<QComboBox>("PicDB_comboDateSeparator")->setCurrentIndex(separator);
        QCOMPARE(app().ProjectDB->DateFormat.toInt(), order + 1);
        QCOMPARE(app().ProjectDB->DateSeparator.toInt(), separator + 1);
        const QString sep = QStringList{"-", " ", ".", "/", ","}[separator];
        const QStringList parts = order == 0 ? QStringList{"2004", "12", "31"}
            : order == 1                     ? QStringList{"31", "12", "2004"}
                                             : QStringList{"12", "31", "2004"};
        const QString preview = parts.join(sep);
        QCOMPARE(control<QLineEdit>("PicDB_txtDatePreview")->text(), preview);
        QCOMPARE(app().DatePartSeparator, sep);
        QString pattern = preview;
        pattern.replace(QStringLiteral("2004"), QStringLiteral("%Y")).replace(QStringLiteral("31"), QStringLiteral("%d"))
            .replace(QStringLiteral("12"), QStringLiteral("%m"));
        QCOMPARE(app().MySQLDateFormat, pattern);
        QCOMPARE(app().MySQLDateFormat, deriveDateSettings(*app().ProjectDB).mysqlFormat);
    }

    void outOfRangeDateSettings()
    {
        test::buildEditorProject(*app().ProjectDB);
        app().ProjectDB->DateFormat = Variant(QStringLiteral("7"));
        app().ProjectDB->DateSeparator = Variant(QStringLiteral("x"));
        UpdateProject();
        QCOMPARE(control<QComboBox>("PicDB_comboDateFormat")->currentIndex(), -1);
        QCOMPARE(control<QComboBox>("PicDB_comboDateSeparator")->currentIndex(), -1);
        QCOMPARE(control<QLineEdit>("PicDB_txtDatePreview")->text(), QStringLiteral("12/31/2004"));
        QVERIFY(!app().IsFillingPanes);
        QVERIFY(f.ui().shown.isEmpty());
    }

    void quickList()
    {
        openProject();
        select(QStringLiteral("orders/state"));
        auto *quick = control<QComboBox>("PicField_comQuickList");
        QCOMPARE(quick->count(), 5);
        QCOMPARE(quick->itemText(0), QStringLiteral("Quick List!"));
        quick->setCurrentIndex(1);
        const QString list = control<QLineEdit>("PicField_txtCSValueList")->text();
        QVERIFY(list.startsWith(QStringLiteral("Afghanistan;;")) && list.endsWith(QStringLiteral(";;Zimbabwe")));
        QCOMPARE(quick->currentIndex(), 0);
        // The value list reaches the model when its box loses the focus.
        QVERIFY(control<QLineEdit>("PicField_txtCSValueList")->hasFocus() || !editor().isActiveWindow());
        CommitVisiblePane();
        QCOMPARE(app().ProjectDB->Tables.Item(2)->Fields.Item(4)->CSValueList, list);
    }

    void propertyCopyFindsItsSourceByData()
    {
        MyDB &db = *app().ProjectDB;
        ResetProject(db);
        db.DBName = QStringLiteral("copy");
        MyTable &x = *db.Tables.Add(QStringLiteral("X"), QStringLiteral("x"));
        test::addField(x, QStringLiteral("target"), 4, 11)->pPrimaryKey = true;
        MyTable &ab = *db.Tables.Add(QStringLiteral("AB"), QStringLiteral("a.b"));
        FieldPtr c = test::addField(ab, QStringLiteral("c"), 15, 30);
        c->CSValueList = QStringLiteral("1;;2");
        c->ParentTable = QStringLiteral("x");
        c->ParentIDField = QStringLiteral("target");
        MyTable &a = *db.Tables.Add(QStringLiteral("A"), QStringLiteral("a"));
        test::addField(a, QStringLiteral("b.c"), 4)->CSValueList = QStringLiteral("wrong");
        FieldPtr lookupElsewhere = test::addField(a, QStringLiteral("d"), 4);
        lookupElsewhere->ParentTable = QStringLiteral("a.b");
        UpdateProject();
        node("x")->setExpanded(true);
        select(QStringLiteral("x/target"));
        auto *others = control<QComboBox>("PicField_comOtherFields");
        QCOMPARE(others->itemText(1), QStringLiteral("a.b.c"));
        QCOMPARE(others->itemText(2), QStringLiteral("a.b.c"));
        f.ui().answers = {Answer::No, Answer::Yes, Answer::Yes};
        others->setCurrentIndex(1);
        QCOMPARE(others->currentIndex(), 0);
        QCOMPARE(x.Fields.Item(1)->CSValueList, QString());
        others->setCurrentIndex(1);
        const MyField &target = *x.Fields.Item(1);
        QCOMPARE(target.CSValueList, QStringLiteral("1;;2"));
        QCOMPARE(target.pDataType, 15);
        QCOMPARE(target.Name, QStringLiteral("target"));
        QVERIFY(target.pPrimaryKey);
        // The source's lookup points into the field's own table: not copied.
        QCOMPARE(target.ParentTable, QString());
        QCOMPARE(x.AlterSQL, QString());
        QCOMPARE(f.ui().messages().first(),
                 QStringLiteral("This will override the properties of the current field and replace them with the "
                                "properties of the field 'a.b.c'.\r\n\r\nDo you wish to continue?"));
        QCOMPARE(f.ui().shown.first().style, Mb::YesNo | Mb::Question | Mb::DefaultButton2);
        // A lookup into another table is copied.
        others->setCurrentIndex(others->findText(QStringLiteral("a.d")));
        QCOMPARE(target.ParentTable, QStringLiteral("a.b"));
    }

    void closingCommitsTheVisiblePane()
    {
        openProject();
        select(QStringLiteral("customers"));
        app().ProjectSaved = true;
        control<QLineEdit>("PicTable_txtCaption")->setText(QStringLiteral("Clients"));
        f.ui().answers = {Answer::Cancel};
        editor().parentWidget()->close();
        QCoreApplication::processEvents();
        QCOMPARE(app().ProjectDB->Tables.Item(1)->Caption, QStringLiteral("Clients"));
        QCOMPARE(f.ui().messages(), QStringList{QStringLiteral("Do want to close the current project?\r\n"
                                                               "Any unsaved changes will be lost.")});
        QVERIFY(forms().isLoaded(Form::DB));
        QCOMPARE(app().ProjectDB->DBName, QStringLiteral("shop"));

        f.ui().answers = {Answer::Ok};
        editor().parentWidget()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!forms().isLoaded(Form::DB));
        QCOMPARE(app().ProjectDB->DBName, QString());
        QVERIFY(!f.action(QStringLiteral("miTablesNew"))->isEnabled());
    }

    void programOpensItsCommandLineProject()
    {
        QTemporaryDir dir;
        MyDB project;
        test::buildEditorProject(project);
        const QString file = dir.filePath(QStringLiteral("shop.tzx"));
        WriteXmlProject(file, project);
        settings::set(QStringLiteral("No Startup"), QStringLiteral("1"));
        startProgram(u'"' + file + u'"');
        QVERIFY(forms().isLoaded(Form::DB));
        QCOMPARE(editor().rootNode()->childCount(), 3);
        QCOMPARE(editor().visiblePane(), 1);
        QCOMPARE(control<QLineEdit>("PicDB_txtDBServer")->text(), QStringLiteral("localhost"));
        QVERIFY(app().ProjectSaved);
        select(QStringLiteral("orders/photo"));
        QCOMPARE(control<QComboBox>("PicField_comFileType")->currentText(), QStringLiteral("jpg|jpeg|gif|png"));
        QVERIFY(f.ui().shown.isEmpty());
    }

    void savingCommitsTheVisiblePane()
    {
        QTemporaryDir dir;
        app().FileName = dir.filePath(QStringLiteral("shop.tzx"));
        openProject();
        select(QStringLiteral("customers"));
        control<QLineEdit>("PicTable_txtCaption")->setText(QStringLiteral("Clients"));
        f.trigger(QStringLiteral("miFileSaveXML"));
        MyDB back;
        ResetProject(back);
        QVERIFY(ReadXmlProject(app().FileName, back));
        QCOMPARE(back.Tables.Item(1)->Caption, QStringLiteral("Clients"));
        QVERIFY(app().ProjectSaved);
    }

    void openingLoadsItsStyleFile()
    {
        QTemporaryDir dir;
        const QString styles = dir.filePath(QStringLiteral("mine.tzs"));
        writeStyleFile(styles, 2, QStringLiteral("color: green;"));
        MyDB project;
        test::buildEditorProject(project);
        project.StyleSheetFile = styles;
        const QString file = dir.filePath(QStringLiteral("shop.tzx"));
        WriteXmlProject(file, project);
        forms().main();
        app().CommandLine = file;
        commands::miFileOpenXML_Click();
        QCOMPARE(app().Styles.StyleDefinitions[2], QStringLiteral("color: green;"));
        QCOMPARE(control<QLineEdit>("PicDB_txtTZSFilename")->text(), styles);
        QVERIFY(app().ProjectSaved);
    }

    void styleFileLoadedWhenNamed()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("mine.tzs"));
        writeStyleFile(path, 1, QStringLiteral("color: red;"));
        openProject();
        control<QLineEdit>("PicDB_txtTZSFilename")->setText(path);
        CommitVisiblePane();
        QCOMPARE(app().ProjectDB->StyleSheetFile, path);
        QCOMPARE(app().Styles.StyleDefinitions[1], QStringLiteral("color: red;"));
        // An edit made in the styles editor survives the next commits.
        app().Styles.StyleDefinitions[1] = QStringLiteral("color: blue;");
        control<QCheckBox>("PicDB_chkHideNavMenu")->setChecked(true);
        control<QLineEdit>("PicDB_txtDBServer")->setText(QStringLiteral("db.example"));
        CommitVisiblePane();
        QCOMPARE(app().Styles.StyleDefinitions[1], QStringLiteral("color: blue;"));
        QCOMPARE(app().ProjectDB->Server, QStringLiteral("db.example"));
        QVERIFY(app().ProjectDB->HideNavMenu);
    }

    void startUpLists()
    {
        QTemporaryDir dir;
        setProgramFolder(dir.path());
        openProject();
        const QString path = joinPath(dir.path(), QStringLiteral("fileTypes.cfg"));
        QCOMPARE(f.ui().messages(), QStringList{QStringLiteral("The file '") + path
                                                + QStringLiteral("' is missing or empty. You might need to reinstall Tessaron.")});
        QCOMPARE(f.ui().shown.first().title, QStringLiteral("Missing file!"));
        auto *types = control<QComboBox>("PicField_comFileType");
        QCOMPARE(types->count(), 5);
        QCOMPARE(types->itemText(4), QStringLiteral("mov|avi|swf|asf"));
        auto *dataTypes = control<QComboBox>("PicField_comDataType");
        QCOMPARE(dataTypes->count(), 23);
        QCOMPARE(dataTypes->itemText(0), QStringLiteral("Tiny Integer"));
        QCOMPARE(dataTypes->itemText(22), QStringLiteral("Long Text"));
        QCOMPARE(control<QComboBox>("PicTable_comboQuickSearch")->count(), 4);
        // The first run writes both colours as designed.
        QVERIFY(settings::get(QStringLiteral("FormsBackground")).startsWith(QStringLiteral("&H")));
        QCOMPARE(settings::get(QStringLiteral("TextBoxesBackground")), QStringLiteral("&HFFFFFF"));
    }

    void colourSettings_data()
    {
        QTest::addColumn<QString>("boxes");
        QTest::addColumn<QColor>("shown");
        QTest::addColumn<QString>("storedAfter");
        QTest::newRow("light grey applied") << "&HC0C0C0" << QColor(192, 192, 192) << "&HC0C0C0";
        QTest::newRow("pale yellow reset") << "&HC0FFFF" << QColor(255, 255, 255) << "&HFFFFFF";
        QTest::newRow("decimal applied") << "255" << QColor(255, 0, 0) << "255";
    }
    void colourSettings()
    {
        QFETCH(QString, boxes);
        QFETCH(QColor, shown);
        QFETCH(QString, storedAfter);
        settings::set(QStringLiteral("TextBoxesBackground"), boxes);
        openProject();
        QCOMPARE(control<QLineEdit>("PicField_txtCaption")->palette().color(QPalette::Base), shown);
        QCOMPARE(control<QComboBox>("PicField_comParentTable")->palette().color(QPalette::Base), shown);
        QCOMPARE(settings::get(QStringLiteral("TextBoxesBackground")), storedAfter);
        // The name box keeps its designed colour.
        QCOMPARE(control<QLineEdit>("PicDB_txtDBName")->palette().color(QPalette::Base), QColor(255, 255, 255));
    }

    void badColourSetting()
    {
        settings::set(QStringLiteral("FormsBackground"), QStringLiteral("&HFFFFFF"));
        settings::set(QStringLiteral("TextBoxesBackground"), QStringLiteral("pink"));
        openProject();
        QCOMPARE(f.ui().messages().size(), 1);
        QVERIFY(f.ui().messages().first().contains(QStringLiteral("Sub: frmDB.Form_Load")));
        // Neither colour step ran: both settings stay as they were.
        QCOMPARE(settings::get(QStringLiteral("FormsBackground")), QStringLiteral("&HFFFFFF"));
        QCOMPARE(settings::get(QStringLiteral("TextBoxesBackground")), QStringLiteral("pink"));
        QCOMPARE(editor().visiblePane(), 1);
    }

    void scrolling()
    {
        openProject();
        select(QStringLiteral("orders/photo"));
        editor().parentWidget()->resize(700, 360);
        QCoreApplication::processEvents();
        auto *v = control<QScrollBar>("VScroll1");
        QVERIFY(v->isEnabled());
        QVERIFY(v->maximum() > 0);
        QCOMPARE(v->value(), 0);
        auto *pane = control<QWidget>("picField");
        pane->setFocus();
        QTest::keyClick(pane, Qt::Key_End);
        QCOMPARE(v->value(), v->maximum());
        QCOMPARE(pane->y(), -v->maximum());
        QTest::keyClick(pane, Qt::Key_Home);
        QCOMPARE(pane->y(), 0);
        // A minimised window is not laid out; restored, it is.
        editor().parentWidget()->showMinimized();
        v->setValue(3);
        editor().parentWidget()->resize(300, 200);
        QCOMPARE(v->value(), 3);
        editor().parentWidget()->showNormal();
        QCoreApplication::processEvents();
        QCOMPARE(v->value(), 0);
        forms().main().resize(1400, 1100);
        editor().parentWidget()->resize(1200, 900);
        QCoreApplication::processEvents();
        QVERIFY(!v->isEnabled());
    }

    void help()
    {
        openProject();
        select(QStringLiteral("customers"));
        QStringList topics;
        QObject listener; // the connection ends with the test
        connect(&app(), &AppState::helpRequested, &listener, [&](const QString &tag) { topics << tag; });
        auto *combo = control<QComboBox>("PicTable_comboQuickSearch");
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_F1);
        auto *pane = control<QWidget>("picTable");
        pane->setFocus();
        QTest::keyClick(pane, Qt::Key_F1);
        QCOMPARE(topics, (QStringList{QStringLiteral("18"), QStringLiteral("15")}));
    }

    void everyTagHasATopic()
    {
        openProject();
        const QString file = joinPath(programFolder(), QStringLiteral("con_help"));
        QStringList missing;
        for (QWidget *w : editor().findChildren<QWidget *>()) {
            const QString tag = w->property("tag").toString();
            if (!tag.isEmpty() && !readHelpTopic(file, tag).found)
                missing << w->objectName() + u'=' + tag;
        }
        QCOMPARE(missing, QStringList());
        QVERIFY(control<QWidget>("picField")->property("tag").toString() == QStringLiteral("38"));
    }

    void treeKeys()
    {
        openProject();
        QStringList topics;
        QObject listener; // the connection ends with the test
        connect(&app(), &AppState::helpRequested, &listener, [&](const QString &tag) { topics << tag; });
        tree()->setFocus();
        QTest::keyClick(tree(), Qt::Key_F1);
        QCOMPARE(topics, QStringList{QStringLiteral("tree")});
        QTest::keyClick(tree(), Qt::Key_Delete);
        QCOMPARE(f.commands(), QStringList{QStringLiteral("miTablesDelete_Click")});
    }

    void captionAndRefresh()
    {
        app().FileName = joinPath(programFolder(), QStringLiteral("samples/shop.tzx"));
        openProject();
        QCOMPARE(editor().windowTitle(), QStringLiteral("samples/shop.tzx"));
        editor().RefreshTree();
        QCOMPARE(tree()->topLevelItemCount(), 1);
        QCOMPARE(editor().rootNode()->childCount(), 0);
        // A tree of the root alone is built afresh: the root open and shown.
        node("shop")->setExpanded(false);
        UpdateProject();
        QVERIFY(editor().rootNode()->isExpanded());
        QCOMPARE(editor().selectedNode(), editor().rootNode());
        QCOMPARE(editor().visiblePane(), 1);
    }

    void splitter()
    {
        openProject();
        auto *bar = control<QPushButton>("Command1");
        // Dragged with the mouse, the tree's edge follows the pointer.
        const int designed = tree()->width();
        QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(2, 40));
        QTest::mouseMove(bar, QPoint(62, 40));
        QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(2, 40));
        QCOMPARE(tree()->width(), designed + 62);
        QCOMPARE(bar->x(), tree()->x() + tree()->width());
        const int width = tree()->width();
        // Only the left button alone moves it, and only inside its limits.
        QMouseEvent right(QEvent::MouseMove, QPointF(40, 5), bar->mapToGlobal(QPointF(40, 5)), Qt::NoButton,
                          Qt::RightButton, Qt::NoModifier);
        QCoreApplication::sendEvent(bar, &right);
        QCOMPARE(tree()->width(), width);
        QMouseEvent left(QEvent::MouseMove, QPointF(40, 5), bar->mapToGlobal(QPointF(40, 5)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(bar, &left);
        QCOMPARE(tree()->width(), width + 40);
        QCOMPARE(bar->x(), tree()->x() + tree()->width());
        QCOMPARE(control<QWidget>("Picture1")->x(), tree()->x() + tree()->width() + 4);
        QMouseEvent past(QEvent::MouseMove, QPointF(-500, 5), bar->mapToGlobal(QPointF(-500, 5)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(bar, &past);
        QCOMPARE(tree()->width(), width + 40);
    }

    void noRebuildInsideAFill()
    {
        // The message loop really runs during the fill of a big field list.
        struct LoopUi final : UiServices {
            int processEventsCalls = 0;
            int messageBox(const QString &, int style, const QString &) override { return defaultAnswer(style); }
            QString inputBox(const QString &, const QString &, const QString &) override { return {}; }
            QString openFileName(const FileDialogRequest &) override { return {}; }
            QString saveFileName(const FileDialogRequest &) override { return {}; }
            bool openExternal(const QString &) override { return false; }
            void processEvents() override
            {
                ++processEventsCalls;
                QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            }
        } loop;
        setUi(&loop);
        const auto restore = qScopeGuard([this] { setUi(&f.ui()); });
        MyDB &db = *app().ProjectDB;
        test::buildEditorProject(db);
        MyTable &big = *db.Tables.Add(QStringLiteral("Big"), QStringLiteral("big"));
        for (int i = 0; i < 600; ++i)
            test::addField(big, QStringLiteral("f%1").arg(i), 4);
        UpdateProject();
        node("big")->setExpanded(true);
        select(QStringLiteral("customers"));
        bool cancel = false;
        editor().TreeView1_AfterLabelEdit(cancel, QStringLiteral("clients")); // queues the rebuild
        QTreeWidgetItem *target = node("big/f599");
        editor().TreeView1_NodeClick(target);
        QVERIFY(loop.processEventsCalls > 0);
        // The fill ran to its end on the node it was given; the rebuild waited.
        QVERIFY(node("customers"));
        QCOMPARE(control<QLabel>("PicField_Name")->text(), QStringLiteral("Field: big.f599"));
        QVERIFY(!app().IsFillingPanes);
        processQueued();
        QVERIFY(node("clients"));
        QCOMPARE(editor().selectedNode()->text(0), QStringLiteral("f599"));
    }

    void screenshots()
    {
        openProject();
        QWidget *window = editor().parentWidget();
        test::GuiFixture::screenshot(window, QStringLiteral("editor_database"));
        node("orders")->setExpanded(true);
        select(QStringLiteral("orders"));
        test::GuiFixture::screenshot(window, QStringLiteral("editor_table"));
        // Each tab as the field that opens it shows it.
        const QStringList fields = {"orders/photo", "orders/customer_id", "orders/state"};
        for (int tab = 0; tab < 3; ++tab) {
            select(fields[tab]);
            QCOMPARE(control<QTabWidget>("SSTab1")->currentIndex(), tab);
            test::GuiFixture::screenshot(window, QStringLiteral("editor_field_tab%1").arg(tab));
        }
        test::GuiFixture::screenshot(&forms().main(), QStringLiteral("editor_in_main_window"));
    }
};

QTEST_MAIN(TestGuiEditor)
#include "tst_gui_editor.moc"
