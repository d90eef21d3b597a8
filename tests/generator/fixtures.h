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

// Field shorthand: MyFields::Add with the lookup and value-list texts empty.
inline MyField &addField(MyTable &t, const QString &name, const QString &caption, int type,
                         qint16 length = 0, bool primaryKey = false, bool notNull = false,
                         bool autoIncrement = false, const QString &dflt = {})
{
    return *t.Fields.Add({}, {}, {}, {}, caption, name, primaryKey, false, type, length, 0, dflt,
                         false, notNull, autoIncrement, false, false);
}

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
        MyField &id = addField(c, QStringLiteral("id"), QStringLiteral("ID"), Dt::Int, 11, true, true, true);
        id.pReadOnly = true;
        MyField &name = addField(c, QStringLiteral("name"), QStringLiteral("Name"), Dt::VarChar, 40, false, true);
        name.ColumnWidth = 200;
        name.pNumChars = 20;
        MyField &photo = addField(c, QStringLiteral("photo"), QStringLiteral("Photo"), Dt::VarChar, 100);
        photo.pAllowImageUpload = true;
        photo.pTableImage = true;
        photo.pDetailImage = true;
        photo.pMaxUploadSize = 102400;
        photo.pDeleteFiles = true;
        MyField &since = addField(c, QStringLiteral("since"), QStringLiteral("Customer since"), Dt::Date);
        since.ColumnWidth = 19;   // below the minimum: widened to 150
    }
    c.RedirectAfterInsert = QStringLiteral("customers_view.php?added=1");
    c.AllowCSV = true;
    c.AllowFilters = false;

    MyTable &o = *db->Tables.Add(QStringLiteral("Orders"), QStringLiteral("orders"));
    {
        addField(o, QStringLiteral("id"), QStringLiteral("Order no."), Dt::Int, 11, true, true, true);
        MyField &cust = *o.Fields.Add({}, QStringLiteral("name"), QStringLiteral("id"), QStringLiteral("customers"),
                                      QStringLiteral("Customer"), QStringLiteral("customer_id"), false, false,
                                      Dt::Int, 11, 0, {}, false, true, false, false, false);
        cust.ColumnWidth = 20;   // the minimum: kept
        MyField &date = addField(o, QStringLiteral("order_date"), QStringLiteral("Order date"), Dt::Date, 0,
                                 false, true);
        (void)date;
        MyField &status = addField(o, QStringLiteral("status"), QStringLiteral("Status"), Dt::VarChar, 20,
                                   false, true, false, QStringLiteral("new"));
        status.CSValueList = QStringLiteral("new;;paid;;shipped");
        status.CSValueListType = 2;
        MyField &notes = addField(o, QStringLiteral("notes"), QStringLiteral("Notes"), Dt::Text);
        notes.pTextarea = true;
        notes.pNumChars = 30;
        notes.pNotFiltered = true;
        MyField &code = addField(o, QStringLiteral("internal_code"), QStringLiteral("Internal code"), Dt::Char, 8);
        code.pHidden = true;
        code.ColumnWidth = 5;   // hidden: never widened
        MyField &total = *o.Fields.Add({}, {}, {}, {}, QStringLiteral("Total"), QStringLiteral("total"), false, false,
                                       Dt::Decimal, 10, 2, QStringLiteral("0.00"), false, false, false, false, false);
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
    addField(t, QStringLiteral("id"), QStringLiteral("ID"), Dt::Int, 11, true, true, true);
    addField(t, QStringLiteral("title"), QStringLiteral("Title"), Dt::VarChar, 50);
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
