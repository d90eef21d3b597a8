<?php
// Test-only compatibility layer, loaded with auto_prepend_file by the
// end-to-end suite. The generated application keeps the PHP 4 API (the
// mysql_* client functions, the POSIX ereg family, get_magic_quotes_gpc and
// the $HTTP_*_VARS arrays); PHP 8 removed all of it. This file supplies it
// over mysqli and preg with the old behaviour: one reused link per set of
// credentials, every value fetched as a string, failures reported through
// return values and mysql_error() instead of exceptions.
// It is never written into a generated application.

mysqli_report(MYSQLI_REPORT_OFF);

if (!defined('MYSQL_ASSOC')) {
    define('MYSQL_ASSOC', 1);
    define('MYSQL_NUM', 2);
    define('MYSQL_BOTH', 3);
}

$GLOBALS['__compat_links'] = array();   // "host|user|password" => mysqli
$GLOBALS['__compat_link'] = null;       // the last link opened (the default)
$GLOBALS['__compat_connect_error'] = '';
$GLOBALS['__compat_connect_errno'] = 0;

function __compat_link($link = null)
{
    if ($link instanceof mysqli) {
        return $link;
    }
    return $GLOBALS['__compat_link'];
}

function __compat_result($result)
{
    return ($result instanceof mysqli_result) ? $result : null;
}

function mysql_connect($server = null, $username = null, $password = null, $new_link = false, $client_flags = 0)
{
    $server = (string)$server;
    $host = $server === '' ? '127.0.0.1' : $server;
    $port = null;
    $socket = null;
    if ($host !== '' && $host[0] === ':') {
        $socket = substr($host, 1);
        $host = 'localhost';
    } elseif (preg_match('/^(.*):(\d+)$/', $host, $m)) {
        $host = $m[1];
        $port = (int)$m[2];
    } elseif (preg_match('/^(.*):(\/.*)$/', $host, $m)) {
        $host = $m[1];
        $socket = $m[2];
    }
    $key = $server . '|' . $username . '|' . $password;
    if (!$new_link && isset($GLOBALS['__compat_links'][$key])) {
        $GLOBALS['__compat_link'] = $GLOBALS['__compat_links'][$key];
        return $GLOBALS['__compat_link'];
    }
    $link = @mysqli_connect($host, (string)$username, (string)$password, '', $port, $socket);
    if (!$link) {
        $GLOBALS['__compat_connect_error'] = mysqli_connect_error();
        $GLOBALS['__compat_connect_errno'] = mysqli_connect_errno();
        return false;
    }
    $GLOBALS['__compat_connect_error'] = '';
    $GLOBALS['__compat_connect_errno'] = 0;
    mysqli_set_charset($link, 'latin1');
    $GLOBALS['__compat_links'][$key] = $link;
    $GLOBALS['__compat_link'] = $link;
    return $link;
}

function mysql_pconnect($server = null, $username = null, $password = null, $client_flags = 0)
{
    return mysql_connect($server, $username, $password, false, $client_flags);
}

function mysql_close($link = null)
{
    $l = __compat_link($link);
    if (!$l) {
        return false;
    }
    foreach ($GLOBALS['__compat_links'] as $k => $v) {
        if ($v === $l) {
            unset($GLOBALS['__compat_links'][$k]);
        }
    }
    if ($GLOBALS['__compat_link'] === $l) {
        $GLOBALS['__compat_link'] = null;
    }
    return @mysqli_close($l);
}

function mysql_select_db($database_name, $link = null)
{
    $l = __compat_link($link);
    if (!$l) {
        return false;
    }
    return @mysqli_select_db($l, (string)$database_name);
}

function mysql_query($query, $link = null)
{
    $l = __compat_link($link);
    if (!$l) {
        return false;
    }
    return @mysqli_query($l, (string)$query);
}

function mysql_db_query($database, $query, $link = null)
{
    return mysql_select_db($database, $link) ? mysql_query($query, $link) : false;
}

function mysql_unbuffered_query($query, $link = null)
{
    return mysql_query($query, $link);
}

