// form() of the record script: fills the table's detail-view template.
// Record values are Windows-1252 text, as the whole application is: they
// are escaped for HTML in that code page.
#include "generator/dmlscript.h"

#include "generator/escape.h"

namespace tess::dml {

namespace {

enum class Selector { None, Lookup, ValueList, Date };

Selector selectorOf(const MyField &f)
{
    if (!f.ParentTable.isEmpty())
        return Selector::Lookup;
    if (!f.CSValueList.isEmpty())
        return Selector::ValueList;
    if (isDate(f))
        return Selector::Date;
    return Selector::None;
}

QStringView dateOrder(const MyDB &db)
{
    if (db.DateFormat.equalsNumber(1))
        return u"ymd";
    if (db.DateFormat.equalsNumber(2))
        return u"dmy";
    return u"mdy";
}

void emitSelectors(Script &s)
{
    const QStringView order = dateOrder(s.run.db);
    for (const FieldPtr &fp : s.table.Fields) {
        const MyField &f = *fp;
        s.tick();
        switch (selectorOf(f)) {
        case Selector::Lookup:
            s.line(1, u"// combobox: «f»", &f);
            s.line(1, u"$combo_«f» = new DataCombo;", &f);
            s.line(1, uR"~($combo_«f»->Query = "select «pid», «pcap» from «pt» order by «pcap»";)~", &f,
                   {{u"pid", f.ParentIDField},
                    {u"pcap", f.ParentCaptionField},
                    {u"pt", f.ParentTable}});
            s.line(1, uR"~($combo_«f»->SelectName = "«f»";)~", &f);
            // A lookup that may be empty offers the empty choice, so that
            // saving a record does not fill it with the first parent.
            if (!f.pNotNull)
                s.line(1, uR"~($combo_«f»->FirstItem = "&nbsp;";)~", &f);
            break;
        case Selector::ValueList: {
            const QString listType = QString::number(f.CSValueListType);
            const QString items = phpDq(f.CSValueList);
            const Values list{{u"lt", listType}, {u"list", items}};
            s.line(1, u"// combobox: «f»", &f);
            s.line(1, u"$combo_«f» = new Combo;", &f);
            s.line(1, u"$combo_«f»->ListType = «lt»;", &f, list);
            s.line(1, u"$combo_«f»->ListBoxHeight = 10;", &f);
            s.line(1, u"$combo_«f»->RadiosPerLine = 1;", &f);
            s.line(1, uR"~($combo_«f»->ListItem = explode(";;", "«list»");)~", &f, list);
            s.line(1, uR"~($combo_«f»->ListData = explode(";;", "«list»");)~", &f, list);
            s.line(1, uR"~($combo_«f»->SelectName = "«f»";)~", &f);
            if (f.pNotNull)
                s.line(1, u"$combo_«f»->AllowNull = false;", &f);
            break;
        }
        case Selector::Date:
            s.line(1, u"// combobox: «f»", &f);
            s.line(1, u"$combo_«f» = new DateCombo;", &f);
            s.line(1, uR"~($combo_«f»->DateFormat = "«order»";)~", &f, {{u"order", order}});
            s.line(1, u"$combo_«f»->MinYear = 1900;", &f);
            s.line(1, u"$combo_«f»->MaxYear = 2100;", &f);
            s.line(1, uR"~($combo_«f»->DefaultDate = date("Y-m-d");)~", &f);
            s.line(1, u"$combo_«f»->MonthNames = $Translation['month names'];", &f);
            s.line(1, u"$combo_«f»->CSSOptionClass = 'Option';", &f);
            s.line(1, u"$combo_«f»->CSSSelectedClass = 'SelectedOption';", &f);
            s.line(1, u"$combo_«f»->NamePrefix = '«f»';", &f);
            break;
        case Selector::None:
            break;
        }
    }
}

void emitRecord(Script &s)
{
    s.out.blank();
    s.line(1, u"if($selected_id)");
    s.line(1, u"{");
    s.line(2, uR"~($res = sql("select * from «t» where «pk»='$selected_id'");)~");
    s.line(2, u"$row = mysql_fetch_array($res);");
    for (const FieldPtr &fp : s.table.Fields) {
        const MyField &f = *fp;
        s.tick();
        switch (selectorOf(f)) {
        case Selector::Lookup:
        case Selector::ValueList:
            s.line(2, uR"~($combo_«f»->SelectedData = $row["«f»"];)~", &f);
            break;
        case Selector::Date:
            s.line(2, uR"~($combo_«f»->DefaultDate = $row["«f»"];)~", &f);
            break;
        case Selector::None:
            break;
        }
    }
    s.line(1, u"}");

    for (const FieldPtr &fp : s.table.Fields) {
        const MyField &f = *fp;
        s.tick();
        const Selector k = selectorOf(f);
        if (k == Selector::Lookup || k == Selector::ValueList)
            s.line(1, u"$combo_«f»->Render();", &f);
    }
}

void emitButtons(Script &s)
{
    s.line(1, u"// process buttons");
    s.line(1, u"if($AllowInsert){");
    s.line(2, uR"~($templateCode=str_replace('<%%INSERT_BUTTON%%>', "<input type=image src=insert.gif name=insert alt='" . $Translation['add new record'] . "'>", $templateCode);)~");
    s.line(1, u"}else{");
    s.line(2, u"$templateCode=str_replace('<%%INSERT_BUTTON%%>', '', $templateCode);");
    s.line(1, u"}");
    s.line(1, u"if($selected_id){");
    s.line(2, u"if($AllowUpdate){");
    s.line(3, uR"~($templateCode=str_replace('<%%UPDATE_BUTTON%%>', "<input type=image src=update.gif vspace=1 name=update alt='" . $Translation["update record"] . "'>", $templateCode);)~");
    s.line(2, u"}else{");
    s.line(3, u"$templateCode=str_replace('<%%UPDATE_BUTTON%%>', '', $templateCode);");
    s.line(2, u"}");
    s.line(2, u"if($AllowDelete){");
    s.line(3, uR"~($templateCode=str_replace('<%%DELETE_BUTTON%%>', "<input type=image src=delete.gif vspace=1 name=delete alt='" . $Translation['delete record'] . "' onClick=\"return confirm('" . $Translation['are you sure?'] . "');\">", $templateCode);)~");
    s.line(2, u"}else{");
    s.line(3, u"$templateCode=str_replace('<%%DELETE_BUTTON%%>', '', $templateCode);");
    s.line(2, u"}");
    s.line(2, uR"~($templateCode=str_replace('<%%DESELECT_BUTTON%%>', "<input type=image src=deselect.gif vspace=1 name=deselect alt='" . $Translation['deselect record'] . "'>", $templateCode);)~");
    s.line(1, u"}else{");
    s.line(2, u"$templateCode=str_replace('<%%UPDATE_BUTTON%%>', '', $templateCode);");
    s.line(2, u"$templateCode=str_replace('<%%DELETE_BUTTON%%>', '', $templateCode);");
    s.line(2, u"$templateCode=str_replace('<%%DESELECT_BUTTON%%>', '', $templateCode);");
    s.line(1, u"}");
}

void emitCombos(Script &s)
{
    s.out.tabs(1);
    s.line(1, u"// process combos");
    // The text of the current choice comes from the record. DataCombo hands
    // its MatchText out escaped already; the other two give the raw value.
    for (const FieldPtr &fp : s.table.Fields) {
        const MyField &f = *fp;
        s.tick();
        switch (selectorOf(f)) {
        case Selector::Lookup:
            s.line(1, u"$templateCode=str_replace('<%%COMBO(«f»)%%>', $combo_«f»->HTML, $templateCode);", &f);
            s.line(1, u"$templateCode=str_replace('<%%COMBOTEXT(«f»)%%>', $combo_«f»->MatchText, $templateCode);", &f);
            break;
        case Selector::ValueList:
            s.line(1, u"$templateCode=str_replace('<%%COMBO(«f»)%%>', $combo_«f»->HTML, $templateCode);", &f);
            s.line(1,
                   u"$templateCode=str_replace('<%%COMBOTEXT(«f»)%%>', htmlspecialchars($combo_«f»->SelectedData, ENT_QUOTES, 'windows-1252'), $templateCode);",
                   &f);
            break;
        case Selector::Date:
            s.line(1, u"$templateCode=str_replace('<%%COMBO(«f»)%%>', $combo_«f»->GetHTML(), $templateCode);", &f);
            s.line(1,
                   u"$templateCode=str_replace('<%%COMBOTEXT(«f»)%%>', htmlspecialchars($combo_«f»->GetHTML(true), ENT_QUOTES, 'windows-1252'), $templateCode);",
                   &f);
            break;
        case Selector::None:
            break;
        }
    }
}

void emitImages(Script &s)
{
    s.out.tabs(1);
    s.line(1, u"// process images");
    for (const FieldPtr &fp : s.table.Fields) {
        const MyField &f = *fp;
        s.tick();
        if (isUpload(f))
            s.line(1,
                   u"$templateCode=str_replace('<%%UPLOADFILE(«f»)%%>', '<input type=hidden name=MAX_FILE_SIZE value=«size»>'.$Translation['upload image'].' <input type=file name=\"«f»\" class=TextBox>', $templateCode);",
                   &f, {{u"size", QString::number(f.pMaxUploadSize)}});
        else
            s.line(1, u"$templateCode=str_replace('<%%UPLOADFILE(«f»)%%>', '', $templateCode);", &f);
        if (f.pDetailImage || f.pDetailLink) {
            s.line(1, u"if($AllowUpdate && $row['«f»']!=''){", &f);
            s.line(2,
                   u"$templateCode=str_replace('<%%REMOVEFILE(«f»)%%>', '<input type=checkbox name=\"«f»_remove\" value=\"1\"> <b class=Error>'.$Translation['remove image'].'</b>', $templateCode);",
                   &f);
            s.line(1, u"}else{");
            s.line(2, u"$templateCode=str_replace('<%%REMOVEFILE(«f»)%%>', '', $templateCode);", &f);
            s.line(1, u"}");
        }
    }
}

void emitValues(Script &s)
{
    s.out.tabs(1);
    s.line(1, u"// process values");
    s.line(1, u"if($selected_id){");
    for (const FieldPtr &fp : s.table.Fields) {
        const MyField &f = *fp;
        s.tick();
        if (f.pDetailImage)
            s.line(2, u"$row['«f»']=($row['«f»']!=''?$row['«f»']:'blank.gif');", &f);
        s.line(2,
               u"$templateCode=str_replace('<%%VALUE(«f»)%%>', htmlspecialchars($row['«f»'], ENT_QUOTES, 'windows-1252'), $templateCode);",
               &f);
    }
    s.line(1, u"}else{");
    for (const FieldPtr &fp : s.table.Fields) {
        const MyField &f = *fp;
        s.tick();
        if (f.pDetailImage)
            s.line(2, u"$templateCode=str_replace('<%%VALUE(«f»)%%>', 'blank.gif', $templateCode);", &f);
        else
            s.line(2, u"$templateCode=str_replace('<%%VALUE(«f»)%%>', '', $templateCode);", &f);
    }
    s.line(1, u"}");
}

} // namespace

