'use strict';
// Requests that once took over the set-up, changed data from other sites,
// crashed the record script or ended in an SQL error page, on the example
// project's application.
const { test } = require('node:test');
const fs = require('node:fs');
const path = require('node:path');
const h = require('../lib/harness');
const { assert } = h;

const b = h.useBrowser();

const appFile = (name) => path.join(h.cfg.app, name);
const connection = (changes = {}) => ({
  dbServer: `${h.cfg.db.host}:${h.cfg.db.port}`,
  dbUsername: h.cfg.db.user,
  dbPassword: h.cfg.db.pass,
  dbDatabase: h.cfg.db.name,
  ...changes,
});

test('without setup.md5 only the connection data of config.php run the set-up again', async () => {
  const { page } = b;
  const config = fs.readFileSync(appFile('config.php'));
  fs.unlinkSync(appFile('setup.md5'));
  const differ = h.norm(h.plain(h.tr('connection data differ')));
  await page.goto(h.url('setup.php'));
  for (const other of [{ dbDatabase: 'taken_over' }, { dbDatabase: `${h.cfg.db.name} ` }]) {
    await h.postFrom(page, 'setup.php', connection(other));
    const body = h.norm(await page.innerText('body'));
    assert.ok(body.includes(differ), `refused for ${JSON.stringify(other)}: ${body}`);
    assert.deepEqual(fs.readFileSync(appFile('config.php')), config, 'config.php unchanged');
    assert.ok(!fs.existsSync(appFile('setup.md5')), 'no digest written');
  }
  assert.equal(h.scalar("select count(*) from information_schema.schemata where schema_name='taken_over'"), '0', 'no database created');
  await h.postFrom(page, 'setup.php', connection());
  const body = await page.innerText('body');
  assert.ok(body.includes(h.plain(h.tr('table exists').replace('<TableName>', 'products').replace('<NumRecords>', h.PRODUCT_COUNT))), body);
  assert.deepEqual(fs.readFileSync(appFile('config.php')), config);
  assert.ok(fs.existsSync(appFile('setup.md5')), 'the same data go on and lock the set-up again');
});

test('an update that empties a required field or the key is refused like an insert', async () => {
  const { page } = b;
  h.seed();
  await page.goto(h.url('products_view.php'));
  await h.selectRow(page, 3);
  await page.fill('input[name=name]', '');
  await h.submit(page, () => page.click('input[name=update]'));
  await h.assertNoSqlError(page, 'update with an empty name');
  const err = h.norm(await page.locator('div.Error').first().innerText());
  assert.equal(err, h.norm(h.plain(`${h.tr('error:')} 'Product name': ${h.tr('field not null')}`)));
  assert.equal(h.scalar('select name from products where id=3'), 'Product 03', 'the record is unchanged');

  await page.goto(h.url('contacts_view.php?SelectedID=ANNA'));
  await page.fill('input[name=code]', '');
  await h.submit(page, () => page.click('input[name=update]'));
  await h.assertNoSqlError(page, 'update with an empty key');
  const keyErr = h.norm(await page.locator('div.Error').first().innerText());
  assert.equal(keyErr, h.norm(h.plain(`${h.tr('error:')} 'Code': ${h.tr('pkfield empty')}`)));
  assert.equal(h.scalar("select count(*) from contacts where code='ANNA'"), '1');
});

test('a contact code that another contact has is refused with the field\'s message, on insert and update', async () => {
  const { page } = b;
  h.seed();
  const CONTACTS = 'select code, name, email from contacts order by code';
  const before = h.query(CONTACTS);
  const taken = h.norm(h.plain(`${h.tr('error:')} 'Code': ${h.tr('value taken')}`));
  await page.goto(h.url('contacts_view.php'));
  await page.fill('input[name=code]', 'ANNA');
  await page.fill('input[name=name]', 'Another Anna');
  await h.submit(page, () => page.click('input[name=insert]'));
  await h.assertNoSqlError(page, 'insert of a taken code');
  assert.deepEqual((await page.locator('div.Error').allInnerTexts()).map(h.norm), [taken]);
  assert.deepEqual(h.query(CONTACTS), before, 'nothing stored');

  await page.goto(h.url('contacts_view.php?SelectedID=BO'));
  await page.fill('input[name=code]', 'anna');
  await h.submit(page, () => page.click('input[name=update]'));
  await h.assertNoSqlError(page, 'update to a taken code');
  assert.deepEqual((await page.locator('div.Error').allInnerTexts()).map(h.norm), [taken]);
  assert.deepEqual(h.query(CONTACTS), before, 'no record changed');
});

