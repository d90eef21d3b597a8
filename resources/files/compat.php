<?php
	// The generated pages are written for the PHP of their time: the mysql_*
	// client functions, the POSIX ereg family, get_magic_quotes_gpc() and the
	// $HTTP_*_VARS arrays, with notices not shown. Today's PHP has none of
	// these. This file supplies each of them where PHP lacks it, over mysqli
	// and preg, and leaves PHP alone where it still has them. language.php
	// includes it first, so that every page has it before its own code runs.
	// It keeps to the syntax that old PHP parses.

	// Reporting. The pages read request values and array keys that may be
	// absent, and old PHP said nothing about that (a notice at most, which the
	// pages switch off); PHP 8 warns. Those reads and PHP's deprecation notices
	// about the old idioms are not shown; every other message goes on to PHP,
	// which reports it as its settings say. A key read on null, false or true
	// is such a read (PHP 8.3 names the value, "on false", where 8.2 named
	// its type, "on value of type bool"); one on a number is a fault.
	function compat_report($level, $message)
	{
		if (defined('E_DEPRECATED') && $level == E_DEPRECATED)
			return true;
		if (($level == E_WARNING || $level == E_NOTICE)
			&& preg_match('/^(Undefined (global )?variable|Undefined (array key|index|offset)|Uninitialized string offset|Trying to access array offset on (value of type (null|bool)|null|false|true)$)/', $message))
			return true;
		return false;
	}
	set_error_handler('compat_report', E_WARNING | E_NOTICE | (defined('E_DEPRECATED') ? E_DEPRECATED : 0));
	// An opcode cache compiles a script without that handler, so that what
	// PHP deprecates in the syntax of the scripts included from here on
	// would show on the first request after every change: they are compiled
	// as they are included instead.
	ini_set('opcache.enable', '0');

	// No page of the application may be shown inside a frame of another
	// site: a click there on insert, update or delete would come from this
	// site's own page.
	if (!headers_sent())
		header('X-Frame-Options: SAMEORIGIN');

	// The request arrays under their old names. The new ones are named here
	// as they are: PHP fills $_SERVER and $_ENV only for code that names them.
	foreach (array('HTTP_GET_VARS' => $_GET, 'HTTP_POST_VARS' => $_POST, 'HTTP_POST_FILES' => $_FILES,
			'HTTP_COOKIE_VARS' => $_COOKIE, 'HTTP_SERVER_VARS' => $_SERVER, 'HTTP_ENV_VARS' => $_ENV)
			as $compat_name => $compat_values) {
		if (!isset($GLOBALS[$compat_name]))
			$GLOBALS[$compat_name] = $compat_values;
	}
	unset($compat_name, $compat_values);

	// Request values arrive as they were sent: there are no magic quotes.
	if (!function_exists('get_magic_quotes_gpc')) {
		function get_magic_quotes_gpc()
		{
			return false;
		}
	}

	// Text between the pages and the server. The pages are windows-1252, and
	// a browser posts a letter that code page lacks as its decimal character
	// reference (&#321;). The connection reads statements as latin1, the
	// server's name for that code page, so that a latin1 column stores and
	// compares every byte as it always did; results come as utf8mb4 and are
	// turned back into the pages' text here, a letter the code page lacks as
	// its reference, so that a letter of any column is shown as itself.
	// A value bound for a column whose character set holds such a letter
	// (utf8mb4; utf8mb3 for one of the basic plane) stores the letter
	// itself: compat_server_text() marks its reference in the escaped value
	// with a backslash of its own, which no escaped request text has (the
	// escaping doubles every backslash), and mysql_query() sends each quoted
	// text with such a mark as a utf8mb4 literal. A mark that reached the
	// server unsent would only be the reference again ("\&" is "&").

	// The server's latin1: windows-1252, its five holes taken by the C1
	// controls of the same numbers.
	function compat_latin1_points()
	{
		static $points = null;
		if ($points === null) {
			$points = array(0x20AC, 0x81, 0x201A, 0x192, 0x201E, 0x2026, 0x2020, 0x2021, 0x2C6, 0x2030, 0x160, 0x2039,
				0x152, 0x8D, 0x17D, 0x8F, 0x90, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x2DC, 0x2122,
				0x161, 0x203A, 0x153, 0x9D, 0x17E, 0x178);
		}
		return $points;
	}

	function compat_utf8($point)
	{
		if ($point < 0x80)
			return chr($point);
		if ($point < 0x800)
			return chr(0xC0 | ($point >> 6)) . chr(0x80 | ($point & 0x3F));
		if ($point < 0x10000)
			return chr(0xE0 | ($point >> 12)) . chr(0x80 | (($point >> 6) & 0x3F)) . chr(0x80 | ($point & 0x3F));
		return chr(0xF0 | ($point >> 18)) . chr(0x80 | (($point >> 12) & 0x3F)) . chr(0x80 | (($point >> 6) & 0x3F))
			. chr(0x80 | ($point & 0x3F));
	}

	// The pages' bytes in UTF-8, as the server converts its latin1, and back
	function &compat_latin1_table($to_utf8)
	{
		static $tables = null;
		if ($tables === null) {
			$tables = array(array(), array());
			$points = compat_latin1_points();
			for ($byte = 0x80; $byte < 0x100; $byte++) {
				$utf8 = compat_utf8($byte < 0xA0 ? $points[$byte - 0x80] : $byte);
				$tables[1][chr($byte)] = $utf8;
				$tables[0][$utf8] = chr($byte);
			}
		}
		return $tables[$to_utf8 ? 1 : 0];
	}

	// Whether the pages' text can carry the letter only as its reference
	function compat_needs_reference($point)
	{
		return $point > 0xFF && !in_array($point, compat_latin1_points())
			|| ($point >= 0x80 && $point < 0xA0 && !in_array($point, array(0x81, 0x8D, 0x8F, 0x90, 0x9D)));
	}

	function compat_page_letter($m)
	{
		$table =& compat_latin1_table(false);
		if (isset($table[$m[0]]))
			return $table[$m[0]];
		$bytes = array_values(unpack('C*', $m[0]));
		$point = $bytes[0] & (0xFF >> (count($bytes) + 1));
		for ($i = 1; $i < count($bytes); $i++)
			$point = ($point << 6) | ($bytes[$i] & 0x3F);
		return '&#' . $point . ';';
	}

	// Text the server sent as UTF-8, in the pages' code page
	function compat_page_text($text)
	{
		$state =& compat_text_state();
		if (!$state['sent'] || !is_string($text) || !preg_match('/[\x80-\xFF]/', $text))
			return $text;
		$page = preg_replace_callback('/[\xC0-\xF7][\x80-\xBF]*/', 'compat_page_letter', $text);
		return $page === null ? $text : $page;
	}

	// Marks the references of letters that a column of the character set
	// holds in a value escaped for a quoted SQL text.
	function compat_mark_letter($m)
	{
		$point = intval($m[1]);
		$state =& compat_text_state();
		if (compat_needs_reference($point) && $point <= $state['limit'] && ($point < 0xD800 || $point > 0xDFFF))
			return '\\' . $m[0];
		return $m[0];
	}

	function &compat_text_state()
	{
		static $state = array('sent' => false, 'limit' => 0);
		return $state;
	}

	function compat_server_text($escaped, $charset)
	{
		$state =& compat_text_state();
		$limits = array('utf8mb4' => 0x10FFFF, 'utf8mb3' => 0xFFFF, 'utf8' => 0xFFFF);
		if (!$state['sent'] || !isset($limits[strtolower((string)$charset)]) || strpos((string)$escaped, '&#') === false)
			return $escaped;
		$state['limit'] = $limits[strtolower((string)$charset)];
		return preg_replace_callback('/&#([1-9][0-9]{0,6});/', 'compat_mark_letter', (string)$escaped);
	}

	// The text that an escaped value stands for, each marked letter as one
	// character: the length a column counts.
	function compat_letters($escaped)
	{
		return preg_replace_callback('/\\\\(&#[0-9]+;|.)/s', 'compat_unescaped_letter', (string)$escaped);
	}

	function compat_unescaped_letter($m)
	{
		if (strlen($m[1]) > 1)
			return '?';
		return $m[1] == '0' ? "\0" : $m[1];
	}

	// A quoted text of a statement whose value holds a marked letter, as a
	// utf8mb4 literal: its escapes read as the server reads them ("\%" and
	// "\_" keep their backslash, for a pattern), its bytes as latin1.
	function compat_literal_piece($m)
	{
		if ($m[1] == '')
			return strtr($m[0], compat_latin1_table(true));
		$escapes = array('0' => "\0", 'b' => "\x08", 'n' => "\n", 'r' => "\r", 't' => "\t", 'Z' => "\x1A",
			'%' => '\\%', '_' => '\\_');
		if (strlen($m[1]) > 1)
			return compat_utf8(intval(substr($m[1], 2)));
		return isset($escapes[$m[1]]) ? $escapes[$m[1]] : $m[1];
	}

	function compat_literal($m)
	{
		if (!isset($m[1]) || !preg_match_all('/\\\\(&#[0-9]+;|.)/s', $m[1], $escapes) || !preg_grep('/^&/', $escapes[1]))
			return $m[0];
		$value = preg_replace_callback('/\\\\(&#[0-9]+;|.)|()[^\\\\]+/s', 'compat_literal_piece', $m[1]);
		return "_utf8mb4 X'" . bin2hex($value) . "'";
	}

	function compat_statement($query)
	{
		if (strpos($query, '\\&#') === false)
			return $query;
		$sent = preg_replace_callback('/\'((?:[^\'\\\\]++|\\\\.)*+)\'|"(?:[^"\\\\]++|\\\\.)*+"|`[^`]*+`/s', 'compat_literal', $query);
		return $sent === null ? $query : $sent;
	}

	// The MySQL client functions over mysqli. As before: one link per set of
	// credentials, reused by later connects; the last link connected is the
	// default of every call without one; values come as strings (NULL as
	// null); failures give false and their text through mysql_error(), never
	// an exception; statements are read as latin1 and results come as the
	// pages' text (above).
	if (!function_exists('mysql_connect')) {
		if (!defined('MYSQL_ASSOC')) {
			define('MYSQL_ASSOC', 1);
			define('MYSQL_NUM', 2);
			define('MYSQL_BOTH', 3);
		}
		if (function_exists('mysqli_report'))
			mysqli_report(MYSQLI_REPORT_OFF);

		// The links by "server|user|password", the default link and the
		// outcome of the last connect.
		function &compat_mysql()
		{
			static $state = array('links' => array(), 'default' => null, 'error' => '', 'errno' => 0);
			return $state;
		}

		function compat_link($link)
		{
			$state =& compat_mysql();
			return is_object($link) ? $link : $state['default'];
		}

		function compat_result($result)
		{
			return is_object($result) ? $result : null;
		}

		function mysql_connect($server = null, $username = null, $password = null, $new_link = false, $client_flags = 0)
		{
			$state =& compat_mysql();
			$key = $server . '|' . $username . '|' . $password;
			if (!$new_link && isset($state['links'][$key])) {
				$state['default'] = $state['links'][$key];
				return $state['default'];
			}
			// "host", "host:port", "host:/socket", ":/socket", "host:port:/socket"
			$host = (string)$server;
			$port = null;
			$socket = null;
			$colon = strpos($host, ':');
			if ($colon !== false) {
				$rest = substr($host, $colon + 1);
				$host = substr($host, 0, $colon);
				if (substr($rest, 0, 1) == '/') {
					$socket = $rest;
				} else {
					$port = intval($rest);
					$colon = strpos($rest, ':');
					if ($colon !== false)
						$socket = substr($rest, $colon + 1);
				}
			}
			$link = mysqli_init();
			if (defined('MYSQLI_OPT_INT_AND_FLOAT_NATIVE'))
				mysqli_options($link, MYSQLI_OPT_INT_AND_FLOAT_NATIVE, 0);
			if (!@mysqli_real_connect($link, $host == '' ? null : $host,
					$username === null ? null : (string)$username, $password === null ? null : (string)$password,
					null, $port ? $port : null, $socket, intval($client_flags))) {
				$state['error'] = mysqli_connect_error();
				$state['errno'] = mysqli_connect_errno();
				return false;
			}
			$state['error'] = '';
			$state['errno'] = 0;
			mysqli_set_charset($link, 'latin1');
			$text =& compat_text_state();
			$text['sent'] = @mysqli_query($link, "set character_set_results = utf8mb4") === true;
			$state['links'][$key] = $link;
			$state['default'] = $link;
			return $link;
		}

		function mysql_close($link = null)
		{
			$state =& compat_mysql();
			$l = compat_link($link);
			if (!$l)
				return false;
			foreach ($state['links'] as $key => $open) {
				if ($open === $l)
					unset($state['links'][$key]);
			}
			if ($state['default'] === $l)
				$state['default'] = null;
			return @mysqli_close($l);
		}

		function mysql_select_db($database_name, $link = null)
		{
			$l = compat_link($link);
			return $l ? @mysqli_select_db($l, (string)$database_name) : false;
		}

		function mysql_query($query, $link = null)
		{
			$l = compat_link($link);
			if (!$l)
				return false;
			// mysqli refuses an empty query before sending it; the server
			// answers it as it always did, with "Query was empty".
			$query = compat_statement((string)$query);
			return @mysqli_query($l, $query == '' ? ' ' : $query);
		}

		function mysql_error($link = null)
		{
			$state =& compat_mysql();
			$l = compat_link($link);
			return $l ? compat_page_text(mysqli_error($l)) : $state['error'];
		}

		function mysql_errno($link = null)
		{
			$state =& compat_mysql();
			$l = compat_link($link);
			return $l ? mysqli_errno($l) : $state['errno'];
		}

		function mysql_insert_id($link = null)
		{
			$l = compat_link($link);
			return $l ? mysqli_insert_id($l) : false;
		}

		function mysql_affected_rows($link = null)
		{
			$l = compat_link($link);
			return $l ? mysqli_affected_rows($l) : -1;
		}

		// What the last statement did, as the server tells it ("Rows
		// matched: 1  Changed: 0  Warnings: 0"); false when it tells nothing.
		function mysql_info($link = null)
		{
			$l = compat_link($link);
			$info = $l ? mysqli_info($l) : null;
			return $info === null ? false : $info;
		}

		function mysql_fetch_array($result, $result_type = MYSQL_BOTH)
		{
			$r = compat_result($result);
			if (!$r)
				return false;
			$mode = MYSQLI_BOTH;
			if ($result_type == MYSQL_ASSOC)
				$mode = MYSQLI_ASSOC;
			elseif ($result_type == MYSQL_NUM)
				$mode = MYSQLI_NUM;
			$row = mysqli_fetch_array($r, $mode);
			return $row === null ? false : compat_page_row($r, $row);
		}

		// A row's values and names in the pages' text; a binary column's
		// bytes as they are.
		function compat_page_row($result, $row)
		{
			$text =& compat_text_state();
			if (!$text['sent'] || !preg_match('/[\x80-\xFF]/', implode('', array_keys($row)) . implode('', $row)))
				return $row;
			$binary = array();
			foreach (mysqli_fetch_fields($result) as $i => $f) {
				$binary[$i] = $f->charsetnr == 63;
				$binary[$f->name] = $binary[$i];
			}
			$page = array();
			foreach ($row as $key => $value)
				$page[compat_page_text($key)] = $binary[$key] ? $value : compat_page_text($value);
			return $page;
		}

		function mysql_fetch_row($result)
		{
			return mysql_fetch_array($result, MYSQL_NUM);
		}

		function mysql_fetch_assoc($result)
		{
			return mysql_fetch_array($result, MYSQL_ASSOC);
		}

		function mysql_num_rows($result)
		{
			$r = compat_result($result);
			return $r ? mysqli_num_rows($r) : false;
		}

		function mysql_num_fields($result)
		{
			$r = compat_result($result);
			return $r ? mysqli_num_fields($r) : false;
		}

		function compat_field($result, $field_offset)
		{
			$r = compat_result($result);
			$i = intval($field_offset);
			if (!$r || $i < 0 || $i >= mysqli_num_fields($r))
				return false;
			return mysqli_fetch_field_direct($r, $i);
		}

		function mysql_field_name($result, $field_offset)
		{
			$f = compat_field($result, $field_offset);
			return $f ? compat_page_text($f->name) : false;
		}

		// The type names of the old client library.
		function mysql_field_type($result, $field_offset)
		{
			$f = compat_field($result, $field_offset);
			if (!$f)
				return false;
			switch ($f->type) {
			case MYSQLI_TYPE_STRING:
			case MYSQLI_TYPE_VAR_STRING:
				return 'string';
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
			case MYSQLI_TYPE_SET:
				return 'set';
			case MYSQLI_TYPE_ENUM:
				return 'enum';
			case MYSQLI_TYPE_GEOMETRY:
				return 'geometry';
			case MYSQLI_TYPE_DATETIME:
				return 'datetime';
			case MYSQLI_TYPE_TINY_BLOB:
			case MYSQLI_TYPE_MEDIUM_BLOB:
			case MYSQLI_TYPE_LONG_BLOB:
			case MYSQLI_TYPE_BLOB:
				return 'blob';
			case MYSQLI_TYPE_NULL:
				return 'null';
			}
			return 'unknown';
		}
	}

	// The POSIX expression functions over preg. The subject is one line to
	// them: "." matches a line feed, "^" and "$" only the ends of the text.
	if (!function_exists('ereg')) {
		function compat_pattern($pattern, $icase)
		{
			return "\x01" . str_replace("\x01", '\x01', (string)$pattern) . "\x01sD" . ($icase ? 'i' : '');
		}

		// Gives the length of the match, or 1 when it is empty or regs is not
		// wanted; regs gets the match and each group, false for one that is
		// empty or took no part, and is left alone when nothing matches.
		function compat_ereg($pattern, $string, &$regs, $wanted, $icase)
		{
			$flags = PREG_OFFSET_CAPTURE | (defined('PREG_UNMATCHED_AS_NULL') ? PREG_UNMATCHED_AS_NULL : 0);
			if (!preg_match(compat_pattern($pattern, $icase), (string)$string, $m, $flags))
				return false;
			if (!$wanted)
				return 1;
			$regs = array();
			for ($i = 0; $i < count($m); $i++)
				$regs[$i] = $m[$i][1] >= 0 && $m[$i][0] != '' ? $m[$i][0] : false;
			return strlen($m[0][0]) > 0 ? strlen($m[0][0]) : 1;
		}

		function ereg($pattern, $string, &$regs = null)
		{
			return compat_ereg($pattern, $string, $regs, func_num_args() > 2, false);
		}

		function eregi($pattern, $string, &$regs = null)
		{
			return compat_ereg($pattern, $string, $regs, func_num_args() > 2, true);
		}

		// The replacement knows "\0" to "\9" and nothing else: every other
		// backslash and every "$" stand for themselves.
		function compat_replacement($replacement)
		{
			$replacement = (string)$replacement;
			$out = '';
			for ($i = 0; $i < strlen($replacement); $i++) {
				$c = $replacement[$i];
				$next = $i + 1 < strlen($replacement) ? $replacement[$i + 1] : '';
				if ($c == '\\' && $next != '' && strpos('0123456789', $next) !== false) {
					$out .= '${' . $next . '}';
					$i++;
				} elseif ($c == '\\' || $c == '$') {
					$out .= '\\' . $c;
				} else {
					$out .= $c;
				}
			}
			return $out;
		}

		function compat_ereg_replace($pattern, $replacement, $string, $icase)
		{
			$replaced = preg_replace(compat_pattern($pattern, $icase), compat_replacement($replacement), (string)$string);
			return $replaced === null ? false : $replaced;
		}

		function ereg_replace($pattern, $replacement, $string)
		{
			return compat_ereg_replace($pattern, $replacement, $string, false);
		}

		function eregi_replace($pattern, $replacement, $string)
		{
			return compat_ereg_replace($pattern, $replacement, $string, true);
		}
	}
?>
