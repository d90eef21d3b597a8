#include "platform/scriptedui.h"

#include <QtTest>

using namespace tess;

class TestScriptedUi : public QObject {
    Q_OBJECT
private slots:
    void defaultButtons_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("answer");
        QTest::newRow("ok") << int(Mb::OkOnly) << int(Answer::Ok);
        QTest::newRow("ok cancel") << int(Mb::OkCancel) << int(Answer::Ok);
        QTest::newRow("ok cancel, second") << int(Mb::OkCancel | Mb::DefaultButton2) << int(Answer::Cancel);
        QTest::newRow("yes no with icon") << int(Mb::YesNo | Mb::Question) << int(Answer::Yes);
        QTest::newRow("yes no, second") << int(Mb::YesNo | Mb::Question | Mb::DefaultButton2) << int(Answer::No);
        QTest::newRow("yes no cancel, third") << int(Mb::YesNoCancel | Mb::DefaultButton3) << int(Answer::Cancel);
        QTest::newRow("abort retry ignore") << int(Mb::AbortRetryIgnore) << int(Answer::Abort);
        QTest::newRow("abort retry ignore, third") << int(Mb::AbortRetryIgnore | Mb::DefaultButton3) << int(Answer::Ignore);
        QTest::newRow("retry cancel") << int(Mb::RetryCancel) << int(Answer::Retry);
        QTest::newRow("retry cancel, second") << int(Mb::RetryCancel | Mb::DefaultButton2) << int(Answer::Cancel);
        QTest::newRow("missing third button") << int(Mb::YesNo | Mb::DefaultButton3) << int(Answer::Yes);
    }
    void defaultButtons()
    {
        QFETCH(int, style);
        QFETCH(int, answer);
        QCOMPARE(defaultAnswer(style), answer);
        ScriptedUi scripted;
        QCOMPARE(ui().messageBox(QStringLiteral("Sure?"), style), answer);
    }

    void answersInOrderAndRecorded()
    {
        ScriptedUi scripted;
        scripted.answers = {Answer::No, Answer::Yes};
        QCOMPARE(&ui(), static_cast<UiServices *>(&scripted));
        QCOMPARE(ui().messageBox(QStringLiteral("First"), Mb::YesNo), int(Answer::No));
        QCOMPARE(ui().messageBox(QStringLiteral("Second"), Mb::YesNo, QStringLiteral("Own title")), int(Answer::Yes));
        QCOMPARE(ui().messageBox(QStringLiteral("Third"), Mb::OkOnly | Mb::Exclamation), int(Answer::Ok));
        QCOMPARE(scripted.messages(), (QStringList{"First", "Second", "Third"}));
        QCOMPARE(scripted.shown[0].title, programTitle());
        QCOMPARE(scripted.shown[1].title, QStringLiteral("Own title"));
        QCOMPARE(scripted.shown[2].style, int(Mb::OkOnly | Mb::Exclamation));
    }

    void inputsAndFiles()
    {
        ScriptedUi scripted;
        scripted.inputs = {QStringLiteral("typed")};
        scripted.files = {QStringLiteral("/tmp/a.tzx")};
        QCOMPARE(ui().inputBox(QStringLiteral("Name?"), {}, QStringLiteral("dflt")), QStringLiteral("typed"));
        QCOMPARE(ui().inputBox(QStringLiteral("Again?"), {}, QStringLiteral("dflt")), QStringLiteral("dflt"));
        FileDialogRequest r;
        r.title = QStringLiteral("Open");
        r.flags = Fd::FileMustExist;
        QCOMPARE(ui().openFileName(r), QStringLiteral("/tmp/a.tzx"));
        QCOMPARE(ui().saveFileName(r), QString());
        QVERIFY(ui().openExternal(QStringLiteral("help.chm")));
        ui().processEvents();
        QCOMPARE(scripted.processEventsCalls, 1);
        QCOMPARE(scripted.shown.size(), 5);
        QCOMPARE(scripted.shown[2].kind, QStringLiteral("open"));
        QCOMPARE(scripted.shown[2].request.flags, int(Fd::FileMustExist));
        QCOMPARE(scripted.shown[4].kind, QStringLiteral("external"));
        QCOMPARE(scripted.shown[4].text, QStringLiteral("help.chm"));
        QVERIFY(scripted.messages().isEmpty());
    }

    void silentAfterScriptEnds()
    {
        {
            ScriptedUi scripted;
        }
        // The silent default never blocks and never asks to retry.
        QCOMPARE(ui().messageBox(QStringLiteral("x"), Mb::YesNo | Mb::DefaultButton2), int(Answer::No));
        QCOMPARE(ui().messageBox(QStringLiteral("x"), Mb::RetryCancel), int(Answer::Cancel));
        QCOMPARE(ui().inputBox(QStringLiteral("x")), QString());
        QVERIFY(!ui().openExternal(QStringLiteral("x")));
    }
};

QTEST_GUILESS_MAIN(TestScriptedUi)
#include "tst_scriptedui.moc"
