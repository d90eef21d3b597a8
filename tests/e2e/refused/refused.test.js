'use strict';
// The application of refused.tzx: input that its columns cannot hold
// (dates, numbers of every range, texts too long, the remove box of a
// required upload) is refused with a message naming the field, on insert and
// on update, and nothing changes; captions holding the query's keywords show
// as written and leave the search, the filters and sorting as they work
// elsewhere; no page may be framed by another site.
const fs = require('node:fs');
const path = require('node:path');
const { test, beforeEach } = require('node:test');
const h = require('../lib/harness');
const { assert } = h;

const b = h.useBrowser({ seed: false });

const STOCK = 'select id, name, code, qty, shelf, units, price, delivered, notes from stock order by id';
const BADGES = 'select id, holder, picture from badges order by id';
const picture = () => path.join(h.cfg.app, h.tr('ImageFolder'), 'b1.png');

function seed() {
  h.exec(`DELETE FROM stock; ALTER TABLE stock AUTO_INCREMENT=1;
    INSERT INTO stock (id, name, code, qty, shelf, units, price, delivered, notes) VALUES
      (1, 'Bolts', 'B1', 5, 2, 100, 1.50, '2024-01-02', 'kept as is'),
      (2, 'Nuts', 'N1', -7, 3, 200, 2.50, NULL, 'the other one');
    DELETE FROM badges; ALTER TABLE badges AUTO_INCREMENT=1;
    INSERT INTO badges (id, holder, picture) VALUES (1, 'Ann', 'b1.png');`);
  fs.mkdirSync(path.dirname(picture()), { recursive: true });
  fs.writeFileSync(picture(), 'png');
}
beforeEach(seed);

const range = (min, max) => h.tr('number out of range').replace('<MinValue>', min).replace('<MaxValue>', max);
const tooLong = (n) => h.tr('text too long').replace('<MaxLength>', n);
const taken = () => h.tr('value taken');
// A file for an upload control: a picture, or the bytes given.
const file = (name, buffer = h.png()) => ({ name, mimeType: 'image/png', buffer });

// Each case changes the detail form as a user would (an array part is a
// select renamed to name[]), starting from a record that the columns hold.
const cases = [
  { what: 'a date with year and day but no month', date: ['2024', '', '05'], caption: 'Delivered', problem: () => h.tr('invalid date') },
  { what: 'a date with month and day but no year', date: ['', '02', '05'], caption: 'Delivered', problem: () => h.tr('invalid date') },
  { what: 'an impossible date', date: ['2023', '02', '30'], caption: 'Delivered', problem: () => h.tr('invalid date') },
  { what: 'a date part posted as an array', date: ['2024', '02', '05'], arrayPart: 'deliveredMonth', caption: 'Delivered', problem: () => h.tr('invalid date') },
  { what: 'text in a number', fill: { qty: 'abc' }, caption: 'Qty AS counted', problem: () => h.tr('not a number') },
  { what: 'trailing text in a number', fill: { units: '12abc' }, caption: 'Units', problem: () => h.tr('not a number') },
  { what: 'a TINYINT too large', fill: { qty: '128' }, caption: 'Qty AS counted', problem: () => range('-128', '127') },
  { what: 'a TINYINT too small', fill: { qty: '-129' }, caption: 'Qty AS counted', problem: () => range('-128', '127') },
  { what: 'a negative TINYINT UNSIGNED', fill: { shelf: '-1' }, caption: 'Shelf where stored', problem: () => range('0', '255') },
  { what: 'an INT UNSIGNED too large', fill: { units: '4294967296' }, caption: 'Units', problem: () => range('0', '4294967295') },
  { what: 'a DECIMAL(10,2) too large', fill: { price: '100000000' }, caption: 'Price', problem: () => range('-99999999.99', '99999999.99') },
  { what: 'a DECIMAL(10,2) that rounds beyond its range', fill: { price: '99999999.995' }, caption: 'Price', problem: () => range('-99999999.99', '99999999.99') },
  { what: 'a CHAR(4) too long', fill: { code: 'ABCDE' }, caption: 'Code in order by aisle', problem: () => tooLong(4) },
  { what: 'a VARCHAR(10) too long', fill: { name: 'Eleven char' }, caption: 'Item name', problem: () => tooLong(10) },
];

const valid = { name: 'Washers', code: 'W1', qty: '3', shelf: '4', units: '50', price: '0.75', notes: 'new ones' };

