#pragma once
// The notice shown while a project file is read.
#include <QWidget>

namespace tess {

class frmPleaseWait : public QWidget {
    Q_OBJECT
public:
    explicit frmPleaseWait(QWidget *parent = nullptr);
};

} // namespace tess