function mysql_error($link = null)
{
    $l = __compat_link($link);
    return $l ? mysqli_error($l) : $GLOBALS['__compat_connect_error'];
}

function mysql_errno($link = null)
{
    $l = __compat_link($link);
    return $l ? mysqli_errno($l) : $GLOBALS['__compat_connect_errno'];
}

function mysql_insert_id($link = null)
{
    $l = __compat_link($link);
    return $l ? mysqli_insert_id($l) : false;
}

function mysql_affected_rows($link = null)
{
    $l = __compat_link($link);
    return $l ? mysqli_affected_rows($l) : -1;
}

function mysql_escape_string($unescaped_string)
{
    $l = __compat_link();
    if ($l) {
        return mysqli_real_escape_string($l, (string)$unescaped_string);
    }
    return addslashes((string)$unescaped_string);
}

function mysql_real_escape_string($unescaped_string, $link = null)
{
    $l = __compat_link($link);
    if ($l) {
        return mysqli_real_escape_string($l, (string)$unescaped_string);
    }
    return addslashes((string)$unescaped_string);
}

function mysql_fetch_row($result)
{
    $r = __compat_result($result);
    if (!$r) {
        return false;
    }
    $row = mysqli_fetch_row($r);
    return $row === null ? false : $row;
}

function mysql_fetch_assoc($result)
{
    $r = __compat_result($result);
    if (!$r) {
        return false;
    }
    $row = mysqli_fetch_assoc($r);
    return $row === null ? false : $row;
}

function mysql_fetch_array($result, $result_type = MYSQL_BOTH)
{
    $r = __compat_result($result);
    if (!$r) {
        return false;
    }
    $mode = MYSQLI_BOTH;
    if ($result_type == MYSQL_ASSOC) {
        $mode = MYSQLI_ASSOC;
    } elseif ($result_type == MYSQL_NUM) {
        $mode = MYSQLI_NUM;
    }
    $row = mysqli_fetch_array($r, $mode);
    return $row === null ? false : $row;
}

function mysql_fetch_object($result)
{
    $r = __compat_result($result);
    if (!$r) {
        return false;
    }
    $row = mysqli_fetch_object($r);
    return $row === null ? false : $row;
}

function mysql_num_rows($result)
{
    $r = __compat_result($result);
    return $r ? mysqli_num_rows($r) : false;
}

function mysql_num_fields($result)
{
    $r = __compat_result($result);
    return $r ? mysqli_num_fields($r) : false;
}

function mysql_data_seek($result, $row_number)
{
    $r = __compat_result($result);
    return $r ? mysqli_data_seek($r, (int)$row_number) : false;
}

function mysql_result($result, $row, $field = 0)
{
    $r = __compat_result($result);
    if (!$r || !mysqli_data_seek($r, (int)$row)) {
        return false;
    }
    $data = mysqli_fetch_array($r, MYSQLI_BOTH);
    if ($data === null) {
        return false;
    }
    if (is_string($field) && strpos($field, '.') !== false && !array_key_exists($field, $data)) {
        $field = substr($field, strrpos($field, '.') + 1);
    }
    return array_key_exists($field, $data) ? $data[$field] : false;
}

function mysql_free_result($result)
{
    $r = __compat_result($result);
    if ($r) {
        mysqli_free_result($r);
        return true;
    }
    return false;
}

function __compat_field($result, $field_offset)
{
    $r = __compat_result($result);
    if (!$r) {
        return false;
    }
    return @mysqli_fetch_field_direct($r, (int)$field_offset);
}

function mysql_field_name($result, $field_offset)
{
    $f = __compat_field($result, $field_offset);
    return $f ? $f->name : false;
}

function mysql_field_table($result, $field_offset)
{
    $f = __compat_field($result, $field_offset);
    return $f ? $f->table : false;
}

function mysql_field_len($result, $field_offset)
{
    $f = __compat_field($result, $field_offset);
    return $f ? $f->length : false;
}

