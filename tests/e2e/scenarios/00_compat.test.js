'use strict';
// The compatibility file that every generated application carries, run by
// PHP itself against the suite's MariaDB: the old MySQL client functions,
// the POSIX expression functions, the old request arrays and the reporting
// the pages were written for. Each case is a piece of PHP whose printed
// JSON is compared; PHP must print no message unless the case says so.
const { test, before } = require('node:test');
const { spawnSync } = require('node:child_process');
const path = require('node:path');
const h = require('../lib/harness');
const { assert } = h;

const DB = 'compat_e2e';

const prelude = String.raw`
include getenv('COMPAT');
function out($v) { echo json_encode($v); }
function db() {
  $l = mysql_connect(getenv('DB_SERVER'), getenv('DB_USER'), getenv('DB_PASS'));
  mysql_select_db(getenv('DB_NAME'), $l);
  return $l;
}
`;

// Runs PHP code after the prelude; gives its JSON output and its messages.
function php(code, { before: head = '', env = {} } = {}) {
  const r = spawnSync('php', ['-d', 'display_errors=stderr', '-d', 'error_reporting=E_ALL', '-d', 'log_errors=Off',
    '-d', 'html_errors=Off', '-r', head + prelude + code], {
    encoding: 'utf8',
    env: {
      ...process.env,
      COMPAT: path.join(h.cfg.app, 'compat.php'),
      DB_SERVER: `${h.cfg.db.host}:${h.cfg.db.port}`,
      DB_USER: h.cfg.db.user,
      DB_PASS: h.cfg.db.pass,
      DB_NAME: DB,
      ...env,
    },
  });
  assert.equal(r.status, 0, `PHP ended with ${r.status}:\n${r.stdout}\n${r.stderr}`);
  const messages = r.stderr.split('\n').filter((l) => l.trim() !== '');
  return { value: r.stdout === '' ? undefined : JSON.parse(r.stdout), messages };
}

// PHP code whose output must equal the expected value, with no message.
function same(code, expected) {
  const { value, messages } = php(code);
  assert.deepEqual(messages, [], 'PHP printed no message');
  assert.deepEqual(value, expected);
}

before(() => {
  same(String.raw`
    $l = mysql_connect(getenv('DB_SERVER'), getenv('DB_USER'), getenv('DB_PASS'));
    mysql_query("drop database if exists ${DB}");
    mysql_query("create database ${DB}");
    mysql_select_db('${DB}');
    out(array(
      mysql_query("create table t (id int unsigned not null auto_increment primary key, name varchar(30),
        price decimal(10,2), amount double, born date, seen datetime, at time, stamp timestamp null, yr year,
        notes text, pic blob, kind enum('a','b'), flags set('x','y'), tiny tinyint, big bigint) default charset=latin1"),
      mysql_query("insert into t (name, price, born, tiny) values ('one', 1.50, '2020-01-02', 7), ('two', NULL, NULL, NULL)")));
  `, [true, true]);
});

test('connect: one link per set of credentials, a new one on request', () => {
  same(String.raw`
    $a = mysql_connect(getenv('DB_SERVER'), getenv('DB_USER'), getenv('DB_PASS'));
    $b = mysql_connect(getenv('DB_SERVER'), getenv('DB_USER'), getenv('DB_PASS'));
    $c = mysql_connect(getenv('DB_SERVER'), getenv('DB_USER'), getenv('DB_PASS'), true);
    out(array(is_object($a), $a === $b, $a === $c));
  `, [true, true, false]);
});

test('a failed connect gives false and the server\'s text through mysql_error', () => {
  same(String.raw`
    $r = mysql_connect(getenv('DB_SERVER'), getenv('DB_USER'), 'wrong password');
    out(array($r, strpos(mysql_error(), "Access denied for user '" . getenv('DB_USER') . "'") === 0, mysql_errno()));
  `, [false, true, 1045]);
});

test('select db: a missing database fails with the server\'s text', () => {
  same(String.raw`
    db();
    out(array(mysql_select_db('compat_none'), mysql_error(), mysql_select_db('${DB}'), mysql_error()));
  `, [false, "Unknown database 'compat_none'", true, '']);
});

test('fetch as row and assoc: every value a string, NULL as null, false after the last row', () => {
  same(String.raw`
    db();
    $r = mysql_query("select id, name, price, born, tiny from t order by id");
    out(array(mysql_num_rows($r), mysql_num_fields($r), mysql_fetch_row($r), mysql_fetch_assoc($r), mysql_fetch_row($r)));
  `, [2, 5, ['1', 'one', '1.50', '2020-01-02', '7'], { id: '2', name: 'two', price: null, born: null, tiny: null }, false]);
});

