'use strict';
// The navigation menu moves between the tables; a table with its table
// view hidden shows only the form; the index page links every table.
const { test } = require('node:test');
const h = require('../lib/harness');
const { assert } = h;

const b = h.useBrowser();

test('the navigation menu moves between tables', async () => {
  const { page } = b;
  await page.goto(h.url('products_view.php'));
  const labels = (await page.locator('select[name=nav_menu] option').allInnerTexts()).map(h.norm);
  assert.deepEqual(labels, [h.norm(h.plain(h.tr('select a table'))), h.norm(h.plain(h.tr('homepage'))), 'Categories', 'Products', 'Contacts']);
  await Promise.all([page.waitForURL(/categories_view\.php\?t=\d+/), page.selectOption('select[name=nav_menu]', { label: 'Categories' })]);
  await page.waitForLoadState('load');
  assert.equal((await h.readList(page)).title, 'Categories');
  await Promise.all([page.waitForURL(/contacts_view\.php\?t=\d+/), page.selectOption('select[name=nav_menu]', { label: 'Contacts' })]);
  await page.waitForLoadState('load');
  assert.equal((await h.readList(page)).title, 'Contacts');
  await Promise.all([page.waitForURL(/index\.html$/), page.selectOption('select[name=nav_menu]', { label: h.norm(h.plain(h.tr('homepage'))) })]);
});

test('a table with its table view hidden shows only the form', async () => {
  const { page } = b;
  await page.goto(h.url('contacts_view.php'));
  await h.screenshot(page, 'hidden-table-view');
  const l = await h.readList(page);
  assert.equal(l.title, 'Contacts');
  assert.deepEqual(l.rows, [], 'no records listed');
  assert.deepEqual(l.headers, [], 'no column headers');
  assert.equal(await page.locator('input[name=Next]').count(), 0, 'no paging');
  assert.equal(await page.locator('input[name=SearchString]').count(), 0);
  assert.equal(await page.locator('input[type=image][name=insert]').count(), 1, 'the form with its insert button');
  const body = await page.innerText('body');
  assert.ok(!body.includes('Anna Berg'), 'no record shown');
  // Inserting works and shows the new record in the form, without an
  // insert button while a record is shown.
  await page.fill('input[name=code]', 'CARL');
  await page.fill('input[name=name]', 'Carl Ek');
  await page.fill('input[name=email]', 'carl@example.com');
  await Promise.all([page.waitForURL(/SelectedID=CARL/), page.click('input[name=insert]')]);
  await page.waitForLoadState('load');
  assert.equal(h.scalar("select name from contacts where code='CARL'"), 'Carl Ek');
  assert.equal(await h.formValue(page, 'name'), 'Carl Ek');
  assert.equal(await page.locator('input[type=image][name=insert]').count(), 0);
  assert.equal(await page.locator('input[type=image][name=update]').count(), 1);
});

test('the index page links every table', async () => {
  const { page } = b;
  await page.goto(h.url('index.html'));
  const hrefs = await page.locator('a').evaluateAll((as) => as.map((a) => a.getAttribute('href')));
  for (const t of ['categories', 'products', 'contacts']) {
    assert.ok(hrefs.some((x) => x && x.startsWith(`${t}_view.php`)), `a link to ${t}_view.php in ${JSON.stringify(hrefs)}`);
  }
});