void emitForm(Script &s)
{
    s.line(0, uR"~(function form($selected_id = "", $AllowUpdate = 1, $AllowInsert = 1, $AllowDelete = 1))~");
    s.line(0, u"{");
    s.line(1, u"// function to return an editable form for a table records");
    s.line(1, u"// and fill it with data of record whose ID is $selected_id. If $selected_id");
    s.line(1, u"// is empty, an empty form is shown, with only an 'Add New'");
    s.line(1, u"// button displayed.");
    s.out.tabs(1);
    s.line(1, u"global $Translation;");
    emitSelectedIdKeyLines(s, u"$selected_id = \"\";");
    s.out.tabs(1);
    s.line(1, uR"~(if(!$AllowInsert && $selected_id==""){  return ""; })~");
    s.out.tabs(1);
    s.out.tabs(1);

    emitSelectors(s);
    emitRecord(s);

    s.out.tabs(1);
    s.line(1, u"// code for template based detail view forms");
    s.out.tabs(1);
    s.line(1, u"// open the detail view template");
    // A missing template gives an empty text, on every PHP version.
    s.line(1, u"$templateCode=@implode('', (array)@file('./«t»_templateDV.html'));");
    s.out.tabs(1);
    s.line(1, u"// process form title");
    s.line(1, u"$templateCode=str_replace('<%%DETAIL_VIEW_TITLE%%>', '«label»', $templateCode);", nullptr,
           {{u"label", phpSq(s.table.DetailViewLabel)}});

    emitButtons(s);
    emitCombos(s);
    emitImages(s);
    emitValues(s);

    s.out.tabs(1);
    s.line(1, u"// process translations");
    s.line(1, u"foreach($Translation as $symbol=>$trans){");
    s.line(2, u"$templateCode=str_replace(\"<%%TRANSLATION($symbol)%%>\", $trans, $templateCode);");
    s.line(1, u"}");
    s.out.tabs(1);
    s.line(1, u"// finally, clear scrap");
    s.line(1, u"$templateCode=str_replace('<%%', '<!--', $templateCode);");
    s.line(1, u"$templateCode=str_replace('%%>', '-->', $templateCode);");
    s.out.blank();
    s.line(1, u"return $templateCode;");
}

} // namespace tess::dml