test('fetch as array: both kinds of key by default, or numbers, or names', () => {
  same(String.raw`
    db();
    $q = "select id, name from t where id = 1";
    out(array(mysql_fetch_array(mysql_query($q)), mysql_fetch_array(mysql_query($q), MYSQL_NUM),
      mysql_fetch_array(mysql_query($q), MYSQL_ASSOC), mysql_fetch_array(mysql_query($q), MYSQL_BOTH)));
  `, [{ 0: '1', id: '1', 1: 'one', name: 'one' }, ['1', 'one'], { id: '1', name: 'one' }, { 0: '1', id: '1', 1: 'one', name: 'one' }]);
});

test('insert id and affected rows', () => {
  same(String.raw`
    db();
    mysql_query("create temporary table w (id int auto_increment primary key, v int)");
    mysql_query("insert into w (v) values (1), (2), (3)");
    $first = mysql_insert_id(); $inserted = mysql_affected_rows();
    mysql_query("insert into w (v) values (4)");
    $next = mysql_insert_id();
    mysql_query("update w set v = v + 1 where v >= 2"); $updated = mysql_affected_rows();
    mysql_query("delete from w where v = 99"); $deleted = mysql_affected_rows();
    out(array($first, $inserted, $next, $updated, $deleted));
  `, [1, 3, 4, 3, 0]);
});

test('a failing query gives false and the error text, never an exception', () => {
  same(String.raw`
    db();
    $bad = mysql_query("selec nothing");
    $text = mysql_error(); $number = mysql_errno();
    $missing = mysql_query("select * from no_such_table");
    $missingText = mysql_error();
    $empty = mysql_query("");
    out(array($bad, strpos($text, 'You have an error in your SQL syntax') === 0, $number,
      $missing, $missingText, $empty, mysql_error(), mysql_fetch_row($bad), mysql_num_rows($bad)));
  `, [false, true, 1064, false, `Table '${DB}.no_such_table' doesn't exist`, false, 'Query was empty', false, false]);
});

test('field names and types by the old names', () => {
  same(String.raw`
    db();
    $r = mysql_query("select * from t limit 1");
    $f = array();
    for ($i = 0; $i < mysql_num_fields($r); $i++)
      $f[] = mysql_field_name($r, $i) . ' ' . mysql_field_type($r, $i);
    $f[] = mysql_field_name($r, 99);
    $f[] = mysql_field_type($r, -1);
    out($f);
  `, ['id int', 'name string', 'price real', 'amount real', 'born date', 'seen datetime', 'at time',
    'stamp timestamp', 'yr year', 'notes blob', 'pic blob', 'kind string', 'flags string', 'tiny int', 'big int',
    false, false]);
});

test('statements are read as latin1; results come as the pages\' text, a letter it lacks as its reference', () => {
  same(String.raw`
    db();
    mysql_query("create temporary table c (id int, s varchar(20) charset utf8mb4, l varchar(20) charset latin1, b varbinary(4))");
    mysql_query("insert into c values (1, 'Caf\xe9 \x80\x81', 'Caf\xe9 &#321; \x81', 'a\xff')");
    mysql_query("insert into c (id, s) values (2, _utf8mb4 X'c581f09f9880e69db1')");
    $q = mysql_query("select s, hex(s), l, hex(l), b, id as 'N\xfc' from c order by id");
    $r = mysql_fetch_row($q);
    $first = array(bin2hex($r[0]), $r[1], bin2hex($r[2]), $r[3], bin2hex($r[4]));
    $second = mysql_fetch_array($q, MYSQL_ASSOC);
    $c = mysql_fetch_row(mysql_query("select @@character_set_client, @@character_set_connection, @@character_set_results"));
    out(array($first, $second['s'], $second['hex(s)'], bin2hex(mysql_field_name($q, 5)), $c));
  `, [['436166e9208081', '436166C3A920E282ACC281', '436166e92026233332313b2081', '436166E92026233332313B2081', '61ff'],
    '&#321;&#128512;&#26481;', 'C581F09F9880E69DB1', '4efc', ['latin1', 'latin1', 'utf8mb4']]);
});

test('every byte of the pages\' text is stored and read back as itself, in a latin1 and a utf8mb4 column', () => {
  same(String.raw`
    db();
    mysql_query("create temporary table a (l text charset latin1, u text charset utf8mb4)");
    $all = ''; for ($i = 1; $i < 256; $i++) $all .= chr($i);
    mysql_query("insert into a values ('" . addslashes($all) . "', '" . addslashes($all) . "')");
    $r = mysql_fetch_row(mysql_query("select l, u, hex(l), l = convert(u using latin1), char_length(u) from a"));
    out(array($r[0] === $all, $r[1] === $all, $r[2] === strtoupper(bin2hex($all)), $r[3], $r[4]));
  `, [true, true, true, '1', '255']);
});