test('a lookup that may be empty keeps its empty choice', async () => {
  const { page } = b;
  h.seed();
  await page.goto(h.url('products_view.php?SelectedID=25'));
  assert.equal(await h.formValue(page, 'category_id'), '', 'the empty choice is shown');
  await h.submit(page, () => page.click('input[name=update]'));
  assert.equal(h.scalar('select category_id from products where id=25'), null, 'saved unchanged: still empty');
  // The empty choice stores NULL, on update and on insert.
  await page.goto(h.url('products_view.php'));
  await h.selectRow(page, 1);
  assert.equal(await h.formValue(page, 'category_id'), '1');
  await page.selectOption('select[name=category_id]', { value: '' });
  await h.submit(page, () => page.click('input[name=update]'));
  assert.equal(h.scalar('select category_id from products where id=1'), null);
  await page.goto(h.url('products_view.php'));
  assert.equal(await h.formValue(page, 'category_id'), '', 'a new record starts empty');
  await page.fill('input[name=name]', 'Without category');
  await h.submit(page, () => page.click('input[name=insert]'));
  // The stored record sends the browser on to the list at once.
  await page.waitForURL(/SelectedID=/);
  assert.deepEqual(h.query("select category_id from products where name='Without category'"), [[null]]);
});

test('values posted as arrays count as empty', async () => {
  const { page } = b;
  h.seed();
  await page.goto(h.url('products_view.php'));
  const log = new h.PhpLog();
  // insert: an array name is an empty name; an array note is no note
  const res = await page.request.post(h.url('products_view.php'), {
    multipart: { insert_x: '1', 'name[]': 'x', addedYear: '', addedMonth: '', addedDay: '' },
  });
  assert.equal(res.status(), 200, 'no fatal error');
  assert.equal(h.norm(h.plain((await res.text()).match(/<div class=Error>(.*?)<\/div>/s)?.[1] ?? '')),
    h.norm(h.plain(`${h.tr('error:')} 'Product name': ${h.tr('field not null')}`)));
  await h.postFrom(page, 'products_view.php', {
    insert_x: '1', name: 'Array notes', 'notes[]': 'x', 'status[x]': 'new', 'addedYear[]': '2020', 'addedMonth[]': '01', 'addedDay[]': '02',
  }, { multipart: true });
  await page.waitForURL(/SelectedID=/);
  await h.assertNoSqlError(page, 'insert with arrays');
  assert.deepEqual(h.query("select notes, status, added from products where name='Array notes'"), [[null, 'new', null]]);
  // update
  await h.postFrom(page, 'products_view.php', {
    update_x: '1', SelectedID: '2', name: 'Product 02', 'price[]': '9', status: 'new', addedYear: '2021', addedMonth: '03', addedDay: '04',
  }, { multipart: true });
  await h.assertNoSqlError(page, 'update with an array');
  assert.deepEqual(h.query('select price, added from products where id=2'), [[null, '2021-03-04']]);
  // an array upload is no upload
  await h.postFrom(page, 'contacts_view.php', { SelectedID: 'ANNA' });
  await h.submit(page, () => page.evaluate(() => {
    const input = document.querySelector('input[type=file][name=card]');
    input.name = 'card[]';
    document.querySelector('input[name=update]').click();
  }));
  await h.assertNoSqlError(page, 'update with an array upload');
  assert.equal(h.scalar("select card from contacts where code='ANNA'"), null);
  log.assertClean('requests with arrays');

  // set-up: the form again, nothing written
  const config = fs.readFileSync(appFile('config.php'));
  fs.unlinkSync(appFile('setup.md5'));
  const setup = await page.request.post(h.url('setup.php'), {
    form: { 'dbServer[]': h.cfg.db.host, 'dbUsername[]': h.cfg.db.user, dbPassword: h.cfg.db.pass, 'dbDatabase[x]': h.cfg.db.name },
  });
  assert.equal(setup.status(), 200, 'no fatal error in setup.php');
  assert.ok((await setup.text()).includes('name="dbServer"'), 'the form is shown');
  assert.deepEqual(fs.readFileSync(appFile('config.php')), config);
  await h.postFrom(page, 'setup.php', connection());
  assert.ok(fs.existsSync(appFile('setup.md5')));
});

