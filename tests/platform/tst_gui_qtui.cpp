#include "platform/qtui.h"

#include <QThread>
#include <QtTest>

using namespace tess;

// The program's message-loop pass: long loops call it per item, and it
// lets the windows catch up once a frame has gone by.
class TestGuiQtUi : public QObject {
    Q_OBJECT
private slots:
    void passAfterAFrame();
    void passesDuringALongLoop();

private:
    // Counts the passes: each delivers the one posted call, which posts
    // the next while m_again holds.
    int m_delivered = 0;
    bool m_again = false;
    void post()
    {
        QMetaObject::invokeMethod(
            this,
            [this] {
                ++m_delivered;
                if (m_again)
                    post();
            },
            Qt::QueuedConnection);
    }
};

void TestGuiQtUi::passAfterAFrame()
{
    QtUi ui;
    m_delivered = 0;
    m_again = false;
    for (int round = 1; round <= 3; ++round) {
        QThread::msleep(40);
        post();
        ui.processEvents();
        QCOMPARE(m_delivered, round);
    }
}

// A loop that asks millions of times still has the window painted a few
// times a second, without a pass for every call.
void TestGuiQtUi::passesDuringALongLoop()
{
    QtUi ui;
    m_delivered = 0;
    m_again = true;
    post();
    qint64 calls = 0;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 200) {
        ui.processEvents();
        ++calls;
    }
    m_again = false;
    QVERIFY2(m_delivered >= 4, qPrintable(QString::number(m_delivered)));
    QVERIFY2(m_delivered * 100 < calls, qPrintable(QStringLiteral("%1 passes for %2 calls").arg(m_delivered).arg(calls)));
}

QTEST_MAIN(TestGuiQtUi)
#include "tst_gui_qtui.moc"