// A value for a utf8mb4 column gets the letters that the browser posted as
// references, a utf8mb3 one those of the basic plane; a latin1 column and
// reference text in any other form keep the text. The mark survives the
// escaping, which no request text can forge, and never ends a quoted text.
test('a marked reference is stored as its letter where the column holds it, and never ends a quoted text', () => {
  same(String.raw`
    db();
    mysql_query("create temporary table m (id int, u varchar(30) charset utf8mb4, t varchar(30) charset utf8mb3, l varchar(30) charset latin1)");
    $posted = array("&#321;\xf3d&#378; &#128512;", "&#233;&#39;&#x27;&#0321; it's", "\\&#321;' or '1'='1", "a\\'&#321;%_");
    foreach ($posted as $i => $v) {
      $e = addslashes($v);
      mysql_query("insert into m values ($i, '" . compat_server_text($e, 'utf8mb4') . "', '" . compat_server_text($e, 'utf8mb3')
        . "', '" . compat_server_text($e, 'latin1') . "')");
    }
    $rows = array();
    $q = mysql_query("select u, hex(u), hex(t), hex(l) from m order by id");
    while ($r = mysql_fetch_row($q)) $rows[] = array(bin2hex($r[0]), $r[1], $r[2], $r[3]);
    $found = mysql_fetch_row(mysql_query("select group_concat(id) from m where u like '%" . compat_server_text(addslashes("&#321;\xf3"), 'utf8mb4')
      . "%' or l like '%" . compat_server_text(addslashes("\\&#321;'"), 'latin1') . "%' or t = '" . compat_server_text(addslashes("a\\'&#321;%_"), 'utf8mb3') . "'"));
    out(array($rows, $found, mysql_error(), bin2hex(compat_letters(compat_server_text(addslashes("\\&#321;&#233;'"), 'utf8mb4')))));
  `, [[
    ['26233332313bf36426233337383b2026233132383531323b', 'C581C3B364C5BA20F09F9880', 'C581C3B364C5BA2026233132383531323B',
      '26233332313BF36426233337383B2026233132383531323B'],
    ['26233233333b262333393b26237832373b2623303332313b2069742773', '26233233333B262333393B26237832373B2623303332313B2069742773',
      '26233233333B262333393B26237832373B2623303332313B2069742773', '26233233333B262333393B26237832373B2623303332313B2069742773'],
    ['5c26233332313b27206f72202731273d2731', '5CC58127206F72202731273D2731', '5CC58127206F72202731273D2731', '5C26233332313B27206F72202731273D2731'],
    ['615c2726233332313b255f', '615C27C581255F', '615C27C581255F', '615C2726233332313B255F'],
  ], ['0,2,3'], '', '5c3f26233233333b27']);
});

test('close ends the link; the next connect opens a new one; no link fails quietly', () => {
  same(String.raw`
    $a = db();
    $closed = mysql_close();
    $none = mysql_query("select 1");
    $b = db();
    out(array($closed, $none, $a === $b, mysql_fetch_row(mysql_query("select 1")), mysql_close($b), mysql_close()));
  `, [true, false, false, ['1'], true, false]);
});

test('eregi and ereg with the upload check of the generated code', () => {
  same(String.raw`
    $r = array();
    foreach (array('photo.JPG', 'x.php', 'a.jpg.php', 'b.jpeg', 'my photo.Png', 'gif', "c.gif\n") as $name) {
      $ft = 'untouched';
      $m = eregi('\.(' . 'jpg|jpeg|gif|png' . ')$', $name, $ft);
      $r[] = array($m, $m ? array($ft[0], $ft[1], count($ft)) : $ft);
    }
    $r[] = eregi('^[a-z]+$', 'ABC');
    $r[] = ereg('^[a-z]+$', 'ABC');
    $r[] = array(ereg('b*', 'abc', $empty), $empty);
    $r[] = array(ereg('(a)(x)?', 'ab', $groups), $groups);
    out($r);
  `, [[4, ['.JPG', 'JPG', 2]], [false, 'untouched'], [false, 'untouched'], [5, ['.jpeg', 'jpeg', 2]],
    [4, ['.Png', 'Png', 2]], [false, 'untouched'], [false, 'untouched'], 1, false, [1, [false]], [1, ['a', 'a', false]]]);
});

