#pragma once
// The generation log window: the log of a Generate run, the output folder
// opened in the file browser, the log saved as a text file. It is the host
// of the run: the generators append to its log and ask it about existing
// files.
#include "app/generationlog.h"
#include "generator/run.h"

#include <QWidget>

class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace tess {

class frmGenerating : public QWidget, public GenerationHost {
    Q_OBJECT
public:
    explicit frmGenerating(QWidget *parent = nullptr);

    const GenerationLog &log() const { return m_log; }
    void clearLog();
    // Red while the project is checked, dark blue afterwards.
    void setChecking(bool checking);
    // Disables the buttons and shows the busy pointer while generating.
    void setBusy(bool busy);
    // Shows the pieces appended since the log was last shown. While a run
    // goes on, its passes of the message loop do so a few times a second.
    void flushView();

    void cmdBrowse_Click();
    void cmdSave_Click();
    void cmdClose_Click();

    // GenerationHost
    void appendLog(const QString &piece) override;
    QString askOverwrite(const OverwriteQuestion &question, qint16 &overwriteMode) override;
    void processEvents() override;
    void focusLog() override;
    void showError(const QString &message) override;

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void layoutControls();

    GenerationLog m_log;
    QString m_pending;
    QTimer *m_flushTimer;
    QPlainTextEdit *txtLog;
    QPushButton *cmdClose;
    QPushButton *cmdBrowse;
    QPushButton *cmdSave;
};

} // namespace tess