// The type names of the old client library.
function mysql_field_type($result, $field_offset)
{
    $f = __compat_field($result, $field_offset);
    if (!$f) {
        return false;
    }
    switch ($f->type) {
        case MYSQLI_TYPE_TINY:
        case MYSQLI_TYPE_SHORT:
        case MYSQLI_TYPE_LONG:
        case MYSQLI_TYPE_LONGLONG:
        case MYSQLI_TYPE_INT24:
            return 'int';
        case MYSQLI_TYPE_FLOAT:
        case MYSQLI_TYPE_DOUBLE:
        case MYSQLI_TYPE_DECIMAL:
        case MYSQLI_TYPE_NEWDECIMAL:
            return 'real';
        case MYSQLI_TYPE_TIMESTAMP:
            return 'timestamp';
        case MYSQLI_TYPE_YEAR:
            return 'year';
        case MYSQLI_TYPE_DATE:
        case MYSQLI_TYPE_NEWDATE:
            return 'date';
        case MYSQLI_TYPE_TIME:
            return 'time';
        case MYSQLI_TYPE_DATETIME:
            return 'datetime';
        case MYSQLI_TYPE_TINY_BLOB:
        case MYSQLI_TYPE_MEDIUM_BLOB:
        case MYSQLI_TYPE_LONG_BLOB:
        case MYSQLI_TYPE_BLOB:
            return 'blob';
        case MYSQLI_TYPE_NULL:
            return 'null';
        case MYSQLI_TYPE_GEOMETRY:
            return 'geometry';
        case MYSQLI_TYPE_VAR_STRING:
        case MYSQLI_TYPE_STRING:
        case MYSQLI_TYPE_ENUM:
        case MYSQLI_TYPE_SET:
        default:
            return 'string';
    }
}

// POSIX extended expressions as PCRE: the whole subject is one line ('.'
// matches a line feed, '^' and '$' only at the ends), and the delimiter is
// a character that no pattern holds.
function __compat_regex($pattern, $icase)
{
    return "\x01" . str_replace("\x01", "\\x01", (string)$pattern) . "\x01s" . ($icase ? 'i' : '');
}

function __compat_ereg($pattern, $string, &$regs, $icase)
{
    $n = preg_match(__compat_regex($pattern, $icase), (string)$string, $m);
    if (!$n) {
        $regs = array();
        return false;
    }
    $regs = array();
    for ($i = 0; $i < 10 || $i < count($m); $i++) {
        $regs[$i] = (isset($m[$i]) && $m[$i] !== '') ? $m[$i] : false;
    }
    $len = strlen($m[0]);
    return $len > 0 ? $len : 1;
}

function ereg($pattern, $string, &$regs = null)
{
    return __compat_ereg($pattern, $string, $regs, false);
}

function eregi($pattern, $string, &$regs = null)
{
    return __compat_ereg($pattern, $string, $regs, true);
}

// ereg_replace knows back references \0 to \9 only; every '$' is literal.
function __compat_replacement($replacement)
{
    return str_replace('$', '\\$', (string)$replacement);
}

function ereg_replace($pattern, $replacement, $string)
{
    return preg_replace(__compat_regex($pattern, false), __compat_replacement($replacement), (string)$string);
}

function eregi_replace($pattern, $replacement, $string)
{
    return preg_replace(__compat_regex($pattern, true), __compat_replacement($replacement), (string)$string);
}

function split($pattern, $string, $limit = -1)
{
    return preg_split(__compat_regex($pattern, false), (string)$string, $limit === null ? -1 : $limit);
}

function spliti($pattern, $string, $limit = -1)
{
    return preg_split(__compat_regex($pattern, true), (string)$string, $limit === null ? -1 : $limit);
}

function get_magic_quotes_gpc()
{
    return false;
}

function get_magic_quotes_runtime()
{
    return false;
}

$HTTP_SERVER_VARS = $_SERVER;
$HTTP_GET_VARS = $_GET;
$HTTP_POST_VARS = $_POST;
$HTTP_POST_FILES = $_FILES;
$HTTP_COOKIE_VARS = $_COOKIE;
$HTTP_ENV_VARS = $_ENV;
