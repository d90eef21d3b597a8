#include "editor/frmdb_controls.h"
#include "ui_picdb.h"
#include "ui_picfield.h"
#include "ui_pictable.h"

#include <array>

namespace tess {

QString dataTypeListName(int code)
{
    static const std::array<const char *, 23> names = {
        "Tiny Integer", "Small Integer", "Medium Integer", "Integer", "Big Integer", "Float", "Double", "Decimal",
        "Date", "DateTime", "Time Stamp", "Time", "Year", "Char", "VarChar", "TinyBlob", "TinyText", "Text",
        "BLOB", "Medium BLOB", "Medium Text", "Long BLOB", "Long Text"};
    return code >= 1 && code <= 23 ? QString::fromLatin1(names[size_t(code - 1)]) : QString();
}

QList<QWidget *> paneColourControls(const Ui::picTable &tb, const Ui::picField &fl, QWidget *picDB,
                                    QWidget *picTable, QWidget *picField)
{
    return {picDB, picField, picTable,
            tb.PicTable_chkAllowDelete, tb.PicTable_chkAllowFilters, tb.PicTable_chkAllowInsert,
            tb.PicTable_chkAllowPrint, tb.PicTable_chkAllowSelection, tb.PicTable_chkAllowSorting,
            tb.PicTable_chkAllowUpdate, fl.PicField_chkAutoIncrement, fl.PicField_chkBinary,
            fl.PicField_chkNotNull, fl.PicField_chkPrimaryKey, fl.PicField_chkUnique, fl.PicField_chkUnsigned,
            fl.PicField_chkZeroFill, fl.PicField_chkHidden};
}

QList<QWidget *> boxColourControls(const Ui::picDB &db, const Ui::picTable &tb, const Ui::picField &fl)
{
    return {fl.PicField_txtCaption, fl.PicField_txtColumnWidth, fl.PicField_txtCSValueList,
            fl.PicField_txtDefault, fl.PicField_txtLength, fl.PicField_txtPrecision, fl.PicField_txtWarning,
            db.PicDB_txtDBServer, db.PicDB_txtPassword, db.PicDB_txtUserName, tb.PicTable_txtCaption,
            tb.PicTable_txtRecordsPerPage, fl.PicField_comDataType, fl.PicField_comParentCaptionField,
            fl.PicField_comParentIDField, fl.PicField_comParentTable};
}

} // namespace tess
