'use strict';
// Before the application is set up every page shows only the set-up error;
// setup.php asks for the connection, writes config.php, creates the tables
// and refuses to run a second time.
const { test } = require('node:test');
const fs = require('node:fs');
const path = require('node:path');
const h = require('../lib/harness');
const { assert } = h;

// The set-up itself is under test: nothing is set up or seeded first, and
// each test checks the PHP log for what it did.
const b = h.useBrowser({ setup: false, checkLog: false });
const { log } = b;

test('every page shows only the set-up error before set-up', { skip: h.configured() && 'already set up' }, async () => {
  const expected = h.norm(h.plain(`${h.tr('error:')} ${h.tr("if you haven't set up")}`));
  for (const p of ['categories_view.php', 'products_view.php', 'contacts_view.php']) {
    await b.page.goto(h.url(p));
    const body = h.norm(await b.page.innerText('body'));
    assert.equal(body, expected, `${p} shows the set-up error and nothing else`);
    assert.equal(await b.page.locator('div.Error').count(), 1, `${p} has one error box`);
    assert.equal(await b.page.locator('form').count(), 0, `${p} has no form`);
  }
  await log.check('the pages before set-up');
});

test('setup.php asks for the connection and reports a wrong one', { skip: h.configured() && 'already set up' }, async () => {
  const { page } = b;
  await page.goto(h.url('setup.php'));
  for (const n of ['dbServer', 'dbUsername', 'dbDatabase']) {
    assert.equal(await page.locator(`input[type=text][name=${n}]`).count(), 1, `field ${n}`);
  }
  assert.equal(await page.locator('input[type=password][name=dbPassword]').count(), 1, 'password field');
  assert.ok((await page.innerText('body')).includes(h.plain(h.tr('provide connection data'))));
  await screenshot(page, 'setup-form');
  // A wrong password: the form again, with the red connection error.
  await page.fill('input[name=dbServer]', `${h.cfg.db.host}:${h.cfg.db.port}`);
  await page.fill('input[name=dbUsername]', h.cfg.db.user);
  await page.fill('input[name=dbPassword]', 'wrong password');
  await page.fill('input[name=dbDatabase]', h.cfg.db.name);
  await h.submit(page, () => page.click('input[type=submit]'));
  assert.ok((await page.innerText('body')).includes(h.plain(h.tr('no db connection'))), 'connection error shown');
  assert.equal(await page.locator('input[name=dbServer]').count(), 1, 'the form is shown again');
  assert.ok(!h.configured(), 'no config.php after a failed connection');
  await log.check('setup.php with a wrong connection');
});

async function screenshot(page, name) { await h.screenshot(page, name); }

test('setup.php writes config.php and creates the tables', { skip: h.configured() && 'already set up' }, async () => {
  const { page } = b;
  await page.goto(h.url('setup.php'));
  await page.fill('input[name=dbServer]', `${h.cfg.db.host}:${h.cfg.db.port}`);
  await page.fill('input[name=dbUsername]', h.cfg.db.user);
  await page.fill('input[name=dbPassword]', h.cfg.db.pass);
  await page.fill('input[name=dbDatabase]', h.cfg.db.name);
  await h.submit(page, () => page.click('input[type=submit]'));
  const body = await page.innerText('body');
  await screenshot(page, 'setup-done');
  assert.ok(h.configured(), `config.php written; the page said:\n${body}`);
  const config = fs.readFileSync(path.join(h.cfg.app, 'config.php'), 'latin1');
  assert.match(config, new RegExp(`\\$dbServer="${h.cfg.db.host}:${h.cfg.db.port}";`));
  assert.match(config, new RegExp(`\\$dbDatabase="${h.cfg.db.name}";`));
  for (const t of ['categories', 'products', 'contacts']) {
    assert.ok(body.includes(h.plain(h.tr('creating table').replace('<TableName>', t))), `creating ${t} reported`);
    assert.equal(h.scalar(`select count(*) from information_schema.tables where table_schema='${h.cfg.db.name}' and table_name='${t}'`), '1', `table ${t} exists`);
  }
  assert.ok(!body.includes(h.plain(h.tr('failed'))), `no statement failed:\n${body}`);
  assert.ok(fs.existsSync(path.join(h.cfg.app, 'setup.md5')), 'setup.md5 written');
  // The columns as the project defines them.
  const cols = Object.fromEntries(h.query(`select column_name, concat_ws(' ', column_type, is_nullable, ifnull(column_default, '-'), column_key, extra) from information_schema.columns where table_schema='${h.cfg.db.name}' and table_name='products'`));
  assert.deepEqual(cols, {
    id: 'int(11) unsigned NO - PRI auto_increment',
    name: 'varchar(60) NO -  ',
    category_id: 'int(11) unsigned YES NULL  ',
    added: 'date YES NULL  ',
    status: "varchar(20) YES 'new'  ",
    price: 'decimal(10,2) YES NULL  ',
    notes: 'text YES NULL  ',
    photo: 'varchar(100) YES NULL  ',
    internal_code: 'varchar(10) YES NULL  ',
    supplier_ref: 'varchar(20) YES NULL  ',
  });
  await log.check('setup.php');
});

test('setup.php refuses a second run', async () => {
  const { page } = b;
  await h.ensureSetup(page);
  await page.goto(h.url('setup.php'));
  const body = await page.innerText('body');
  assert.ok(body.includes(h.plain(h.tr('setup performed'))), `second run refused: ${body}`);
  assert.equal(await page.locator('input[name=dbServer]').count(), 0, 'no connection form');
  await log.check('the second run of setup.php');
});

test('after set-up the list pages work', async () => {
  const { page } = b;
  await page.goto(h.url('products_view.php'));
  const l = await h.readList(page);
  assert.deepEqual(l.errors, []);
  assert.equal(l.title, 'Products');
  await log.check('the first list page');
});
