'use strict';
// The application of columns.tzx, a column of every type the program offers,
// judged by the database server itself. Each value of the tables below goes
// once into a scratch copy of its column under a strict session (what the
// server stores, or that it refuses the value) and once through the
// generated detail form, as an insert of a new record and as an update of a
// record that the columns hold. Where the server stores a value the
// application must store the same and show no message; where it refuses, the
// application must show its one message naming the field, and change
// nothing. Every table runs twice: with the server's default sql_mode and
// with the global sql_mode empty, under which a session that keeps the
// global mode stores, clipped or cut, much of what strict mode refuses.
const fs = require('node:fs');
const path = require('node:path');
const { spawn } = require('node:child_process');
const { test, describe, before, after } = require('node:test');
const h = require('../lib/harness');
const { multipart } = require('../lib/multipart');
const { assert } = h;

const b = h.useBrowser({ seed: false });

// ---------------------------------------------------------------- the server

// One client session for the whole file, through PHP's mysqli: thousands of
// statements, where a mariadb process per statement would cost tens of
// milliseconds each. A request is a list of statements; the answer gives for
// each its error, or its rows with every value as hex bytes (NULL as null).
// The session speaks latin1, or utf8mb4 as another program that fills a
// utf8mb4 table does.
const CLIENT = String.raw`
mysqli_report(MYSQLI_REPORT_OFF);
$db = mysqli_connect(getenv("E2E_DB_HOST"), getenv("E2E_DB_USER"), getenv("E2E_DB_PASS"), getenv("E2E_DB_NAME"), (int)getenv("E2E_DB_PORT"));
if(!$db){ fwrite(STDERR, mysqli_connect_error() . "\n"); exit(1); }
$latin1 = getenv("CLIENT_CHARSET") == "latin1";
mysqli_set_charset($db, getenv("CLIENT_CHARSET"));
// a read that a signal cut short is no end of the input
while(($line = fgets(STDIN)) !== false || !feof(STDIN)){
	if($line === false){ usleep(10000); continue; }
	$out = array();
	foreach(json_decode($line, true) as $sql){
		// JSON carries the statement in UTF-8; the latin1 connection takes
		// each character as its one byte, as the form's post sends it
		$r = mysqli_query($db, $latin1 ? iconv("UTF-8", "ISO-8859-1", $sql) : $sql);
		if($r === false){
			$out[] = array("error" => $latin1 ? iconv("ISO-8859-1", "UTF-8", mysqli_error($db)) : mysqli_error($db));
		}elseif($r === true){
			$out[] = array("rows" => array());
		}else{
			$rows = array();
			while($row = mysqli_fetch_row($r)){
				$rows[] = array_map(function($v){ return $v === null ? null : bin2hex($v); }, $row);
			}
			$out[] = array("rows" => $rows);
		}
	}
	echo json_encode($out, JSON_INVALID_UTF8_SUBSTITUTE), "\n";
}
`;

class Server {
  constructor(charset = 'latin1') {
    this.encoding = charset === 'latin1' ? 'latin1' : 'utf8';
    this.proc = spawn('php', ['-d', 'display_errors=stderr', '-r', CLIENT],
      { stdio: ['pipe', 'pipe', 'inherit'], env: { ...process.env, CLIENT_CHARSET: charset } });
    this.waiting = [];
    let buffered = '';
    this.proc.stdout.setEncoding('utf8');
    this.proc.stdout.on('data', (d) => {
      buffered += d;
      for (let i; (i = buffered.indexOf('\n')) >= 0; buffered = buffered.slice(i + 1)) {
        this.waiting.shift().resolve(JSON.parse(buffered.slice(0, i)));
      }
    });
    this.proc.on('exit', (code, signal) => {
      this.ended = new Error(`the database client ended with ${code ?? signal}`);
      for (const w of this.waiting.splice(0)) w.reject(this.ended);
    });
    // a write to the ended client fails through ended, not as an unhandled event
    this.proc.stdin.on('error', () => {});
  }

  // The results of the statements, in order: { error } or { rows }, each
  // value a text of the bytes the server sent.
  async run(...statements) {
    if (this.ended) throw this.ended;
    const answer = await new Promise((resolve, reject) => {
      this.waiting.push({ resolve, reject });
      this.proc.stdin.write(`${JSON.stringify(statements)}\n`);
    });
    return answer.map((r) => (r.error !== undefined ? r
      : { rows: r.rows.map((row) => row.map((v) => (v === null ? null : Buffer.from(v, 'hex').toString(this.encoding)))) }));
  }

