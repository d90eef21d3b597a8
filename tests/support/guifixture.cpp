#include "support/guifixture.h"
#include "app/entrypoint.h"
#include "app/forms.h"
#include "app/frmmain.h"
#include "model/appstate.h"
#include "platform/paths.h"
#include "platform/settings.h"

#include <QAbstractButton>
#include <QAction>
#include <QTreeWidgetItem>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QWidget>
#include <QtTest>

namespace tess::test {

GuiFixture::GuiFixture()
{
    // Before the first use of the settings store, which keeps its folder.
    qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(&entryPoints(), &EntryPoints::started, [this](const QString &name) { m_commands << name; });
    // A real modal window would wait for a user who is not there: note it
    // and close it, and the test fails at its end.
    m_watch.setInterval(50);
    QObject::connect(&m_watch, &QTimer::timeout, [this] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            m_modalLeft << modal->objectName();
            modal->close();
        }
    });
}

GuiFixture::~GuiFixture() = default;

void GuiFixture::init()
{
    m_ui = std::make_unique<ScriptedUi>();
    m_dialogs = std::make_unique<ScriptedDialogs>();
    app().reset();
    settings::clear();
    setProgramFolder(QString());
    m_commands.clear();
    m_modalLeft.clear();
    m_watch.start();
}

void GuiFixture::cleanup()
{
    m_watch.stop();
    QWidget *modal = QApplication::activeModalWidget();
    const QString modalName = modal ? modal->objectName() : QString();
    forms().unloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_dialogs.reset();
    m_ui.reset();
    setProgramFolder(QString());
    QVERIFY2(modalName.isEmpty(), qPrintable(QStringLiteral("modal window left open: ") + modalName));
    QVERIFY2(m_modalLeft.isEmpty(), qPrintable(QStringLiteral("modal window shown: ") + m_modalLeft.join(u' ')));
}

QAction *GuiFixture::action(const QString &name)
{
    auto *found = forms().main().findChild<QAction *>(name);
    if (!found)
        QTest::qFail(qPrintable(QStringLiteral("no action ") + name), __FILE__, __LINE__);
    return found;
}

void GuiFixture::trigger(const QString &name)
{
    if (QAction *a = action(name))
        a->trigger();
}

void GuiFixture::click(QWidget *form, const QString &name)
{
    auto *button = form->findChild<QAbstractButton *>(name);
    if (!button) {
        QTest::qFail(qPrintable(QStringLiteral("no button ") + name), __FILE__, __LINE__);
        return;
    }
    button->click();
}

QImage GuiFixture::screenshot(QWidget *window, const QString &name)
{
    const QString folder = QStringLiteral(TESSARON_BUILD_DIR "/tests/screenshots");
    const QString path = folder + u'/' + name + QStringLiteral(".png");
    const QImage picture = window->grab().toImage();
    if (!QDir().mkpath(folder) || picture.isNull() || !picture.save(path)) {
        QTest::qFail(qPrintable(QStringLiteral("screenshot not written: ") + path), __FILE__, __LINE__);
        return {};
    }
    return picture;
}

QTreeWidgetItem *treeNode(QTreeWidgetItem *root, const QString &path)
{
    if (path.isEmpty() || path == root->text(0))
        return root;
    const QStringList parts = path.split(u'/');
    for (int t = 0; t < root->childCount(); ++t) {
        QTreeWidgetItem *table = root->child(t);
        if (table->text(0) != parts[0])
            continue;
        if (parts.size() == 1)
            return table;
        for (int f = 0; f < table->childCount(); ++f)
            if (table->child(f)->text(0) == parts[1])
                return table->child(f);
    }
    return nullptr;
}

} // namespace tess::test