async function fillForm(page, values, date) {
  for (const [name, value] of Object.entries(values)) await page.fill(`input[name=${name}]`, value);
  const [y, m, d] = date;
  await page.selectOption('select[name=deliveredYear]', { value: y });
  await page.selectOption('select[name=deliveredMonth]', { value: m });
  await page.selectOption('select[name=deliveredDay]', { value: d });
}

async function send(page, button, arrayPart) {
  await h.submit(page, () => page.evaluate(({ button, arrayPart }) => {
    if (arrayPart) document.querySelector(`select[name=${arrayPart}]`).name = `${arrayPart}[]`;
    document.querySelector(`input[type=image][name=${button}]`).click();
  }, { button, arrayPart }));
}

// The page holds the one message box (problem() gives its text) and
// nothing of the statement.
async function assertRefused(page, caption, problem, what) {
  const body = await page.innerText('body');
  assert.ok(!body.includes(h.plain(h.tr('sql error:'))), `${what}: no SQL error box:\n${body.slice(0, 1500)}`);
  assert.ok(!body.includes(h.plain(h.tr('query:'))), `${what}: no query shown`);
  assert.doesNotMatch(body, /insert into|update stock|update badges/i, `${what}: no statement shown`);
  const errors = await page.locator('div.Error').allInnerTexts();
  assert.deepEqual(errors.map(h.norm), [h.norm(h.plain(`${h.tr('error:')} '${caption}': ${problem()}`))], what);
}

for (const c of cases) {
  test(`insert: ${c.what} is refused and nothing is stored`, async () => {
    const { page } = b;
    const before = h.query(STOCK);
    await page.goto(h.url('stock_view.php'));
    await fillForm(page, { ...valid, ...c.fill }, c.date || ['2024', '03', '04']);
    await send(page, 'insert', c.arrayPart);
    await assertRefused(page, c.caption, c.problem, c.what);
    assert.deepEqual(h.query(STOCK), before, 'nothing stored');
  });

  test(`update: ${c.what} is refused and no record changes`, async () => {
    const { page } = b;
    const before = h.query(STOCK);
    await page.goto(h.url('stock_view.php'));
    await h.selectRow(page, 1);
    await fillForm(page, { ...valid, ...c.fill }, c.date || ['2024', '03', '04']);
    await send(page, 'update', c.arrayPart);
    await assertRefused(page, c.caption, c.problem, c.what);
    assert.deepEqual(h.query(STOCK), before, 'no record changed');
  });
}

test('values at the edges of their columns are stored, and a date with no part chosen is NULL', async () => {
  const { page } = b;
  const edges = { name: 'Ten chars!', code: 'ABCD', qty: '-128', shelf: '255', units: '4294967295', price: '99999999.99', notes: 'x'.repeat(40) };
  await page.goto(h.url('stock_view.php'));
  await fillForm(page, edges, ['2024', '02', '29']);
  await send(page, 'insert');
  await h.assertNoSqlError(page, 'insert at the edges');
  assert.deepEqual(h.query(`${STOCK.replace(' order by id', '')} where name='Ten chars!'`),
    [['3', 'Ten chars!', 'ABCD', '-128', '255', '4294967295', '99999999.99', '2024-02-29', 'x'.repeat(40)]]);
  await page.goto(h.url('stock_view.php'));
  await h.selectRow(page, 2);
  await fillForm(page, { ...valid, qty: ' +1.27e2 ', price: '-99999999.99' }, ['', '', '']);
  await send(page, 'update');
  await h.assertNoSqlError(page, 'update at the edges');
  assert.deepEqual(h.query(`${STOCK.replace(' order by id', '')} where id=2`),
    [['2', 'Washers', 'W1', '127', '4', '50', '-99999999.99', null, 'new ones']]);
});