  // Like run, but any error fails the test.
  async must(...statements) {
    const results = await this.run(...statements);
    results.forEach((r, i) => assert.equal(r.error, undefined, `${statements[i]}: ${r.error}`));
    return results;
  }

  close() { this.proc.stdin.end(); }
}

let server;
// the session of the utf8mb4 tables
let utf8Server;
const serverOf = (table) => (table.utf8 ? utf8Server : server);

// ---------------------------------------------------------------- the values

const nines = (n) => '9'.repeat(n);
const xs = (n) => 'x'.repeat(n);
const unique = (list) => [...new Map(list.map((v) => [JSON.stringify(v), v])).values()];
const range = (from, to) => Array.from({ length: to - from + 1 }, (_, i) => String.fromCharCode(from + i));

// Every control character and every character of the code page from 0x80
// to the no-break space, most of which show as nothing: the server takes a
// few of them for white space, which ones depending on the type and on the
// side of the value, and every other as a character.
const ODD_CHARACTERS = [...range(0x00, 0x1f), '\x7f', ...range(0x80, 0xa0)];

// A number as digits with an exponent: 127 as 1.27e2.
const withExponent = (n) => {
  const digits = String(n).replace('-', '');
  return `${String(n).startsWith('-') ? '-' : ''}${digits[0]}${digits.length > 1 ? `.${digits.slice(1)}` : ''}e${digits.length - 1}`;
};

// Text that numbers may hold or not, whatever their type: blanks and odd
// characters around, signs, exponents and words. Every family gets them on
// one or two of its signed columns; the others differ from those in their
// ends and signs, which their own values try.
const NUMBER_FORMS = [
  ' 5', '5 ', ' 5 ', '5\t', '\t5', '+5', '-0', '-5', '+-5', '--5', '- 5', '.5', '5.',
  '1e2', '1E2', '1e+2', '1.5e1', '25e-1', '-1e400', 'abc', '12abc', '1 2', '1,5', '0x10', '1e', 'e1', '.', '-', '+',
  '1.2.3', '1e2.5', ...ODD_CHARACTERS.flatMap((c) => [`${c}5`, `5${c}`]),
];

// What rounds, on every column: halves, fractions of zero with a sign, and
// exponents past anything a column holds.
const ROUNDING = ['1.5', '2.5', '-0.4', '-0.5', '0.125', '1e-400', '-1e-400', '1e400'];

function integerValues(min, max, forms) {
  return unique([
    // the ends and one past them, also as fractions that round in or out
    `${min}`, `${max}`, `${min - 1n}`, `${max + 1n}`, `${min}.4`, `${min}.5`, `${max}.4`, `${max}.5`,
    withExponent(max), withExponent(max + 1n), `${max}e0`, `${max + 1n}e-1`,
    ...ROUNDING, ...(forms ? NUMBER_FORMS : []),
  ]);
}

// M digits, D of them after the point: the largest value, one step past it,
// and a next digit that rounds into range or out of it.
function fractionValues(m, d, family, forms) {
  const max = `${nines(m - d) || '0'}${d ? `.${nines(d)}` : ''}`;
  const past = `1${'0'.repeat(m - d)}`;
  const next = d ? '' : '.';
  const values = [
    max, `-${max}`, past, `-${past}`, `${max}${next}4`, `${max}${next}5`, `-${max}${next}4`, `-${max}${next}5`,
    '0', '-0', '-0.004', '-0.005', '0.004', '0.005', '15e-1', ...ROUNDING, ...(forms ? NUMBER_FORMS : []),
  ];
  // where the binary types end, whatever M says
  if (family === 'float') values.push('1e38', '3.4e38', '3.5e38', '1e39', '-1e39');
  if (family === 'double') values.push('1e254', '1e255', '1.7976931348623157e308', '1e309', '-1e309');
  if (family === 'decimal') values.push(`1e${m - d - 1}`, `1e${m - d}`, `0.${'0'.repeat(d)}5`, `0.${'0'.repeat(d)}4`);
  return unique(values);
}

// Lengths at and past the size (n characters, null for the types whose
// size no post reaches), blanks and tabs before and after, each odd
// character one past the size, quotes and backslashes.
function textValues(n) {
  const sized = n === null ? [xs(1000), `${xs(1000)} `] : [
    xs(n), xs(n + 1), `${xs(n)} `, `${xs(n)}   `, `${xs(n)}\t`, `${xs(n - 1)} `, `${xs(n - 1)}\t`, `${xs(n + 1)} `,
    ...ODD_CHARACTERS.map((c) => `${xs(n)}${c}`),
  ];
  return unique([...sized, 'ab', ' ab', 'ab ', 'ab\t', '\tab', 'a b', "it's", 'a\\b', '%_']);
}

