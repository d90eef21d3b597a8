#pragma once
// Groups of the editor's pane controls that start-up and filling treat
// alike, and the data-type names of the field pane's list.
#include <QList>
#include <QString>

class QWidget;
namespace Ui {
class picDB;
class picTable;
class picField;
} // namespace Ui

namespace tess {

// The list entry of a data-type code 1..23 ("Tiny Integer" ... "Long Text").
QString dataTypeListName(int code);

// The controls that take the "FormsBackground" colour, in the order of
// the setting's rule: the three panes, then their check boxes.
QList<QWidget *> paneColourControls(const Ui::picTable &tb, const Ui::picField &fl, QWidget *picDB,
                                    QWidget *picTable, QWidget *picField);
// The entry fields and lists that take the "TextBoxesBackground" colour.
QList<QWidget *> boxColourControls(const Ui::picDB &db, const Ui::picTable &tb, const Ui::picField &fl);

} // namespace tess