test('the remove box of a required upload is refused on update; insert without a file is refused', async () => {
  const { page } = b;
  const before = h.query(BADGES);
  await page.goto(h.url('badges_view.php'));
  await h.selectRow(page, 1);
  await page.check('input[name=picture_remove]');
  await send(page, 'update');
  await assertRefused(page, 'Picture', () => h.tr('field not null'), 'remove box');
  assert.deepEqual(h.query(BADGES), before, 'the record keeps its file name');
  assert.ok(fs.existsSync(picture()), 'the file stays');
  // an update without the box still saves
  await page.goto(h.url('badges_view.php'));
  await h.selectRow(page, 1);
  await page.fill('input[name=holder]', 'Anne');
  await send(page, 'update');
  await h.assertNoSqlError(page, 'update without the box');
  assert.deepEqual(h.query(BADGES), [['1', 'Anne', 'b1.png']]);
  // insert
  await page.goto(h.url('badges_view.php'));
  await page.fill('input[name=holder]', 'Bo');
  await send(page, 'insert');
  await assertRefused(page, 'Picture', () => h.tr('field not null'), 'insert without a file');
  assert.deepEqual(h.query(BADGES), [['1', 'Anne', 'b1.png']]);
});

test('an upload whose kept name is longer than its column is refused, and the files the request stored go', async () => {
  const { page } = b;
  const folder = path.dirname(picture());
  const ALL = 'select id, holder, picture, scan from badges order by id';
  const files = () => fs.readdirSync(folder).sort();
  const before = h.query(ALL);
  const filesBefore = files();
  const long = 'a-scan-whose-name-is-too-long-1.png'; // 35 characters, the column holds 30

  await page.goto(h.url('badges_view.php'));
  await page.fill('input[name=holder]', 'Cy');
  await page.setInputFiles('input[type=file][name=picture]', file('p.png'));
  await page.setInputFiles('input[type=file][name=scan]', file(long));
  await send(page, 'insert');
  await assertRefused(page, 'Scan', () => tooLong(30), 'insert with a long kept name');
  assert.deepEqual(h.query(ALL), before, 'nothing stored');
  assert.deepEqual(files(), filesBefore, 'neither uploaded file is left');

  await page.goto(h.url('badges_view.php'));
  await h.selectRow(page, 1);
  await page.setInputFiles('input[type=file][name=picture]', file('p.png'));
  await page.setInputFiles('input[type=file][name=scan]', file(long));
  await send(page, 'update');
  await assertRefused(page, 'Scan', () => tooLong(30), 'update with a long kept name');
  assert.deepEqual(h.query(ALL), before, 'no record changed');
  assert.deepEqual(files(), filesBefore, 'the record keeps its file and no new one is left');

  await page.goto(h.url('badges_view.php'));
  await h.selectRow(page, 1);
  await page.setInputFiles('input[type=file][name=scan]', file('a-scan-whose-name-fits-30.png'));
  await send(page, 'update');
  await h.assertNoSqlError(page, 'a kept name that fits');
  assert.deepEqual(h.query(ALL), [['1', 'Ann', 'b1.png', 'a-scan-whose-name-fits-30.png']]);
  assert.ok(files().includes('a-scan-whose-name-fits-30.png'));
});

const CAPTIONS = ['ID', 'Item name', 'Code in order by aisle', 'Qty AS counted', 'Shelf where stored', 'Units', 'Price', 'Delivered', 'Notes from staff'];

test('captions holding as, from and the other keywords of the query show as written', async () => {
  const { page } = b;
  await page.goto(h.url('stock_view.php'));
  const l = await h.readList(page);
  assert.deepEqual(l.headers, CAPTIONS);
  assert.deepEqual(l.rows.map((r) => [r[0], r[3], r[8]]), [['1', '5', 'kept as is'], ['2', '-7', 'the other one']]);
  // the rows still select their records
  await h.selectRow(page, 2);
  assert.equal(await h.formValue(page, 'name'), 'Nuts');
  // and the search and the filter page name the columns by the same captions
  await page.fill('input[name=SearchString]', 'other');
  await h.submit(page, () => page.click('input[name=Search]'));
  await h.assertNoSqlError(page, 'quick search');
  assert.deepEqual((await h.readList(page)).rows.map((r) => r[0]), ['2']);
  await h.submit(page, () => page.click('input[name=Filter]'));
  await h.assertNoSqlError(page, 'filter page');
  const offered = await page.locator('select[name="FilterField[1]"] option').evaluateAll((os) => os.map((o) => o.textContent.trim()).filter((t) => t));
  assert.deepEqual(offered, CAPTIONS);
});