// Letters the page's code page lacks, as the browser posts them (Polish,
// an emoji, Chinese), for a utf8mb4 column: at and past its length, with
// the blanks of other scripts past it (and, on a CHAR and a VARCHAR, each
// odd character), and reference text typed on purpose beside quotes and
// backslashes.
const [LETTER, EMOJI, CHINESE] = ['&#321;', '&#128512;', '&#26481;'];
function letterValues(n, odd) {
  const sized = n === null ? [LETTER.repeat(1000), `${EMOJI.repeat(500)}${CHINESE.repeat(500)}`] : [
    LETTER.repeat(n), LETTER.repeat(n + 1), EMOJI.repeat(n), EMOJI.repeat(n + 1), `${CHINESE.repeat(n - 1)}\xe9`,
    `${CHINESE.repeat(n - 1)}\x80`, `${CHINESE.repeat(n)}\x80`, `${LETTER.repeat(n)}&#12288;`, `${LETTER.repeat(n)}&#160;`,
    `${LETTER.repeat(n)} `, `${LETTER.repeat(n)}\t`, `${LETTER.repeat(n)}\xa0`,
    ...(odd ? ODD_CHARACTERS.map((c) => `${LETTER.repeat(n)}${c}`) : []),
  ];
  return unique([...sized, '&#233;', '&#x27;', '&#39;', "&#39; or '1'='1", '&#0321;', '&#55296;', '&#1114112;', '&#128;',
    `\\${LETTER}`, `${LETTER}\\'`, `${LETTER}'`, `${LETTER}%_`, 'Caf\xe9 \x80\x81\x9d']);
}

// The letter of each byte of the page's code page, windows-1252, as the
// server's latin1 has it (its five holes are the C1 controls of the same
// numbers): asked of the server once its session is there.
let pageLetters = [];
const pageLetter = new Map();
function learnCodePage(high) {
  pageLetters = [...range(0, 0x7f), ...high];
  pageLetters.forEach((c, i) => pageLetter.set(c, String.fromCharCode(i)));
}

// What a utf8mb4 client stores for what the form posts: the bytes read as
// windows-1252, and a decimal reference of a letter that code page lacks,
// the browser's form of it, as that letter; reference text in any other
// form stays as typed.
const lettersOf = (text) => [...text].map((c) => pageLetters[c.charCodeAt(0)]).join('').replace(/&#([1-9][0-9]{0,6});/g, (reference, n) => {
  const point = Number(n);
  return point > 0x10ffff || (point >= 0xd800 && point <= 0xdfff) || pageLetter.has(String.fromCodePoint(point))
    ? reference : String.fromCodePoint(point);
});

// What the browser posts for a control's text on the windows-1252 page: each
// character as its byte, one the code page lacks as its decimal reference.
const posting = (text) => [...text].map((c) => pageLetter.get(c) ?? `&#${c.codePointAt(0)};`).join('');

// The three selects of a DATE field, some with a choice they do not offer
// (a month or day of 0, a five-digit year) as a changed form posts them.
const DATE_VALUES = [
  ['2024', '02', '29'], ['2023', '02', '29'], ['2024', '02', '30'], ['2024', '04', '31'], ['2024', '01', '31'],
  ['1900', '01', '01'], ['2100', '12', '31'], ['2024', '13', '01'], ['2024', '00', '05'], ['2024', '01', '00'],
  ['0000', '00', '00'], ['0000', '01', '01'], ['2024', '', '05'], ['', '02', '05'], ['2024', '02', ''],
  ['2024', '2', '5'], ['1000', '01', '01'], ['9999', '12', '31'], ['10000', '01', '01'], ['2024', '02', '29 '],
];

// What DATETIME and TIMESTAMP share: forms of one moment, parts past their
// ends, impossible days, zero parts, blanks and words.
const MOMENT_FORMS = [
  '2024-01-02 03:04:05', '2024-01-02', '2024-01-02 03:04', '20240102', '20240102030405', '240102030405',
  '2024-01-02T03:04:05', '2024/01/02 03.04.05', '2024-1-2 3:4:5', '24-01-02 03:04:05', '70-01-01', '69-12-31',
  '2024-01-02 03:04:05.4', '2024-01-02 03:04:05.5', '2024-01-02 03:04:05.999999', '2024-12-31 23:59:59.5',
  '2024-01-02 24:00:00', '2024-01-02 25:00:00', '2024-01-02 03:61:00', '2024-01-02 03:04:60',
  '2024-13-01 00:00:00', '2023-02-29 00:00:00', '2024-02-29 00:00:00', '2024-04-31 00:00:00',
  '2024-00-05 00:00:00', '2024-01-00 00:00:00', '0000-00-00 00:00:00', '0000-01-01 00:00:00',
  ' 2024-01-02 03:04:05', '2024-01-02 03:04:05 ', '2024-01-02 03:04:05\t', 'abc', '2024-01-02x', '2024-01-02 03:04:05x',
];

