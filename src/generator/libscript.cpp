// lib.php, the function library of the generated application: request
// shims, the set-up guard, sql(), the navigation menu, the style-sheet link
// and the upload handler.
#include "generator/escape.h"
#include "generator/generators.h"
#include "generator/header.h"
#include "generator/lines.h"

namespace tess {

namespace {

// The referring page as the back link of an upload error box, escaped for a
// quoted attribute.
const QString backLink = QStringLiteral(
    "<a href=\\\"\" . htmlspecialchars($_SERVER['HTTP_REFERER'], ENT_QUOTES, 'windows-1252') . \"\\\">Back to table</a>.</div>\";");

QString dq(const QString &value) { return QStringLiteral("\"") + phpDq(value) + QStringLiteral("\""); }

QString libScript(const GenerationRun &run)
{
    const MyDB &db = run.db;
    Lines l;
    l.raw(phpHeader(run));
    l.blank();
    l.blank();
    l(QStringLiteral("error_reporting(E_ALL ^ E_NOTICE);"));
    // The generated pages are written in Windows-1252; say so before any
    // output, so that browsers do not guess.
    l(QStringLiteral("if(!headers_sent()){"));
    l(1, QStringLiteral("header('Content-Type: text/html; charset=windows-1252');"));
    l(QStringLiteral("}"));
    l(QStringLiteral("if(is_array($_POST)){"));
    l(1, QStringLiteral("$HTTP_POST_VARS=$_POST;"));
    l(QStringLiteral("}"));
    l(QStringLiteral("if(is_array($_GET)){"));
    l(1, QStringLiteral("$HTTP_GET_VARS=$_GET;"));
    l(QStringLiteral("}"));
    l(QStringLiteral("if(is_array($_FILES)){"));
    l(1, QStringLiteral("$HTTP_POST_FILES=$_FILES;"));
    l(QStringLiteral("}"));
    l(QStringLiteral("include(dirname(__FILE__).\"/datalist.php\");"));
    l.blank();
    l(QStringLiteral("if(!@is_file(dirname(__FILE__).\"/config.php\")){"));
    l(1, QStringLiteral("echo StyleSheet() . \"\\n\\n<div class=Error>\" . $Translation[\"error:\"] . \" \" . $Translation[\"if you haven't set up\"] . \"</div>\";"));
    l(1, QStringLiteral("exit;"));
    l(QStringLiteral("}"));
    l.blank();
    l(QStringLiteral("include(dirname(__FILE__).\"/config.php\");"));
    l.blank();

    l(QStringLiteral("function sql($statment,$assoc=1){"));
    l(1, QStringLiteral("global $Translation;"));
    l(1, QStringLiteral("global $dbServer, $dbUsername, $dbPassword, $dbDatabase;"));
    l(1, QStringLiteral("$dbhost = ") + dq(db.Server) + u';');
    l(1, QStringLiteral("$dbuser = ") + dq(db.UserName) + u';');
    l(1, QStringLiteral("$dbpass = ") + dq(db.Password) + u';');
    l(1, QStringLiteral("$dbname = ") + dq(db.DBName) + u';');
    l.tabs(1);
    l(1, QStringLiteral("/****** Connect to MySQL ******/"));
    l(1, QStringLiteral("if(!mysql_connect($dbServer, $dbUsername, $dbPassword)){"));
    l(2, QStringLiteral("echo StyleSheet() . \"\\n\\n<div class=Error>\" . $Translation[\"error:\"] . htmlspecialchars(mysql_error(), ENT_QUOTES, 'windows-1252') . \"</div>\";"));
    l(2, QStringLiteral("exit;"));
    l(1, QStringLiteral("}"));
    l.tabs(1);
    l(1, QStringLiteral("/****** Select DB ********/"));
    l(1, QStringLiteral("if(!mysql_select_db($dbDatabase)){"));
    l(2, QStringLiteral("echo StyleSheet() . \"\\n\\n<div class=Error>\" . $Translation[\"error:\"] . htmlspecialchars(mysql_error(), ENT_QUOTES, 'windows-1252') . $Translation[\"if you haven't set up\"] . \"</div>\";"));
    l(2, QStringLiteral("exit;"));
    l(1, QStringLiteral("}"));
    l.tabs(1);
    // The statement and the server's message are shown as text: either may
    // carry request values.
    l(1, QStringLiteral("if(!$result = mysql_query($statment)){"));
    l(2, QStringLiteral("echo StyleSheet() . \"\\n\\n<div class=Error><br><b>\" . $Translation[\"sql error:\"] . \"</b><br><br>"));
    l(3, QStringLiteral("<strong>\" . $Translation[\"query:\"] . \"</strong><br> \" . htmlspecialchars($statment, ENT_QUOTES, 'windows-1252') . \"<br><br>"));
    l(3, QStringLiteral("\" . htmlspecialchars(mysql_error(), ENT_QUOTES, 'windows-1252');"));
    l(2, QStringLiteral("if(stristr($statment, \"select \")){"));
    l(3, QStringLiteral("echo \".<br>\" . $Translation[\"if you haven't set up\"];"));
    l(2, QStringLiteral("}"));
    l(2, QStringLiteral("echo \"</div>\";"));
    l(2, QStringLiteral("echo \"<a href=\\\"javascript:history.go(-1);\\\">\" . $Translation[\"< back\"] . \"</a>\";"));
    l(2, QStringLiteral("exit;"));
    l(1, QStringLiteral("}"));
    l.tabs(1);
    l(1, QStringLiteral("return $result;"));
    l(QStringLiteral("}"));
    l.blank();

    l(QStringLiteral("function NavMenus(){"));
    l(1, QStringLiteral("global $Translation;"));
    l(1, QStringLiteral("$t = time();"));
    l(1, QStringLiteral("$menu  = \"<select name=nav_menu onChange='window.location=document.myform.nav_menu.options[document.myform.nav_menu.selectedIndex].value;'>\";"));
    l(1, QStringLiteral("$menu .= \"<option value='#' class=SelectedOption style='color:black;'>\" . $Translation[\"select a table\"] . \"</option>\";"));
    l(1, QStringLiteral("$menu .= \"<option value='index.html' class=SelectedOption style='color:black;'>\" . $Translation[\"homepage\"] . \"</option>\";"));
    for (const TablePtr &t : db.Tables)
        l(1, QStringLiteral("$menu .= \"<option value='") + phpDq(t->Name) + QStringLiteral("_view.php?t=$t' class=SelectedOption>")
                 + phpDq(t->Caption) + QStringLiteral("</option>\";"));
    l(1, QStringLiteral("$menu .= \"</select>\";"));
    l(1, QStringLiteral("return $menu;"));
    l(QStringLiteral("}"));
    l.blank();

    l(QStringLiteral("function StyleSheet(){"));
    l(1, QStringLiteral("return \"<link rel=\\\"stylesheet\\\" type=\\\"text/css\\\" href=\\\"style.css\\\">\";"));
    l(QStringLiteral("}"));
    l.blank();

    // $CurrentFile: the record's stored file, the only one a kept name may
    // replace.
    l(QStringLiteral("function PrepareUploadedFile($FieldName, $MaxSize, $FileTypes='jpg|jpeg|gif|png', $NoRename=false, $CurrentFile=''){"));
    l(1, QStringLiteral("global $HTTP_POST_FILES, $Translation;"));
    l(1, QStringLiteral("$f = $HTTP_POST_FILES[$FieldName];"));
    l.tabs(1);
    // Files posted as an array (name[]) count as none.
    l(1, QStringLiteral("if(!is_array($f['name']) && $f['error'] != 4 && $f['name']!=''){"));
    l(2, QStringLiteral("if($f['size']>$MaxSize || $f['error']){"));
    l(3, QStringLiteral("echo StyleSheet() . \"<div class=Error>Error: The file you uploaded exceeds the maximum allowed size of \" . intval($MaxSize/1024) . \" KB. ") + backLink);
    l(3, QStringLiteral("exit;"));
    l(2, QStringLiteral("}"));
    l(2, QStringLiteral("if(!eregi('\\.('.$FileTypes.')$', $f['name'], $ft)){"));
    l(3, QStringLiteral("echo StyleSheet() . \"<div class=Error>Error: This file type is not allowed. Only \" . str_replace('|', ', ', $FileTypes) . \" files can be uploaded. ") + backLink);
    l(3, QStringLiteral("exit;"));
    l(2, QStringLiteral("}"));
    l.tabs(2);
    // A kept name may come from any client: only plain file-name characters
    // survive, so it can neither leave the upload folder nor carry markup.
    l(2, QStringLiteral("if($NoRename){"));
    l(3, QStringLiteral("$n = preg_replace('/[^A-Za-z0-9._-]/', '_', $f['name']);"));
    l(2, QStringLiteral("}else{"));
    l(3, QStringLiteral("$n = str_replace(' ', '_', microtime());"));
    l(3, QStringLiteral("$n = str_replace('0.', '', $n);"));
    l(3, QStringLiteral("$n .= $ft[0];"));
    l(2, QStringLiteral("}"));
    l.tabs(2);
    l(2, QStringLiteral("if(!is_dir($Translation['ImageFolder'])){"));
    l(3, QStringLiteral("@mkdir($Translation['ImageFolder'], 0777);"));
    l(2, QStringLiteral("}"));
    l.tabs(2);
    // Another record's file, or a support file such as blank.gif, stays.
    l(2, QStringLiteral("if($NoRename && $n!==$CurrentFile && @file_exists($Translation['ImageFolder'] . $n)){"));
    l(3, QStringLiteral("echo StyleSheet() . \"<div class=Error>Error: A file named '$n' exists already in the upload folder. Rename your file and upload it again. ") + backLink);
    l(3, QStringLiteral("exit;"));
    l(2, QStringLiteral("}"));
    l.tabs(2);
    l(2, QStringLiteral("if(!@move_uploaded_file($f['tmp_name'], $Translation['ImageFolder'] . $n)){"));
    l(3, QStringLiteral("echo StyleSheet() . \"<div class=Error>Error: Couldn't save the uploaded file. Try chmoding the upload folder '\" . $Translation['ImageFolder'] . \"' to 777. ") + backLink);
    l(3, QStringLiteral("exit;"));
    l(2, QStringLiteral("}else{"));
    l(3, QStringLiteral("@chmod($Translation['ImageFolder'] . $n, 0666);"));
    l(3, QStringLiteral("return $n;"));
    l(2, QStringLiteral("}"));
    l(1, QStringLiteral("}"));
    l.tabs(1);
    l(1, QStringLiteral("return \"\";"));
    l(QStringLiteral("}"));
    l.raw(QStringLiteral("?>"));
    return l.take();
}

} // namespace

void GenerateLibScript(GenerationRun &run)
{
    run.generateFile(QStringLiteral("lib.php"), [&] { return libScript(run); });
}

} // namespace tess