// The list decides on " where " and " order by " from its query's own words:
// the captions holding them change neither the search, the filters nor sorting.
test('with captions holding where and order by, the search, a filter and sorting work', async () => {
  const { page } = b;
  await page.goto(h.url('stock_view.php'));
  await page.fill('input[name=SearchString]', 'other');
  await h.submit(page, () => page.click('input[name=Search]'));
  await h.assertNoSqlError(page, 'quick search');
  assert.deepEqual(await h.listIds(page), ['2']);
  await page.fill('input[name=SearchString]', '');
  await h.submit(page, () => page.click('input[name=Search]'));
  assert.deepEqual(await h.listIds(page), ['1', '2']);

  await h.submit(page, () => page.click('input[name=Filter]'));
  await page.selectOption('select[name="FilterField[1]"]', { label: 'Shelf where stored' });
  await page.selectOption('select[name="FilterOperator[1]"]', { value: '>' });
  await page.fill('input[name="FilterValue[1]"]', '2');
  await h.submit(page, () => page.click('input[src="applyFilters.gif"]'));
  await h.assertNoSqlError(page, 'filter');
  assert.deepEqual(await h.listIds(page), ['2']);
  assert.deepEqual(await h.footerNumbers(page), { first: 1, last: 1, count: 1 });
  // a search that both records match, within the filtered ones
  await page.fill('input[name=SearchString]', 'o');
  await h.submit(page, () => page.click('input[name=Search]'));
  await h.assertNoSqlError(page, 'quick search with a filter');
  assert.deepEqual(await h.listIds(page), ['2']);

  await page.goto(h.url('stock_view.php'));
  await h.submit(page, () => page.locator('td.TableHeader a').filter({ hasText: 'Qty AS counted' }).first().click());
  await h.assertNoSqlError(page, 'sorting');
  assert.deepEqual(await h.listIds(page), ['2', '1'], 'sorted by Qty AS counted, ascending');
});

test('every page refuses to be shown in a frame of another site', async () => {
  const { page } = b;
  for (const p of ['stock_view.php', 'badges_view.php', 'setup.php']) {
    for (const method of ['get', 'post']) {
      const res = await page.request[method](h.url(p), method === 'post' ? { form: { SortField: '1' } } : {});
      assert.equal(res.headers()['x-frame-options'], 'SAMEORIGIN', `${method} ${p}`);
    }
  }
  // A refused value's page too.
  const res = await page.request.post(h.url('stock_view.php'), { form: { insert_x: '1', name: 'x', qty: 'abc' } });
  assert.equal(res.headers()['x-frame-options'], 'SAMEORIGIN', 'the refusal');
});