test("an upload kept under its own name never replaces another record's file", async () => {
  const { page } = b;
  h.seed();
  const folder = path.join(h.cfg.app, h.tr('ImageFolder'));
  const blank = fs.readFileSync(path.join(folder, 'blank.gif'));
  const upload = async (code, name, text) => {
    await page.goto(h.url(`contacts_view.php?SelectedID=${code}`));
    await page.setInputFiles('input[type=file][name=card]', { name, mimeType: 'text/plain', buffer: Buffer.from(text) });
    await h.submit(page, () => page.click('input[name=update]'));
  };
  const refused = async (name) => {
    await h.assertNoSqlError(page, `upload of ${name}`);
    const msg = h.norm(await page.locator('div.Error').first().innerText());
    assert.equal(msg, `Error: A file named '${name}' exists already in the upload folder. Rename your file and upload it again. Back to table.`);
  };
  await upload('ANNA', 'shared-name.txt', 'Anna');
  assert.equal(h.scalar("select card from contacts where code='ANNA'"), 'shared-name.txt');
  await upload('BO', 'shared-name.txt', 'Bo');
  await refused('shared-name.txt');
  assert.equal(h.scalar("select card from contacts where code='BO'"), null, 'the record keeps its old file');
  assert.equal(fs.readFileSync(path.join(folder, 'shared-name.txt'), 'latin1'), 'Anna', "the other record's file stays");
  await upload('BO', 'blank.gif', 'GIF');
  await refused('blank.gif');
  assert.deepEqual(fs.readFileSync(path.join(folder, 'blank.gif')), blank, 'blank.gif stays');
  // An insert under a taken name stores nothing.
  await page.goto(h.url('contacts_view.php'));
  await page.fill('input[name=code]', 'NEW');
  await page.setInputFiles('input[type=file][name=card]', { name: 'shared-name.txt', mimeType: 'text/plain', buffer: Buffer.from('New') });
  await h.submit(page, () => page.click('input[name=insert]'));
  await refused('shared-name.txt');
  assert.equal(h.scalar("select count(*) from contacts where code='NEW'"), '0');
  // The record's own file may be replaced.
  await upload('ANNA', 'shared-name.txt', 'Anna again');
  assert.equal(fs.readFileSync(path.join(folder, 'shared-name.txt'), 'latin1'), 'Anna again');
  assert.equal(h.scalar("select card from contacts where code='ANNA'"), 'shared-name.txt');
});

test('huge and negative paging values land on pages that exist', async () => {
  const { page } = b;
  h.seed();
  const started = Date.now();
  await page.goto(h.url('products_view.php?FirstRecord=100000000000'));
  assert.ok(Date.now() - started < 5000, 'answered at once');
  await h.assertNoSqlError(page, 'FirstRecord=100000000000');
  assert.deepEqual(await h.footerNumbers(page), { first: 20, last: 25, count: h.PRODUCT_COUNT });
  for (const [fields, first, last] of [
    [{ FirstRecord: '11', ScrollUp_y: '-40', ScrollUp_x: '1' }, 1, 10],
    [{ FirstRecord: '1', ScrollDn_y: '99999999999999', ScrollDn_x: '1' }, 21, 25],
    [{ FirstRecord: '-99999999999' }, 1, 10],
  ]) {
    await h.postFrom(page, 'products_view.php', fields, { multipart: true });
    await h.assertNoSqlError(page, JSON.stringify(fields));
    assert.deepEqual(await h.footerNumbers(page), { first, last, count: h.PRODUCT_COUNT }, JSON.stringify(fields));
  }
  // no record matches: the first, empty page
  await h.postFrom(page, 'products_view.php', { SearchString: 'no such product', FirstRecord: '100000000000' }, { multipart: true });
  assert.deepEqual(await h.footerNumbers(page), { first: 1, last: 0, count: 0 });
});

