<?php
// Test doubles for what datalist.php takes from old PHP, from lib.php and
// from the record script. A scenario script includes this file, then the
// generated datalist.php, sets up a request and prints what it checks.
// Notices, warnings and deprecations go to stderr, so that stdout holds only
// what the scenario prints.
ini_set('display_errors', 'stderr');
error_reporting(E_ALL);

if(!function_exists('get_magic_quotes_gpc')) {
	function get_magic_quotes_gpc() { return false; }
}
if(!function_exists('eregi_replace')) {
	function eregi_replace($pattern, $replacement, $string) {
		return preg_replace('/' . str_replace('/', '\/', $pattern) . '/i', $replacement, $string);
	}
}

// The fake table: each row holds the shown columns and the key as its last
// column; $FakeFields names and types the same columns.
$FakeRows = array();
$FakeFields = array(array('Alpha', 'string'), array('Beta', 'int'), array('id', 'int'));
$SqlLog = array();
$Calls = array();

class FakeResult {
	var $rows;
	var $pos = 0;
	function __construct($rows) { $this->rows = $rows; }
}

function sql($statement, $assoc = 1) {
	global $SqlLog, $FakeRows;
	$SqlLog[] = $statement;
	if(preg_match('/^select count\(1\) from /', $statement))
		return new FakeResult(array(array((string)count($FakeRows))));
	if(preg_match('/^select charset\(.* limit 1$/', $statement))
		return new FakeResult(count($FakeRows) ? array($GLOBALS['FakeCharsets']) : array());
	if(preg_match('/ limit 1$/', $statement))
		return new FakeResult(array_slice($FakeRows, 0, 1));
	if(preg_match('/ limit (-?[0-9]+),([0-9]+)$/', $statement, $m))
		return new FakeResult(array_slice($FakeRows, max(0, (int)$m[1]), (int)$m[2]));
	return new FakeResult($FakeRows);
}
function mysql_fetch_row($r) {
	if($r->pos >= count($r->rows)) return false;
	return $r->rows[$r->pos++];
}
function mysql_num_rows($r) { return count($r->rows); }
function mysql_num_fields($r) { global $FakeFields; return count($FakeFields); }
function mysql_field_name($r, $i) { global $FakeFields; return $FakeFields[$i][0]; }
function mysql_field_type($r, $i) { global $FakeFields; return $FakeFields[$i][1]; }
function mysql_close() { return true; }

// compat.php's marking of a value for a column of a character set, shown
// in the statement; the character sets of a statement's columns, in
// $FakeCharsets
$FakeCharsets = array();
function compat_server_text($escaped, $charset) { return $charset === null ? $escaped : "<$charset>$escaped"; }

function NavMenus() { return "<NAV>"; }
function insert() { global $Calls; $Calls[] = "insert"; return "7 & 8"; }
function update($id) { global $Calls; $Calls[] = "update($id)"; }
function delete($id) { global $Calls; $Calls[] = "delete($id)"; return ($id == "bad" ? "in use" : ""); }
function form($id, $u, $i, $d) { return "<FORM id=[$id] update=$u insert=$i delete=$d>"; }

$Translation = array(
	"none" => "None", "or" => "Or", "and" => "And", "filter" => "Filter",
	"records x to y of z" => "Records <FirstRecord> to <LastRecord> of <RecordCount>",
	"order by" => "Order by", "go to page" => "Page",
);

// Sets up one request.
function request($method, $vars) {
	global $HTTP_SERVER_VARS, $HTTP_GET_VARS, $HTTP_POST_VARS;
	$HTTP_SERVER_VARS = array("REQUEST_METHOD" => $method, "HTTP_HOST" => "host", "HTTP_REFERER" => "http://host/t_view.php?a=1&b=2");
	$HTTP_GET_VARS = ($method == "GET" ? $vars : array());
	$HTTP_POST_VARS = ($method == "GET" ? array() : $vars);
}

// A list like the one a list page sets up, over rows 1..$count.
function make_list($count = 3) {
	global $FakeRows;
	$FakeRows = array();
	for($n = 1; $n <= $count; $n++)
		$FakeRows[] = array("a$n", (string)(10 * $n), (string)$n);
	$x = new DataList;
	$x->Query = "select t.a as 'Alpha', t.b as 'Beta' from t";
	$x->FilterQuery = $x->Query;
	$x->PrimaryKey = "t.id";
	$x->ScriptFileName = "t_view.php";
	$x->AllowSorting = 1;
	$x->QuickSearch = 1;
	$x->QuickSearchText = "Quick search";
	$x->TableTitle = "T";
	return $x;
}

function queries() { global $SqlLog; return implode("\n", $SqlLog); }
// The text between the first $from and the next $to (both included).
function between($text, $from, $to) {
	$p = strpos($text, $from);
	if($p === false) return "(missing $from)";
	$q = strpos($text, $to, $p + strlen($from));
	return substr($text, $p, ($q === false ? strlen($text) : $q + strlen($to)) - $p);
}
