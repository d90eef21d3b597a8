#pragma once
// The question whether an existing output file may be replaced: this file
// only, or every file of the run (overwrite all, skip all).
#include "generator/run.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace tess {

class frmConfirmOverwrite : public QDialog {
    Q_OBJECT
public:
    explicit frmConfirmOverwrite(QWidget *parent = nullptr);

    // Fills the three labels; the answer starts as skip.
    void setQuestion(const OverwriteQuestion &question);

    // The answer: "1" overwrite, "0" skip. Starts as "0", so closing the
    // window by its frame never replaces a file.
    QString Tag = QStringLiteral("0");
    // Set by the two all-buttons (Overwrite::All, Overwrite::SkipAll);
    // -1 while neither was pressed.
    qint16 chosenMode = -1;

    // The tag, once the dialog has been answered; an all-answer is stored
    // in overwriteMode.
    QString answer(qint16 &overwriteMode) const;

private:
    void choose(const QString &tag, qint16 mode);

    QLabel *lblMain;
    QLabel *lblNewFile;
    QLabel *lblExistingFile;
};

} // namespace tess