test('a missing or unknown filter join word joins with and', async () => {
  const { page } = b;
  h.seed();
  await page.goto(h.url('products_view.php'));
  const filters = (and2, and5) => ({
    'FilterField[1]': 'products.name', 'FilterOperator[1]': 'like', 'FilterValue[1]': 'Product 1%',
    'FilterAnd[2]': and2, 'FilterField[2]': 'products.status', 'FilterOperator[2]': '<=>', 'FilterValue[2]': 'new',
    'FilterAnd[5]': and5, 'FilterField[5]': 'products.price', 'FilterOperator[5]': '>', 'FilterValue[5]': '14',
    FirstRecord: '1',
  });
  // Product 10..19 that are new: 12, 15, 18; of them priced above 14: 15, 18
  const expected = h.query("select id from products where name like 'Product 1%' and status='new' and price > 14 order by id").map((r) => r[0]);
  for (const [and2, and5] of [['or 1=1 or', 'or 1=1 or'], ['', ''], ['AND', 'Or']]) {
    await h.postFrom(page, 'products_view.php', filters(and2, and5), { multipart: true });
    await h.assertNoSqlError(page, `FilterAnd ${and2}/${and5}`);
    assert.deepEqual(await h.listIds(page), expected, `FilterAnd ${and2}/${and5}`);
  }
  // the words offered still join as chosen
  await h.postFrom(page, 'products_view.php', filters('or', 'and'), { multipart: true });
  assert.equal((await h.footerNumbers(page)).count,
    Number(h.scalar("select count(*) from products where (name like 'Product 1%' or status='new') and price > 14")));
});

test('a post from another site changes nothing; one from the page itself does', async () => {
  const { page } = b;
  h.seed();
  const post = (form, headers) => page.request.post(h.url('products_view.php'), { multipart: form, headers });
  const foreign = [
    { Origin: 'http://evil.example' },
    { Referer: 'http://evil.example/form.html' },
    { Origin: 'null' },
    { Origin: `http://${h.cfg.base.split('//')[1].split(':')[0]}:1` },
  ];
  for (const headers of foreign) {
    await post({ delete_x: '1', SelectedID: '1' }, headers);
    await post({ update_x: '1', SelectedID: '2', name: 'changed', addedYear: '', addedMonth: '', addedDay: '' }, headers);
    await post({ insert_x: '1', name: 'inserted', addedYear: '', addedMonth: '', addedDay: '' }, headers);
    const saved = await post({ SaveFilter_x: '1', 'FilterField[1]': 'products.name', 'FilterOperator[1]': 'like', 'FilterValue[1]': 'x' }, headers);
    assert.ok(!(await saved.text()).includes(h.tr('saved filters title')), `no saved filters for ${JSON.stringify(headers)}`);
    assert.equal(h.scalar('select count(*) from products'), String(h.PRODUCT_COUNT), `nothing inserted or deleted for ${JSON.stringify(headers)}`);
    assert.equal(h.scalar('select name from products where id=2'), 'Product 02', `nothing updated for ${JSON.stringify(headers)}`);
  }
  // the application's own page, and a request that names no page, go on
  await post({ update_x: '1', SelectedID: '2', name: 'by the page', addedYear: '', addedMonth: '', addedDay: '' }, { Origin: h.cfg.base });
  assert.equal(h.scalar('select name from products where id=2'), 'by the page');
  await post({ update_x: '1', SelectedID: '2', name: 'by a script', addedYear: '', addedMonth: '', addedDay: '' }, {});
  assert.equal(h.scalar('select name from products where id=2'), 'by a script');
  await post({ update_x: '1', SelectedID: '2', name: 'by a referer', addedYear: '', addedMonth: '', addedDay: '' }, { Referer: `${h.cfg.base}/products_view.php` });
  assert.equal(h.scalar('select name from products where id=2'), 'by a referer');
  const saved = await post({ SaveFilter_x: '1', 'FilterField[1]': 'products.name', 'FilterOperator[1]': 'like', 'FilterValue[1]': 'x' }, { Origin: h.cfg.base });
  assert.ok((await saved.text()).includes(h.tr('saved filters title')));
});
