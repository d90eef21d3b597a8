#include "platform/qtui.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QUrl>

#include <time.h>

namespace tess {

namespace {

// The kernel's coarse monotonic clock answers in a few nanoseconds, where
// the precise one costs ten times that on a virtual machine; its steps of a
// few milliseconds are fine enough for a pass once a frame.
qint64 coarseClockNs()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

QString shownText(QString text)
{
    // Texts keep CR LF for exact comparison; the box shows plain line feeds.
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

} // namespace

int QtUi::messageBox(const QString &text, int style, const QString &title)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title.isEmpty() ? programTitle() : title);
    box.setText(shownText(text));
    switch (style & 0x70) {
    case Mb::Critical: box.setIcon(QMessageBox::Critical); break;
    case Mb::Question: box.setIcon(QMessageBox::Question); break;
    case Mb::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case Mb::Information: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    struct B { QMessageBox::StandardButton qt; int answer; };
    std::vector<B> buttons;
    switch (style & 7) {
    case Mb::OkCancel: buttons = {{QMessageBox::Ok, Answer::Ok}, {QMessageBox::Cancel, Answer::Cancel}}; break;
    case Mb::AbortRetryIgnore:
        buttons = {{QMessageBox::Abort, Answer::Abort}, {QMessageBox::Retry, Answer::Retry}, {QMessageBox::Ignore, Answer::Ignore}};
        break;
    case Mb::YesNoCancel:
        buttons = {{QMessageBox::Yes, Answer::Yes}, {QMessageBox::No, Answer::No}, {QMessageBox::Cancel, Answer::Cancel}};
        break;
    case Mb::YesNo: buttons = {{QMessageBox::Yes, Answer::Yes}, {QMessageBox::No, Answer::No}}; break;
    case Mb::RetryCancel: buttons = {{QMessageBox::Retry, Answer::Retry}, {QMessageBox::Cancel, Answer::Cancel}}; break;
    default: buttons = {{QMessageBox::Ok, Answer::Ok}}; break;
    }
    QMessageBox::StandardButtons set;
    for (const auto &b : buttons)
        set |= b.qt;
    box.setStandardButtons(set);
    const size_t def = (style & Mb::DefaultButton3) ? 2 : (style & Mb::DefaultButton2) ? 1 : 0;
    if (def < buttons.size())
        box.setDefaultButton(buttons[def].qt);
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    for (const auto &b : buttons)
        if (b.qt == clicked)
            return b.answer;
    // Closed with Esc or the title bar: the cancel-like answer.
    return buttons.size() > 1 ? buttons.back().answer : Answer::Ok;
}

QString QtUi::inputBox(const QString &prompt, const QString &title, const QString &defaultText)
{
    bool ok = false;
    const QString text = QInputDialog::getText(QApplication::activeWindow(),
                                               title.isEmpty() ? programTitle() : title, shownText(prompt),
                                               QLineEdit::Normal, defaultText, &ok);
    return ok ? text : QString();
}

QString qtFileFilter(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts[i + 1];
        pattern.replace(u';', u' ');
        QString name = parts[i];
        if (!name.contains(u'('))
            name += QStringLiteral(" (") + pattern + u')';
        out << name;
    }
    return out.join(QStringLiteral(";;"));
}

static QString selectedFilter(const FileDialogRequest &r)
{
    const QStringList list = qtFileFilter(r.filter).split(QStringLiteral(";;"));
    const int i = r.filterIndex - 1;
    return (i >= 0 && i < list.size()) ? list[i] : QString();
}

QString QtUi::openFileName(const FileDialogRequest &r)
{
    QString sel = selectedFilter(r);
    QString dir = r.initialDir;
    if (!r.fileName.isEmpty())
        dir = dir.isEmpty() ? r.fileName : dir + u'/' + r.fileName;
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), r.title, dir, qtFileFilter(r.filter), &sel);
}

QString QtUi::saveFileName(const FileDialogRequest &r)
{
    QString sel = selectedFilter(r);
    QString dir = r.initialDir;
    if (!r.fileName.isEmpty())
        dir = dir.isEmpty() ? r.fileName : dir + u'/' + r.fileName;
    QFileDialog::Options opts;
    if (!(r.flags & Fd::OverwritePrompt))
        opts |= QFileDialog::DontConfirmOverwrite;
    QString path = QFileDialog::getSaveFileName(QApplication::activeWindow(), r.title, dir, qtFileFilter(r.filter), &sel, opts);
    if (!path.isEmpty() && !r.defaultExt.isEmpty() && !path.section(u'/', -1).contains(u'.'))
        path += u'.' + r.defaultExt;
    return path;
}

bool QtUi::openExternal(const QString &target)
{
    const QUrl url = target.contains(QStringLiteral("://")) ? QUrl(target) : QUrl::fromLocalFile(target);
    return QDesktopServices::openUrl(url);
}

bool QtUi::startProgram(const QString &path)
{
    return QProcess::startDetached(path, {});
}

void QtUi::processEvents()
{
    // Long loops ask for a pass per item (millions of times when a big
    // project is generated); a pass per frame keeps the windows painted
    // without making the loop pay for each call, the clock reading included.
    constexpr qint64 kFrameNs = 16'000'000;
    static qint64 lastPass = coarseClockNs() - kFrameNs;
    if (coarseClockNs() - lastPass < kFrameNs)
        return;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    lastPass = coarseClockNs();
}

} // namespace tess
