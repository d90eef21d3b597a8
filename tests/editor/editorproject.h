#pragma once
// The project the editor's GUI tests open: a table of customers, one of
// orders that looks customers up, and one whose fields carry every kind of
// picture and value that the panes show.
#include "model/appstate.h"

namespace tess::test {

inline FieldPtr addField(MyTable &t, const QString &name, int type, qint16 length = 0)
{
    FieldPtr f = t.Fields.Add({.Name = name,
                               .Caption = QStringLiteral("Field ") + name,
                               .Index = qint16(t.Fields.Count() + 1),
                               .pDataType = type,
                               .pLength = length});
    // As a saved project holds it: no file types without uploads (which
    // Add fills in for a field that names none).
    f->pUploadFileTypes.clear();
    return f;
}

inline void buildEditorProject(MyDB &db)
{
    ResetProject(db);
    db.DBName = QStringLiteral("shop");
    db.Server = QStringLiteral("localhost");
    db.UserName = QStringLiteral("admin");
    db.Password = QStringLiteral("secret");

    MyTable &customers = *db.Tables.Add(QStringLiteral("Customers"), QStringLiteral("customers"));
    FieldPtr id = addField(customers, QStringLiteral("id"), 4, 11);
    id->pPrimaryKey = id->pNotNull = id->pAutoIncrement = true;
    addField(customers, QStringLiteral("name"), 15, 40)->pUnique = true;
    addField(customers, QStringLiteral("notes"), 18)->pHidden = true;

    MyTable &orders = *db.Tables.Add(QStringLiteral("Orders"), QStringLiteral("orders"));
    orders.QuickSearch = 2;
    orders.RecordsPerPage = 25;
    FieldPtr oid = addField(orders, QStringLiteral("id"), 4, 11);
    oid->pPrimaryKey = oid->pNotNull = true;
    FieldPtr customer = addField(orders, QStringLiteral("customer_id"), 4, 11);
    customer->ParentTable = QStringLiteral("customers");
    customer->ParentIDField = QStringLiteral("id");
    customer->ParentCaptionField = QStringLiteral("name");
    FieldPtr photo = addField(orders, QStringLiteral("photo"), 15, 200);
    photo->pTableImage = photo->pAllowImageUpload = true;
    photo->pUploadFileTypes = QStringLiteral("jpg|jpeg|gif|png");
    photo->pMaxUploadSize = 100000;
    FieldPtr state = addField(orders, QStringLiteral("state"), 15, 20);
    state->CSValueList = QStringLiteral("new;;paid;;sent");
    state->CSValueListType = 2;

    // Values a file may hold that the lists cannot show, and flags the
    // panes treat together.
    MyTable &odd = *db.Tables.Add(QStringLiteral("Odd"), QStringLiteral("odd"));
    odd.QuickSearch = 4;
    FieldPtr both = addField(odd, QStringLiteral("both"), 30);
    both->pPrimaryKey = true;
    both->ParentTable = QStringLiteral("customers");
    both->ParentIDField = QStringLiteral("name");
    FieldPtr archive = addField(odd, QStringLiteral("archive"), 15, 100);
    archive->pAllowImageUpload = true;
    archive->pUploadFileTypes = QStringLiteral("7z|tar");
    archive->pDetailImage = archive->pDetailLink = true;
    archive->ParentTable = QStringLiteral("customers");
    FieldPtr self = addField(odd, QStringLiteral("self"), 4, 11);
    self->ParentTable = QStringLiteral("odd");
    self->ParentIDField = QStringLiteral("both");
    self->ParentCaptionField = QStringLiteral("archive");
    FieldPtr strange = addField(odd, QStringLiteral("strange"), 4);
    strange->CSValueListType = 7;
    strange->ParentTable = QStringLiteral("customers");
    strange->ParentIDField = QStringLiteral("notes"); // neither key nor unique
    strange->ParentCaptionField = QStringLiteral("gone");
    db.DateFormat = Variant(3);
    db.DateSeparator = Variant(4);
}

} // namespace tess::test
