<?php
// Runs one function of a generated record script against stand-ins for
// lib.php, the MySQL functions and the selector classes of datalist.php, and
// reports every statement, the upload calls and the upload folder's files.
// The test appends datalist.php's own HTMLEscape() to this file.
error_reporting(E_ALL & ~E_NOTICE & ~E_WARNING & ~E_DEPRECATED);
$in = json_decode(file_get_contents($argv[1]), true);
$dir = $in['dir'];
$HTTP_POST_VARS = $in['post'];
$HTTP_GET_VARS = array();
$HTTP_SERVER_VARS = array();
$HTTP_POST_FILES = array();
$Translation = array('ImageFolder' => $dir . '/', 'error:' => 'Error:', 'field not null' => 'is required',
	'pkfield empty' => 'key missing', "couldn't delete" => 'refused <RelatedRecords> <TableName>',
	'month names' => 'M', 'upload image' => 'Up', 'remove image' => 'Rm');
$GLOBALS['trace'] = array();
function files() { global $dir; $f = array_values(array_diff(scandir($dir), array('.', '..', 'in.json', 't.php', 'h.php', 't_templateDV.html', 'things_templateDV.html'))); sort($f); return implode(',', $f); }
function get_magic_quotes_gpc() { global $in; return $in['magic']; }
function sql($s, $assoc = 1) { $GLOBALS['trace'][] = array('sql' => $s, 'files' => files()); return $s; }
function answer($r) { global $in; return isset($in['rows'][$r]) ? $in['rows'][$r] : false; }
function mysql_fetch_row($r) { return answer($r); }
function mysql_fetch_array($r) { return answer($r); }
function mysql_insert_id() { return 42; }
function StyleSheet() { return ''; }
// lib.php's escaping of a text for its column, shown where it matters:
// a value with a character reference names the column it is written for
function ColumnText($table, $field, $v) { return strpos($v, "&#") === false ? $v : "<$table.$field>$v"; }
function PrepareUploadedFile($name, $max, $types, $nr, $current = null) {
	global $in, $dir;
	$GLOBALS['trace'][] = array('upload' => "$name $max $types " . ($nr ? 'keep' : 'rename') . (func_num_args() > 4 ? " [$current]" : ''));
	if (!isset($in['uploads'][$name])) return '';
	file_put_contents($dir . '/' . $in['uploads'][$name], 'new');
	return $in['uploads'][$name];
}
function KeepUploadedFiles() { $GLOBALS['trace'][] = array('keep' => files()); }
// The lock of the upload folder, taken with a field's name only by a request
// that brought that field a file; the rows the last statement matched and
// deleted, as the test gives them.
function LockUploadFolder($field = '') { global $in; if ($field == '' || isset($in['uploads'][$field])) $GLOBALS['trace'][] = array('lock' => $field); }
function mysql_affected_rows() { global $in; return $in['affected']; }
function RefuseDeletedRecord() { global $in; if ($in['matched'] == 0) { echo 'record gone'; exit; } }
// lib.php's value checks, traced; a value holding "refused" stands for one
// its column cannot hold and ends the request as lib.php would.
function check($what, $value, $caption) {
	$GLOBALS['trace'][] = array('check' => "$what $caption", 'files' => files());
	if (strpos((string)$value, 'refused') !== false) { echo "refused '$caption'"; exit; }
}
function CheckIntegerValue($f, $v, $caption, $min, $max) { check("$f integer $min $max", $v, $caption); }
function CheckNumberValue($f, $v, $caption, $min, $max, $decimals) { check("$f number $min $max $decimals", $v, $caption); }
function CheckFloatValue($f, $v, $caption, $min, $max, $length, $decimals, $typeMax) { check("$f float $min $max $length $decimals", $v, $caption); }
function CheckTextValue($f, $v, $caption, $length, $binary = false) { check("$f text $length" . ($binary ? ' binary' : ''), $v, $caption); }
function CheckDateValue($f, $v, $caption) { check("$f date", $v, $caption); }
function CheckDateTimeValue($f, $v, $caption) { check("$f datetime", $v, $caption); }
function CheckTimeValue($f, $v, $caption) { check("$f time", $v, $caption); }
function CheckYearValue($f, $v, $caption) { check("$f year", $v, $caption); }
class DataCombo { var $Query, $SelectName, $SelectedData, $HTML = '', $MatchText = '';
	function Render() { global $in; $this->HTML = 'select'; $this->MatchText = HTMLEscape($in['match']); } }
class Combo { var $ListType, $ListBoxHeight, $RadiosPerLine, $ListItem, $ListData, $SelectName, $AllowNull = true, $SelectedData, $HTML = '';
	function Render() { $this->HTML = 'list:' . implode('|', $this->ListData); } }
class DateCombo { var $DateFormat, $MinYear, $MaxYear, $DefaultDate, $MonthNames, $CSSOptionClass, $CSSSelectedClass, $NamePrefix;
	function GetHTML($readOnly = false) { return $readOnly ? $this->DefaultDate : 'date:' . $this->DateFormat; } }
function report() { global $result; echo "\n#RESULT#" . json_encode(array('trace' => $GLOBALS['trace'], 'result' => $result, 'files' => files()), JSON_INVALID_UTF8_SUBSTITUTE); }
register_shutdown_function('report');
chdir($dir);
include($dir . '/t.php');
$result = eval('return ' . $in['call'] . ';');