test('eregi_replace with the patterns of the generated code; ereg_replace back references', () => {
  same(String.raw`
    out(array(
      eregi_replace(" WHERE ", " where ", "SELECT a FROM t WhErE x=1 wHeRe"),
      eregi_replace("SELECT ", "select ", "Select a, SELECT b"),
      eregi_replace(" FROM ", " from ", "select a From t"),
      eregi_replace(" AS ", " as ", "select a As b"),
      eregi_replace("^select .* from ", "select count(1) from ", "select a,\nb from t where c order by a"),
      eregi_replace(" order by .*$", "", "select count(1) from t Order By a desc\nlimit 1"),
      eregi_replace(" order by .*$", "", "select count(1) from t"),
      ereg_replace('([a-z]+)=([0-9]+)', '\2=\1 $1 \x \\', 'a=1 b=22'),
      ereg_replace('x', 'y', 'aXa')));
  `, ['SELECT a FROM t where x=1 wHeRe', 'select a, select b', 'select a from t', 'select a as b',
    'select count(1) from t where c order by a', 'select count(1) from t', 'select count(1) from t',
    '1=a $1 \\x \\ 22=b $1 \\x \\', 'aXa']);
});

test('get_magic_quotes_gpc() is false and the old request arrays are the new ones', () => {
  same(String.raw`
    out(array(get_magic_quotes_gpc(), $HTTP_GET_VARS === $_GET, $HTTP_POST_VARS === $_POST,
      $HTTP_POST_FILES === $_FILES, $HTTP_COOKIE_VARS === $_COOKIE, $HTTP_SERVER_VARS === $_SERVER,
      isset($HTTP_SERVER_VARS['REQUEST_TIME'])));
  `, [false, true, true, true, true, true, true]);
});

test('reads of absent keys and variables and deprecations are quiet, every other message is reported', () => {
  const { value, messages } = php(String.raw`
    $a = array(); $n = null; $f = false; $t = true; $s = 'ab';
    $quiet = $a['none'] . $a[3] . $nothing . $n['k'] . $f[0] . $t[0] . $s[5] . strlen(null) . $GLOBALS['nowhere'];
    trigger_error('still reported', E_USER_WARNING);
    $h = fopen('/nonexistent/compat', 'r');
    error_reporting(E_ALL ^ E_NOTICE);
    trigger_error('a notice', E_USER_NOTICE);
    echo $a['again'];
    $int = 5; $x = $int['key'];
    out($quiet);
  `);
  assert.equal(value, '0');
  const shown = messages.map((m) => m.replace(/ in Command line code on line \d+$/, ''));
  assert.deepEqual(shown.slice(0, 3), [
    'Warning: still reported',
    'Warning: fopen(/nonexistent/compat): Failed to open stream: No such file or directory',
    'Notice: a notice',
  ]);
  // In the words of the PHP that runs this: 8.3 and later name the value.
  assert.match(shown[3], /^Warning: Trying to access array offset on (value of type )?int$/);
  assert.equal(shown.length, 4, shown.join('\n'));
});

// PHP 8.3 changed the words of a key read on a value that is no array
// ("on value of type bool" became "on false"): whichever PHP runs this,
// the reporting judges the messages of both alike.
test('a key read on null, false or true is quiet in the words of PHP 8.2 and of 8.3 and later', () => {
  const cases = [
    // [level, message, quiet]
    ['E_WARNING', 'Trying to access array offset on value of type null', true],
    ['E_WARNING', 'Trying to access array offset on value of type bool', true],
    ['E_WARNING', 'Trying to access array offset on value of type int', false],
    ['E_WARNING', 'Trying to access array offset on value of type float', false],
    ['E_WARNING', 'Trying to access array offset on null', true],
    ['E_WARNING', 'Trying to access array offset on false', true],
    ['E_WARNING', 'Trying to access array offset on true', true],
    ['E_WARNING', 'Trying to access array offset on int', false],
    ['E_WARNING', 'Trying to access array offset on float', false],
    ['E_WARNING', 'Trying to access array offset on resource', false],
    ['E_USER_WARNING', 'Trying to access array offset on false', false],
  ];
  const { value, messages } = php(String.raw`
    $verdicts = array();
    foreach (json_decode(getenv('CASES')) as $c)
      $verdicts[] = array($c[0], $c[1], compat_report(constant($c[0]), $c[1]));
    out($verdicts);
  `, { env: { CASES: JSON.stringify(cases) } });
  assert.deepEqual(messages, []);
  assert.deepEqual(value, cases);
});

test('where PHP still has a function, the file leaves it and its whole group alone', () => {
  const { value, messages } = php(String.raw`
    out(array(mysql_connect(), ereg(), get_magic_quotes_gpc(), $HTTP_GET_VARS,
      function_exists('mysql_query'), function_exists('eregi_replace')));
  `, {
    before: String.raw`
      function mysql_connect() { return 'own'; }
      function ereg() { return 'own'; }
      function get_magic_quotes_gpc() { return 'own'; }
      $HTTP_GET_VARS = array('own');
    `,
  });
  assert.deepEqual(messages, []);
  assert.deepEqual(value, ['own', 'own', 'own', ['own'], false, false]);
});