const DATETIME_VALUES = unique([
  ...MOMENT_FORMS, '1000-01-01 00:00:00', '0999-12-31 23:59:59', '9999-12-31 23:59:59', '9999-12-31 23:59:59.5', '10000-01-01 00:00:00',
]);

// The ends of TIMESTAMP and the seconds past them as the server's time zone
// writes them (the server says which), and as they read in UTC.
const timestampValues = (ends) => unique([
  ...ends, '1970-01-01 00:00:00', '1970-01-01 00:00:01', '2038-01-19 03:14:07', '2038-01-19 03:14:08', '2038-01-19 03:14:07.5',
  ...MOMENT_FORMS,
]);

const TIME_VALUES = [
  '838:59:59', '-838:59:59', '839:00:00', '-839:00:00', '838:59:59.4', '838:59:59.5', '34 22:59:59', '35 00:00:00',
  '1 10:00', '1 10:00:00', '10:00', '10', '0', '-1', '12:34:56.5', '123456', '8385959', '8390000', '25:00:00',
  '12:61:00', '12:00:60', '12:59:59', '-00:00:01', '12.5', ' 12:00:00', '12:00:00 ', '12:00:00\t', 'abc', '12:00:00x',
];

const YEAR_VALUES = [
  '1900', '1901', '2155', '2156', '0', '00', '0000', '000', '1', '69', '70', '99', '100', '2024', '+2024', '2024.4',
  '2024.5', '2155.4', '2155.5', '1900.5', '-1', '1e3', '2.024e3', ' 2024', '2024 ', '2024\t', 'abc', '2024x', '024',
];

// Every column of the project: its type as the server reports it (the
// definition setup.php gave it) and the caption its messages name. A
// value is a text; a DATE field's is its three selects.
const INTEGER_TYPES = [
  ['tiny', 'Tiny', 'tinyint', 4, 3, 8n, true],
  ['small', 'Small', 'smallint', 6, 5, 16n, false],
  ['medium', 'Medium', 'mediumint', 9, 8, 24n, false],
  ['int', 'Int', 'int', 11, 10, 32n, false],
  ['big', 'Big', 'bigint', 20, 20, 64n, true],
];

// The text columns: name, caption, type and the characters a post reaches
// (null where no post reaches the size).
const TEXT_COLUMNS = [
  ['char_1', 'Char of 1', 'char(1)', 1],
  ['char_4', 'Char of 4', 'char(4)', 4],
  ['char_255', 'Char of 255', 'char(255)', 255],
  ['varchar_10', 'Varchar of 10', 'varchar(10)', 10],
  ['varchar_255', 'Varchar of 255', 'varchar(255)', 255],
  ['tinytext_', 'Tinytext', 'tinytext', 255],
  ['text_', 'Text', 'text', 65535],
  ['mediumtext_', 'Mediumtext', 'mediumtext', null],
  ['longtext_', 'Longtext', 'longtext', null],
  // trailing blanks are bytes of a blob like any other
  ['tinyblob_', 'Tinyblob', 'tinyblob', 255],
  ['blob_', 'Blob', 'blob', 65535],
  ['mediumblob_', 'Mediumblob', 'mediumblob', null],
  ['longblob_', 'Longblob', 'longblob', null],
];

