#pragma once
// Small projects built in code for the generator tests, and a run set up on
// them with a fixed clock. Every generator test builds its input from here so
// that the golden files of all generators describe the same projects.
//
// "shop": two tables, customers (parent) and orders (child), covering a
// lookup, a DATE field, an image upload field shown as image, a value list,
// a hidden field, a read-only field, a textarea and a pending schema change.
// "minimal": one table with an INT primary key and one VARCHAR.
#include "generator/run.h"
#include "model/constants.h"
#include "model/datesettings.h"
#include "model/project.h"

#include <QList>
#include <QString>
#include <functional>
#include <memory>

namespace tess::test {

inline const QString fixedDate() { return QStringLiteral("12/10/2026"); }
inline const QString fixedTime() { return QStringLiteral("10:11:50"); }

inline DBPtr shopProject()
{
    auto db = std::make_shared<MyDB>();
    db->DBName = QStringLiteral("shop_db");
    db->UserName = QStringLiteral("shopuser");
    db->Password = QStringLiteral("s3cret");
    db->Server = QStringLiteral("localhost");
    db->DateFormat = Variant(3);      // month-day-year
    db->DateSeparator = Variant(4);   // "/"

    MyTable &c = *db->Tables.Add(QStringLiteral("Customers"), QStringLiteral("customers"));
    {
        MyField &id = *c.Fields.Add({.Name = QStringLiteral("id"), .Caption = QStringLiteral("ID"), .pPrimaryKey = true,
                                     .pDataType = Dt::Int, .pLength = 11, .pNotNull = true, .pAutoIncrement = true});
        id.pReadOnly = true;
        MyField &name = *c.Fields.Add({.Name = QStringLiteral("name"), .Caption = QStringLiteral("Name"),
                                       .pDataType = Dt::VarChar, .pLength = 40, .pNotNull = true});
        name.ColumnWidth = 200;
        name.pNumChars = 20;
        MyField &photo = *c.Fields.Add({.Name = QStringLiteral("photo"), .Caption = QStringLiteral("Photo"),
                                        .pDataType = Dt::VarChar, .pLength = 100});
        photo.pAllowImageUpload = true;
        photo.pTableImage = true;
        photo.pDetailImage = true;
        photo.pMaxUploadSize = 102400;
        photo.pDeleteFiles = true;
        MyField &since = *c.Fields.Add({.Name = QStringLiteral("since"), .Caption = QStringLiteral("Customer since"),
                                        .pDataType = Dt::Date});
        since.ColumnWidth = 19;   // below the minimum: widened to 150
    }
    c.RedirectAfterInsert = QStringLiteral("customers_view.php?added=1");
    c.AllowCSV = true;
    c.AllowFilters = false;

    MyTable &o = *db->Tables.Add(QStringLiteral("Orders"), QStringLiteral("orders"));
    {
        o.Fields.Add({.Name = QStringLiteral("id"), .Caption = QStringLiteral("Order no."), .pPrimaryKey = true,
                      .pDataType = Dt::Int, .pLength = 11, .pNotNull = true, .pAutoIncrement = true});
        MyField &cust = *o.Fields.Add({.Name = QStringLiteral("customer_id"), .Caption = QStringLiteral("Customer"),
                                       .ParentTable = QStringLiteral("customers"),
                                       .ParentIDField = QStringLiteral("id"),
                                       .ParentCaptionField = QStringLiteral("name"), .pDataType = Dt::Int,
                                       .pLength = 11, .pNotNull = true});
        cust.ColumnWidth = 20;   // the minimum: kept
        MyField &date = *o.Fields.Add({.Name = QStringLiteral("order_date"), .Caption = QStringLiteral("Order date"),
                                       .pDataType = Dt::Date, .pNotNull = true});
        (void)date;
        MyField &status = *o.Fields.Add({.Name = QStringLiteral("status"), .Caption = QStringLiteral("Status"),
                                         .pDataType = Dt::VarChar, .pLength = 20, .pDefault = QStringLiteral("new"),
                                         .pNotNull = true});
        status.CSValueList = QStringLiteral("new;;paid;;shipped");
        status.CSValueListType = 2;
        MyField &notes = *o.Fields.Add({.Name = QStringLiteral("notes"), .Caption = QStringLiteral("Notes"),
                                        .pDataType = Dt::Text});
        notes.pTextarea = true;
        notes.pNumChars = 30;
        notes.pNotFiltered = true;
        MyField &code = *o.Fields.Add({.Name = QStringLiteral("internal_code"),
                                       .Caption = QStringLiteral("Internal code"), .pDataType = Dt::Char,
                                       .pLength = 8});
        code.pHidden = true;
        code.ColumnWidth = 5;   // hidden: never widened
        MyField &total = *o.Fields.Add({.Name = QStringLiteral("total"), .Caption = QStringLiteral("Total"),
                                        .pDataType = Dt::Decimal, .pLength = 10, .pPrecision = 2,
                                        .pDefault = QStringLiteral("0.00")});
        total.pReadOnly = true;
    }
    o.AllowSelection = true;
    o.AllowSavingFilters = true;
    o.RecordsPerPage = 20;
    o.QuickSearch = 1;
    o.DetailViewLabel = QStringLiteral("Order details");
    o.AlterSQL = QStringLiteral("ALTER TABLE `orders` ADD `total` DECIMAL(10,2) default '0.00' ;;"
                                "ALTER TABLE `orders` DROP PRIMARY KEY, ADD PRIMARY KEY (`id`);;");
    o.pkChanged = true;
    return db;
}

inline DBPtr minimalProject()
{
    auto db = std::make_shared<MyDB>();
    db->DBName = QStringLiteral("mini");
    db->Server = QStringLiteral("localhost");
    db->DateFormat = Variant(3);
    db->DateSeparator = Variant(4);
    MyTable &t = *db->Tables.Add(QStringLiteral("Items"), QStringLiteral("items"));
    t.Fields.Add({.Name = QStringLiteral("id"), .Caption = QStringLiteral("ID"), .pPrimaryKey = true,
                  .pDataType = Dt::Int, .pLength = 11, .pNotNull = true, .pAutoIncrement = true});
    t.Fields.Add({.Name = QStringLiteral("title"), .Caption = QStringLiteral("Title"), .pDataType = Dt::VarChar,
                  .pLength = 50});
    return db;
}

struct Fixture {
    QString name;                 // folder name under golden/
    std::function<DBPtr()> make;
};

inline QList<Fixture> fixtures()
{
    return {{QStringLiteral("shop"), shopProject}, {QStringLiteral("minimal"), minimalProject}};
}

// A style table with a few classes, enough for a style sheet to have content.
// Names are selectors without the leading point, as the style table holds
// them; the style sheet adds it.
inline StyleTable fixtureStyles()
{
    StyleTable s;
    s.StyleNames[1] = QStringLiteral("TableTitle");
    s.StyleDefinitions[1] = QStringLiteral("font: bold 14pt Verdana;\r\ncolor: navy;");
    s.StyleNames[2] = QStringLiteral("TableBody");
    s.StyleDefinitions[2] = QStringLiteral("font: 10pt Verdana;");
    s.StyleNames[3] = QStringLiteral("Error");
    s.StyleDefinitions[3] = QStringLiteral("color: red;");
    return s;
}

// Sets the fixed clock and the date settings derived from the project.
inline void prepareRun(GenerationRun &run, const QString &folder, const QString &programFolder = {})
{
    run.folder = folder;
    run.programFolder = programFolder;
    run.date = fixedDate();
    run.time = fixedTime();
    const DateSettings d = deriveDateSettings(run.db);
    run.mySQLDateFormat = d.mysqlFormat;
    run.datePartSeparator = d.separator;
    run.anyImageUpload = false;
    for (const auto &t : run.db.Tables)
        for (const auto &f : t->Fields)
            if (f->pAllowImageUpload)
                run.anyImageUpload = true;
}

} // namespace tess::test