// However an insert or update is refused, after its files were stored or
// not, the upload folder is as it was: the file that a kept name replaced
// holds its old bytes, and no file of the request is left.
test('a refused request leaves the upload folder as it was, the replaced file with its old bytes', async () => {
  const { page } = b;
  const folder = path.dirname(picture());
  const ALL = 'select id, holder, picture, scan, badge_no, issued, sign from badges order by id';
  h.exec(`UPDATE badges SET scan='scan1.png', badge_no='B-1' WHERE id=1;
    INSERT INTO badges (id, holder, picture, badge_no) VALUES (2, 'Bo', 'b2.png', 'B-2');`);
  const scanFile = path.join(folder, 'scan1.png');
  fs.writeFileSync(scanFile, 'the old scan');
  fs.writeFileSync(path.join(folder, 'b2.png'), 'png');
  const folderState = () => Object.fromEntries(fs.readdirSync(folder).sort().map((f) => [f, fs.readFileSync(path.join(folder, f), 'latin1')]));
  const before = h.query(ALL);
  const filesBefore = folderState();
  const newScan = () => file('scan1.png', Buffer.from('the new scan'));
  const uploadError = (text) => new RegExp(`^Error: ${text.replace(/[.*+?^${}()|[\]\\]/g, '\\$&')}`);

  // Each way a request is refused after its files were stored, or before.
  const refusals = [
    { what: 'a moment the server refuses', fill: { issued: '2024-02-30 10:00:00' }, message: ['Issued', () => h.tr('invalid date')] },
    { what: 'a second file of a type its field does not take', sign: file('sign.gif'), upload: 'This file type is not allowed. Only png files can be uploaded.' },
    { what: 'a second file too large', sign: file('sign.png', h.png(20000)), upload: 'The file you uploaded exceeds the maximum allowed size of 10 KB.' },
    { what: 'a badge number another badge holds', fill: { badge_no: 'B-2' }, message: ['Badge number', taken] },
    { what: 'a badge number another badge holds as the server compares it', fill: { badge_no: 'b-2 ' }, message: ['Badge number', taken] },
  ];
  async function refuse(button, c, files) {
    await page.goto(h.url('badges_view.php'));
    if (button === 'update') await h.selectRow(page, 1);
    else await page.fill('input[name=holder]', 'Cy');
    for (const [name, value] of Object.entries(c.fill || {})) await page.fill(`input[name=${name}]`, value);
    for (const [name, f] of Object.entries({ ...files, ...(c.sign ? { sign: c.sign } : {}) })) {
      await page.setInputFiles(`input[type=file][name=${name}]`, f);
    }
    await send(page, button);
    if (c.message) await assertRefused(page, c.message[0], c.message[1], `${button}: ${c.what}`);
    else if (c.upload) {
      const errors = await page.locator('div.Error').allInnerTexts();
      assert.equal(errors.length, 1, `${button}: ${c.what}: one message`);
      assert.match(h.norm(errors[0]), uploadError(c.upload), `${button}: ${c.what}`);
    }
    assert.deepEqual(h.query(ALL), before, `${button}: ${c.what}: no record changes`);
    assert.deepEqual(folderState(), filesBefore, `${button}: ${c.what}: the upload folder is as it was`);
  }

  for (const c of refusals) await refuse('update', c, { scan: newScan() });
  for (const c of refusals) await refuse('insert', c, { picture: file('p.png'), scan: file('fresh.png') });
  // insert's required picture is missing once the scan is stored
  await refuse('insert', { what: 'the required picture missing', message: ['Picture', () => h.tr('field not null')] }, { scan: file('fresh.png') });

  // A request that is not refused stores the new bytes under the kept name,
  // and nothing else is left in the folder.
  await page.goto(h.url('badges_view.php'));
  await h.selectRow(page, 1);
  await page.setInputFiles('input[type=file][name=scan]', newScan());
  await send(page, 'update');
  await h.assertNoSqlError(page, 'update with the kept name');
  assert.deepEqual(h.query(ALL), before, 'the record names the same file');
  assert.deepEqual(folderState(), { ...filesBefore, 'scan1.png': 'the new scan' });
});

// A value that a primary or unique key holds in another record is refused
// with the field's message, as the server compares values (case and
// trailing blanks as its collation has them); the record's own value is
// no other record's.
test('a value that a key holds in another record already is refused with the field\'s message', async () => {
  const { page } = b;
  const AISLES = 'select code, label from aisles order by code';
  h.exec(`DELETE FROM aisles; INSERT INTO aisles (code, label) VALUES ('A1', 'Front'), ('B2', 'Back');`);
  const before = h.query(AISLES);
  const cases = [
    ['insert', { code: 'A1', label: 'Side' }, 'Aisle code'],
    ['insert', { code: 'a1 ', label: 'Side' }, 'Aisle code'],
    ['insert', { code: 'C3', label: 'front' }, 'Aisle label'],
    ['update', { code: 'B2', label: 'Front' }, 'Aisle code'],
    ['update', { code: 'A1', label: 'BACK' }, 'Aisle label'],
  ];
  for (const [button, values, caption] of cases) {
    const what = `${button} ${JSON.stringify(values)}`;
    await page.goto(h.url('aisles_view.php'));
    if (button === 'update') await h.selectRow(page, 'A1');
    for (const [name, value] of Object.entries(values)) await page.fill(`input[name=${name}]`, value);
    await send(page, button);
    await assertRefused(page, caption, taken, what);
    assert.deepEqual(h.query(AISLES), before, `${what}: nothing changes`);
    if (caption === 'Aisle code' && button === 'insert') await h.screenshot(page, 'refused-taken-key');
  }
  // the record's own values, saved again, and a new one
  await page.goto(h.url('aisles_view.php'));
  await h.selectRow(page, 'A1');
  await page.fill('input[name=label]', 'front');
  await send(page, 'update');
  await h.assertNoSqlError(page, 'update with its own values');
  await page.goto(h.url('aisles_view.php'));
  await page.fill('input[name=code]', 'C3');
  await page.fill('input[name=label]', 'Side');
  await send(page, 'insert');
  await h.assertNoSqlError(page, 'insert of a new aisle');
  assert.deepEqual(h.query(AISLES), [['A1', 'front'], ['B2', 'Back'], ['C3', 'Side']]);
});