const TABLES = [
  {
    name: 'integers',
    seed: '7',
    columns: INTEGER_TYPES.flatMap(([name, caption, type, width, unsignedWidth, bits, forms]) => {
      const half = 1n << (bits - 1n);
      const unsigned = integerValues(0n, 2n * half - 1n, false);
      return [
        { name: `${name}_s`, caption: `${caption} signed`, type: `${type}(${width})`, values: integerValues(-half, half - 1n, forms) },
        { name: `${name}_u`, caption: `${caption} unsigned`, type: `${type}(${unsignedWidth}) unsigned`, values: unsigned },
        // zerofill makes the column unsigned, though the project does not say so
        { name: `${name}_z`, caption: `${caption} zerofill`, type: `${type}(${unsignedWidth}) unsigned zerofill`, values: unsigned },
      ];
    }),
  },
  {
    name: 'fractions',
    seed: '2',
    columns: [
      // name, caption, family, M, D, unsigned, with the forms of NUMBER_FORMS
      ['float_7_2', 'Float M7 D2', 'float', 7, 2, false, true],
      ['float_7_2_u', 'Float M7 D2 unsigned', 'float', 7, 2, true, false],
      ['float_10_0', 'Float M10 D0', 'float', 10, 0, false, false],
      ['float_50_2', 'Float M50 D2', 'float', 50, 2, false, false],
      ['double_10_2', 'Double M10 D2', 'double', 10, 2, false, true],
      ['double_10_2_u', 'Double M10 D2 unsigned', 'double', 10, 2, true, false],
      ['double_255_0', 'Double M255 D0', 'double', 255, 0, false, false],
      ['decimal_5_2', 'Decimal M5 D2', 'decimal', 5, 2, false, true],
      ['decimal_5_2_u', 'Decimal M5 D2 unsigned', 'decimal', 5, 2, true, false],
      ['decimal_10_0', 'Decimal M10 D0', 'decimal', 10, 0, false, false],
      ['decimal_65_30', 'Decimal M65 D30', 'decimal', 65, 30, false, false],
    ].map(([name, caption, family, m, d, unsigned, forms]) => ({
      name, caption, type: `${family}(${m},${d})${unsigned ? ' unsigned' : ''}`, values: fractionValues(m, d, family, forms),
    })),
  },
  {
    name: 'texts',
    seed: 'kept',
    columns: TEXT_COLUMNS.map(([name, caption, type, n]) => ({ name, caption, type, values: textValues(n) })),
  },
  {
    // the text columns once more, in utf8mb4 (whatever the server makes of
    // the set-up script's tables), judged by a utf8mb4 client
    name: 'letters',
    utf8: true,
    seed: 'Ł東😀é',
    columns: TEXT_COLUMNS.filter(([, , type]) => !type.includes('blob'))
      .map(([name, caption, type, n]) => ({
        name, caption, type, values: unique([...textValues(n), ...letterValues(n, name === 'char_4' || name === 'varchar_10')]),
      })),
  },
  {
    name: 'moments',
    seed: null,
    columns: [
      { name: 'day', caption: 'Day', type: 'date', seed: '2020-05-06', values: DATE_VALUES },
      { name: 'moment', caption: 'Day and time', type: 'datetime', seed: '2020-05-06 07:08:09', values: DATETIME_VALUES },
      { name: 'stamp', caption: 'Time stamp', type: 'timestamp', seed: '2020-05-06 07:08:09', values: ({ timestampEnds }) => timestampValues(timestampEnds) },
      { name: 'duration', caption: 'Duration', type: 'time', seed: '07:08:09', values: TIME_VALUES },
      { name: 'yr', caption: 'Year', type: 'year(4)', seed: '2020', values: YEAR_VALUES },
    ],
  },
];

const TEMPORAL = new Set(['date', 'datetime', 'timestamp', 'year(4)']);
const isDate = (column) => column.type === 'date';
const seedOf = (table, column) => column.seed ?? (column.name === 'char_1' ? table.seed[0] : table.seed);

// The form controls of a column and the texts a value posts in them.
const controls = (column) => (isDate(column) ? ['Year', 'Month', 'Day'].map((p) => `${column.name}${p}`) : [column.name]);
const posted = (column, value) => Object.fromEntries(controls(column).map((c, i) => [c, isDate(column) ? value[i] : value]));
// What the server gets: the three parts joined as the application joins them.
const asText = (column, value) => (isDate(column) ? value.join('-') : value);

// ---------------------------------------------------------------- reports

// Control characters and the code page's blank-looking ones would not show
// in a report, or not as themselves: \xNN instead.
const escapeOdd = (s) => s.replace(/[\x00-\x1f\x7f-\xa0]/g, (c) => `\\x${c.charCodeAt(0).toString(16).padStart(2, '0')}`);

// A value for a reader: quoted, a long run of one character as [c×n].
const show = (v) => (v === null ? 'NULL' : Array.isArray(v) ? `Year/Month/Day ${JSON.stringify(v)}`
  : escapeOdd(JSON.stringify(v).replace(/([0-9x])\1{9,}/g, (run, c) => `[${c}×${run.length}]`)));

// A date, moment or YEAR with a zero year, month or day is no date, even
// where the server stores one.
const zeroDate = (column, stored) => TEMPORAL.has(column.type) && /^(0000|\d{4}-00|\d{4}-\d\d-00)/.test(stored);

