// The editor on a synthetic project of 500 tables with 40 fields each,
// offscreen: opening (read, tree rebuild, first pane) against the bare
// read, and one rename, which rebuilds the whole tree of about 20,000
// nodes. Prints the best and median of several runs.
#include "app/commits.h"
#include "app/forms.h"
#include "app/frmmain.h"
#include "benchsupport.h"
#include "converter/projectwriter.h"
#include "editor/frmdb.h"
#include "model/appstate.h"
#include "model/xmlreader.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTreeWidgetItem>

#include <cstdio>

using namespace tess;

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int tables = 500, fields = 40, runs = 11;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.tzx"));
    {
        MyDB db;
        fillProject(db, tables, fields);
        WriteXmlProject(path, db);
    }
    forms().main().show();

    Times bareRead, open, rename;
    for (int i = 0; i < runs; ++i) {
        MyDB back;
        ResetProject(back);
        QElapsedTimer timer;
        timer.start();
        ReadXmlProject(path, back);
        bareRead.add(timer.nsecsElapsed());
    }
    // Read, rebuild and first pane; the part after the read on its own.
    const auto timeOpen = [&](Times &whole, Times &readPart, Times &afterRead, bool newWindow) {
        MyDB &db = *app().ProjectDB;
        // The old window goes once the command is over, as in the program.
        if (newWindow) {
            forms().unload(Form::DB);
        } else {
            db.DBName = QStringLiteral("empty");
            forms().db().RefreshTree();
        }
        ResetProject(db);
        QElapsedTimer timer;
        timer.start();
        ReadXmlProject(path, db);
        const qint64 read = timer.nsecsElapsed();
        readPart.add(read);
        UpdateProject();
        QCoreApplication::processEvents(); // a new window's first paint
        whole.add(timer.nsecsElapsed());
        afterRead.add(timer.nsecsElapsed() - read);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    // Over an open project the open command closes the editor first: a new
    // one comes with the project. At start-up the editor is there, empty.
    Times fresh, freshRead, freshTree, readInOpen, tree;
    for (int i = 0; i < runs; ++i)
        timeOpen(fresh, freshRead, freshTree, true);
    for (int i = 0; i < runs; ++i)
        timeOpen(open, readInOpen, tree, false);
    frmDB &editor = forms().db();
    QTreeWidgetItem *table = editor.rootNode()->child(tables / 2);
    table->setExpanded(true);
    for (int i = 0; i < runs; ++i) {
        editor.TreeView1_NodeClick(table);
        bool cancel = false;
        QElapsedTimer timer;
        timer.start();
        editor.TreeView1_AfterLabelEdit(cancel, QStringLiteral("renamed_%1").arg(i));
        QCoreApplication::processEvents();
        rename.add(timer.nsecsElapsed());
        table = editor.selectedNode();
        if (cancel || !table || table->text(0) != QStringLiteral("renamed_%1").arg(i)) {
            std::fprintf(stderr, "rename failed\n");
            return 1;
        }
    }
    int nodes = 0;
    for (QTreeWidgetItem *t = editor.rootNode(); t; t = nullptr) {
        nodes = 1 + t->childCount();
        for (int c = 0; c < t->childCount(); ++c)
            nodes += t->child(c)->childCount();
    }
    std::printf("project: %d tables x %d fields, %d tree nodes, %d runs\n", tables, fields, nodes, runs);
    std::printf("bare read:                       best %7.1f ms, median %7.1f ms\n", bareRead.best(), bareRead.median());
    std::printf("open (read, tree, first pane):   best %7.1f ms, median %7.1f ms  (%.2fx the bare read)\n",
                open.best(), open.median(), open.median() / bareRead.median());
    std::printf("  of which the read:             best %7.1f ms, median %7.1f ms  (open %.2fx its own read)\n",
                readInOpen.best(), readInOpen.median(), open.median() / readInOpen.median());
    std::printf("  of which tree and first pane:  best %7.1f ms, median %7.1f ms\n", tree.best(), tree.median());
    std::printf("open into a new editor window:   best %7.1f ms, median %7.1f ms  (%.2fx the bare read)\n",
                fresh.best(), fresh.median(), fresh.median() / bareRead.median());
    std::printf("  of which the read:             best %7.1f ms, median %7.1f ms  (open %.2fx its own read)\n",
                freshRead.best(), freshRead.median(), fresh.median() / freshRead.median());
    std::printf("  of which window, tree, pane:   best %7.1f ms, median %7.1f ms\n", freshTree.best(),
                freshTree.median());
    std::printf("rename a table (full rebuild):   best %7.1f ms, median %7.1f ms\n", rename.best(), rename.median());
    forms().unloadAll();
    return 0;
}