const escapeRe = (s) => s.replace(/[.*+?^${}()|[\]\\]/g, '\\$&');

// The value messages of language.php: the four named here and any named like
// them ("invalid ...", "not a ...", "... out of range", "... too long"); a
// placeholder such as <MaxLength> stands for any text.
function problemPatterns() {
  for (const key of ['not a number', 'number out of range', 'text too long', 'invalid date']) h.tr(key);
  return Object.entries(h.translations())
    .filter(([key, text]) => typeof text === 'string' && /^(invalid |not an? )|(out of range|too long)$/.test(key))
    .map(([, text]) => escapeRe(h.norm(h.plain(text.replace(/<[A-Za-z]+>/g, '\u0001')))).replace(/\u0001/g, '.+?'));
}

let problems;
function refusalPattern(caption) {
  problems ??= problemPatterns().join('|');
  return new RegExp(`^${escapeRe(h.norm(h.plain(h.tr('error:'))))} '${escapeRe(caption)}': (?:${problems})$`);
}

// ---------------------------------------------------------------- the form

// The detail form of a page as its button would post it: the page's address,
// the form's target and its entries (every control of the form, the image
// button's position among them).
async function readForm(page, button) {
  const form = await page.evaluate((button) => {
    const f = document.forms.myform;
    const data = new FormData(f, f.querySelector(`input[type=image][name=${button}]`));
    return { target: f.action, entries: [...data.entries()].map(([k, v]) => [k, typeof v === 'string' ? v : null]) };
  }, button);
  assert.ok(form.entries.every(([, v]) => v !== null), 'the form sends no file');
  assert.ok(form.entries.some(([k]) => k === `${button}.x`), `the form has the ${button} button`);
  return { ...form, page: page.url() };
}

// Posts the form with the case's controls changed, as the browser posts it:
// multipart, the same entries in the same order, the page's Origin and
// Referer (a select may get a choice it does not offer, as a changed form
// posts it). What comes back: the status, the message boxes and the text.
async function postForm(form, values) {
  const names = new Set(form.entries.map(([k]) => k));
  for (const name of Object.keys(values)) assert.ok(names.has(name), `the form has a control ${name}`);
  // Each character as its one byte, as the page's windows-1252 or a crafted
  // request sends it: control characters and 0x80 to 0xA0 reach PHP as
  // themselves.
  const entries = form.entries.map(([name, entry]) => {
    const value = Object.hasOwn(values, name) ? values[name] : posting(entry);
    assert.match(value, /^[\x00-\xff]*$/, `every character of ${name} is one byte`);
    return [name, value];
  });
  const { type, body } = multipart(entries);
  const res = await fetch(form.target, {
    method: 'POST',
    body,
    headers: { 'Content-Type': type, Origin: new URL(form.page).origin, Referer: form.page },
  });
  const html = new TextDecoder('windows-1252').decode(await res.arrayBuffer());
  b.log.page(form.target, html);
  return {
    status: res.status,
    errors: [...html.matchAll(/<div\b[^>]*\bclass\s*=\s*["']?Error\b[^>]*>([\s\S]*?)<\/div>/gi)].map((m) => h.plain(m[1])),
    text: h.plain(html),
  };
}

// ---------------------------------------------------------------- the cases

const select = (table) => `SELECT * FROM ${table.name} ORDER BY id`;

function seedStatements(table) {
  const names = table.columns.map((c) => c.name);
  return [
    `DELETE FROM ${table.name}`,
    `INSERT INTO ${table.name} (id, ${names.join(', ')}) VALUES (1, ${table.columns.map((c) => h.q(seedOf(table, c))).join(', ')})`,
  ];
}

// What the server makes of the value in a fresh copy of its column: the
// text it stores, or its refusal.
async function reference(table, column, value) {
  const text = asText(column, value);
  const [, inserted, read] = await serverOf(table).run(
    `DELETE FROM scratch_${table.name}`,
    `INSERT INTO scratch_${table.name} (${column.name}) VALUES (${h.q(table.utf8 ? lettersOf(text) : text)})`,
    `SELECT ${column.name} FROM scratch_${table.name}`);
  if (inserted.error !== undefined) return { refused: inserted.error };
  const stored = read.rows[0][0];
  return zeroDate(column, stored) ? { refused: `stored ${show(stored)}, a date with a zero part` } : { stored };
}

// What the application did, for the report.
function applicationDid(table, column, op, answer, seedRow, rows) {
  const at = 1 + table.columns.indexOf(column);
  const parts = [];
  const others = (row) => table.columns.filter((c, i) => c !== column && row[i + 1] !== (op === 'insert' ? null : seedRow[i + 1]))
    .map((c) => `${c.name}=${show(row[1 + table.columns.indexOf(c)])}`);
  const added = rows.filter((r) => r[0] !== seedRow[0]);
  const kept = rows.find((r) => r[0] === seedRow[0]);
  if (op === 'insert') {
    if (!added.length) parts.push('stored nothing');
    for (const r of added) parts.push(`stored ${show(r[at])}${others(r).length ? ` with ${others(r).join(', ')}` : ''}`);
    if (JSON.stringify(kept) !== JSON.stringify(seedRow)) parts.push(`changed the other record to ${show(kept)}`);
  } else {
    if (JSON.stringify(kept) === JSON.stringify(seedRow)) parts.push('left the record as it was');
    else if (kept) parts.push(`stored ${show(kept[at])}${others(kept).length ? ` and changed ${others(kept).join(', ')}` : ''}`);
    else parts.push('lost the record');
    if (added.length) parts.push(`added ${added.length} record(s)`);
  }
  const sqlError = answer.text.includes(h.plain(h.tr('sql error:')));
  // the server's message ends the box, after the statement
  if (sqlError) parts.push(`showed the SQL error box (…${h.norm(answer.errors.join(' ')).slice(-160)})`);
  else if (!answer.errors.length) parts.push('showed no message');
  else parts.push(`showed ${answer.errors.map((e) => JSON.stringify(h.norm(e))).join(' and ')}`);
  if (answer.status !== 200) parts.push(`answered ${answer.status}`);
  return parts.join(', ');
}

// Whether the application did what the server's verdict asks; the answer
// and the table after the post.
function agrees(table, column, op, verdict, answer, seedRow, rows) {
  const at = 1 + table.columns.indexOf(column);
  const page = h.norm(answer.text);
  const showsStatement = page.includes(h.plain(h.tr('sql error:'))) || page.includes(h.plain(h.tr('query:')))
    || new RegExp(`insert into|update ${table.name}`, 'i').test(page);
  if (answer.status !== 200 || showsStatement) return false;
  if (verdict.refused !== undefined) {
    return answer.errors.length === 1 && refusalPattern(column.caption).test(h.norm(answer.errors[0]))
      && JSON.stringify(rows) === JSON.stringify([seedRow]);
  }
  if (answer.errors.length) return false;
  if (op === 'update') {
    const expected = [...seedRow];
    expected[at] = verdict.stored;
    return JSON.stringify(rows) === JSON.stringify([expected]);
  }
  const added = rows.slice(1);
  return JSON.stringify(rows[0]) === JSON.stringify(seedRow) && added.length === 1
    && added[0].slice(1).every((v, i) => (i + 1 === at ? v === verdict.stored : v === null));
}

const reportFile = () => path.join(h.cfg.out, 'columns-disagreements.txt');

// Every value of every column of table, as insert and as update: the
// disagreements, in words.
async function runTable(table, mode, context) {
  const server = serverOf(table);
  const [{ rows: seeded }] = await server.must(...seedStatements(table), select(table)).then((r) => r.slice(-1));
  const seedRow = seeded[0];
  const { page } = b;
  await page.goto(h.url(`${table.name}_view.php`));
  const insertForm = await readForm(page, 'insert');
  await page.goto(h.url(`${table.name}_view.php?SelectedID=1`));
  const updateForm = await readForm(page, 'update');
  // An insert leaves every other field empty; an update starts from the
  // record as seeded, put back whenever a case changed the table.
  const empty = Object.fromEntries(table.columns.flatMap((c) => controls(c).map((n) => [n, ''])));
  const found = [];
  for (const column of table.columns) {
    const values = typeof column.values === 'function' ? column.values(context) : column.values;
    for (const value of values) {
      const verdict = await reference(table, column, value);
      for (const [op, form, fields] of [['insert', insertForm, empty], ['update', updateForm, {}]]) {
        const answer = await postForm(form, { ...fields, ...posted(column, value) });
        const [{ rows }] = await server.must(select(table));
        if (JSON.stringify(rows) !== JSON.stringify([seedRow])) await server.must(...seedStatements(table));
        if (!agrees(table, column, op, verdict, answer, seedRow, rows)) {
          found.push(`${column.caption} (${column.type}), ${show(value)}, ${op}, sql_mode ${mode}: the server `
            + `${verdict.refused !== undefined ? `refused it (${escapeOdd(verdict.refused)})` : `stored ${show(verdict.stored)}`}; `
            + `the application ${applicationDid(table, column, op, answer, seedRow, rows)}`);
        }
      }
    }
  }
  return found;
}

// ---------------------------------------------------------------- tests

let defaultMode;
const context = {};

// In a suite of its own: the hooks of the file's top level run side by side,
// and these need the set-up of the application done. Its thousands of posts
// take about a minute here: more than the run's limit for one test allows
// on a slower machine.
describe('the columns of columns.tzx, the server against the form', { timeout: 10 * 60 * 1000 }, () => {
  before(async () => {
    server = new Server();
    utf8Server = new Server('utf8mb4');
    // The reference always runs under strict mode, whatever the global mode.
    await server.must("SET SESSION sql_mode='STRICT_TRANS_TABLES'");
    await utf8Server.must("SET SESSION sql_mode='STRICT_TRANS_TABLES'");
    const [{ rows: [[high]] }] = await utf8Server.must(`SELECT CONVERT(UNHEX('${Buffer.from(range(0x80, 0xff).join(''), 'latin1').toString('hex')}') USING latin1)`);
    learnCodePage([...high]);
    assert.equal(pageLetters.length, 256);
    // The text columns in the character set their table is for, whatever the
    // server made of the set-up script's tables (a conversion would change
    // the TEXT types to hold as many bytes).
    for (const table of TABLES) {
      const charset = table.utf8 ? 'utf8mb4' : 'latin1';
      await server.must(`ALTER TABLE ${table.name} DEFAULT CHARACTER SET ${charset}${table.columns.filter((c) => /char|text/.test(c.type))
        .map((c) => `, MODIFY ${c.name} ${c.type} CHARACTER SET ${charset}`).join('')}`);
    }
    [{ rows: [[defaultMode]] }] = await server.must('SELECT @@GLOBAL.sql_mode');
    // The first and last second of TIMESTAMP, and the seconds either side,
    // in the time zone that the server and the application's sessions use.
    const [{ rows: [ends] }] = await server.must(`SELECT FROM_UNIXTIME(1), FROM_UNIXTIME(1) - INTERVAL 1 SECOND,
      FROM_UNIXTIME(2147483647), FROM_UNIXTIME(2147483647) + INTERVAL 1 SECOND`);
    context.timestampEnds = ends;
    fs.rmSync(reportFile(), { force: true });
  });
  after(() => { server?.close(); utf8Server?.close(); });

  test('the columns are of the types the values are chosen for', async () => {
    for (const table of TABLES) {
      const [{ rows }] = await server.must(`SELECT COLUMN_NAME, COLUMN_TYPE FROM information_schema.COLUMNS
        WHERE TABLE_SCHEMA = DATABASE() AND TABLE_NAME = '${table.name}' AND COLUMN_NAME <> 'id' ORDER BY ORDINAL_POSITION`);
      assert.deepEqual(rows, table.columns.map((c) => [c.name, c.type]), table.name);
    }
  });

  // The update cases post the record's other fields as the form shows them:
  // they must come back as they were.
  test('a record saved unchanged keeps its values', async () => {
    for (const table of TABLES) {
      const server = serverOf(table);
      const [{ rows: before }] = await server.must(...seedStatements(table), select(table)).then((r) => r.slice(-1));
      await b.page.goto(h.url(`${table.name}_view.php?SelectedID=1`));
      const answer = await postForm(await readForm(b.page, 'update'), {});
      assert.deepEqual(answer.errors, [], table.name);
      const [{ rows }] = await server.must(select(table));
      assert.deepEqual(rows, before, table.name);
    }
  });

  for (const [mode, sql] of [['default', null], ["''", '']]) {
    describe(`with the global sql_mode ${mode}`, () => {
      before(async () => {
        if (sql !== null) await server.must(`SET GLOBAL sql_mode = ${h.q(sql)}`);
        await server.must(...TABLES.flatMap((t) => [`DROP TABLE IF EXISTS scratch_${t.name}`, `CREATE TABLE scratch_${t.name} LIKE ${t.name}`]));
      });
      after(async () => {
        await server.must(`SET GLOBAL sql_mode = ${h.q(defaultMode)}`);
      });

      for (const table of TABLES) {
        test(`every value of the ${table.name} as the server judges it`, async () => {
          const found = await runTable(table, mode, context);
          if (found.length) fs.appendFileSync(reportFile(), `${found.join('\n')}\n`);
          assert.deepEqual(found, [], `the application and the server disagree on ${table.name} (sql_mode ${mode}):\n${found.join('\n')}`);
        });
      }
    });
  }
});
