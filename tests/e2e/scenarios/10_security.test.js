'use strict';
// Requests crafted to change data or to reach SQL and HTML unescaped.
const { test, beforeEach } = require('node:test');
const h = require('../lib/harness');
const { assert } = h;

const b = h.useBrowser();
// Every test starts from the known data set.
beforeEach(() => h.seed());

const count = (t = 'products') => Number(h.scalar(`select count(*) from ${t}`));

test('a GET request never deletes, updates or inserts', async () => {
  const { page } = b;
  await page.goto(h.url('products_view.php?SelectedID=1&delete_x=1&delete_y=1'));
  assert.equal(count(), h.PRODUCT_COUNT, 'nothing deleted');
  await page.goto(h.url('products_view.php?SelectedID=1&update_x=1&name=changed&price=1'));
  assert.equal(h.scalar('select name from products where id=1'), 'Product 01', 'nothing updated');
  await page.goto(h.url('products_view.php?insert_x=1&name=added+by+get'));
  assert.equal(count(), h.PRODUCT_COUNT, 'nothing inserted');
  await page.goto(h.url('categories_view.php?SelectedID=4&delete_x=1'));
  assert.equal(count('categories'), 4);
});

test("SelectedID=1' or '1'='1 with delete or update changes nothing", async () => {
  const { page } = b;
  const problems = [];
  const products = () => h.query('select id, name from products order by id').map((r) => r.join(':')).join(',');
  const all = products();
  await page.goto(h.url('products_view.php'));
  for (const key of ["1' or '1'='1", "999' or '1'='1", "1 or 1=1"]) {
    await h.postFrom(page, 'products_view.php', { SelectedID: key, delete_x: '1', delete_y: '1' }, { multipart: true });
    if (products() !== all) problems.push(`delete with SelectedID=${key} deleted ${h.PRODUCT_COUNT - count()} record(s)`);
    h.seed();
    await h.postFrom(page, 'products_view.php', { SelectedID: key, update_x: '1', update_y: '1', name: 'all changed', addedYear: '2020', addedMonth: '01', addedDay: '01' }, { multipart: true });
    const changed = Number(h.scalar("select count(*) from products where name='all changed'"));
    if (changed) problems.push(`update with SelectedID=${key} changed ${changed} record(s)`);
    h.seed();
  }
  assert.deepEqual(problems, []);
});

test('an injected sort expression is ignored', async () => {
  const { page } = b;
  await page.goto(h.url('products_view.php'));
  await h.postFrom(page, 'products_view.php', { SortField: '1,(select 1)', SortDirection: 'asc', FirstRecord: '1' }, { multipart: true });
  await h.assertNoSqlError(page, 'SortField=1,(select 1)');
  assert.equal((await h.listIds(page)).length, 10);
  // A sort expression that would reverse the list if it reached SQL.
  await h.postFrom(page, 'products_view.php', { SortField: '2 desc, 1', SortDirection: 'asc', FirstRecord: '1' }, { multipart: true });
  await h.assertNoSqlError(page, 'SortField=2 desc, 1');
  assert.notEqual((await h.listIds(page))[0], '25', 'not sorted by the injected direction');
  await page.goto(h.url('products_view.php?SortField=(select%20sleep(3))&SortDirection=asc'));
  await h.assertNoSqlError(page, 'SortField by GET');
  await h.postFrom(page, 'products_view.php', { SortField: '2', SortDirection: 'desc, (select 1)', FirstRecord: '1' }, { multipart: true });
  await h.assertNoSqlError(page, 'SortDirection injection');
});

test('injected filter fields and operators are ignored', async () => {
  const { page } = b;
  await page.goto(h.url('products_view.php'));
  // Each would list exactly product 1 if it reached SQL.
  await h.postFrom(page, 'products_view.php', {
    'FilterAnd[1]': 'and', 'FilterField[1]': 'products.id=1 or products.name', 'FilterOperator[1]': '<=>', 'FilterValue[1]': 'zzz', FirstRecord: '1',
  }, { multipart: true });
  await h.assertNoSqlError(page, 'FilterField injection');
  assert.notEqual((await h.footerNumbers(page)).count, 1, 'the injected field did not filter');
  await h.postFrom(page, 'products_view.php', {
    'FilterAnd[1]': 'and', 'FilterField[1]': 'products.name', 'FilterOperator[1]': "like 'Product 01' or products.name like", 'FilterValue[1]': 'zzz', FirstRecord: '1',
  }, { multipart: true });
  await h.assertNoSqlError(page, 'FilterOperator injection');
  assert.notEqual((await h.footerNumbers(page)).count, 1, 'the injected operator did not filter');
  await h.postFrom(page, 'products_view.php', {
    'FilterAnd[1]': 'and', 'FilterField[1]': 'products.name', 'FilterOperator[1]': 'like', 'FilterValue[1]': "zzz' or '1'='1", FirstRecord: '1',
  }, { multipart: true });
  await h.assertNoSqlError(page, 'FilterValue with a quote');
  assert.equal((await h.footerNumbers(page)).count, 0, 'the value is compared as text');
  // A real filter still works.
  await h.postFrom(page, 'products_view.php', {
    'FilterAnd[1]': 'and', 'FilterField[1]': 'products.name', 'FilterOperator[1]': 'like', 'FilterValue[1]': 'Product 01', FirstRecord: '1',
  }, { multipart: true });
  assert.equal((await h.footerNumbers(page)).count, 1);
  assert.equal(count(), h.PRODUCT_COUNT);
});

test('a quick search holding SQL does not change the count', async () => {
  const { page } = b;
  await page.goto(h.url('products_view.php'));
  for (const text of ['x from users where 1=1 #', "x' or 1=1 #", 'Product 01 from products where 1=1 or ']) {
    await page.fill('input[name=SearchString]', text);
    await h.submit(page, () => page.click('input[name=Search]'));
    await h.assertNoSqlError(page, `search ${text}`);
    const f = await h.footerNumbers(page);
    assert.equal(f.count, 0, `nothing matches "${text}"`);
    assert.deepEqual(await h.listIds(page), []);
    assert.equal(await page.inputValue('input[name=SearchString]'), text);
  }
  assert.equal(count(), h.PRODUCT_COUNT);
});

// Short enough for a VARCHAR(40); LONG adds an image with an onerror handler.
const PAYLOAD = (n) => `'"><script>__owned=${n}</script>`;
const LONG = (n) => `${PAYLOAD(n)}<img src=x onerror="__owned=${n}">`;

async function assertNotMarkup(page, n, what) {
  const found = await page.evaluate((n) => ({
    scripts: [...document.scripts].filter((s) => s.textContent.includes(`__owned=${n}`)).length,
    handlers: [...document.querySelectorAll('[onerror]')].filter((e) => e.getAttribute('onerror').includes(`__owned=${n}`)).length,
    ran: window.__owned,
  }), n);
  assert.deepEqual(found, { scripts: 0, handlers: 0, ran: undefined }, `${what}: the value is echoed as markup`);
}

test("'><script> in request values is never echoed as markup", async () => {
  const { page } = b;
  await page.goto(h.url('products_view.php'));
  await h.postFrom(page, 'products_view.php', { SortField: LONG(1), SortDirection: 'asc', FirstRecord: '1' }, { multipart: true });
  await assertNotMarkup(page, 1, 'SortField');
  await h.postFrom(page, 'products_view.php', { SortField: '2', SortDirection: LONG(2), FirstRecord: '1' }, { multipart: true });
  await assertNotMarkup(page, 2, 'SortDirection');
  await page.goto(h.url(`products_view.php?SelectedID=${encodeURIComponent(LONG(3))}`));
  await assertNotMarkup(page, 3, 'SelectedID');
  await h.postFrom(page, 'products_view.php', { SearchString: LONG(4), Search_x: '1', FirstRecord: '1' }, { multipart: true });
  await assertNotMarkup(page, 4, 'SearchString');
  await h.postFrom(page, 'products_view.php', { FirstRecord: LONG(5) }, { multipart: true });
  await assertNotMarkup(page, 5, 'FirstRecord');
  await h.postFrom(page, 'products_view.php', {
    'FilterAnd[1]': 'and', 'FilterField[1]': 'products.name', 'FilterOperator[1]': 'like', 'FilterValue[1]': LONG(6), FirstRecord: '1',
  }, { multipart: true });
  await assertNotMarkup(page, 6, 'FilterValue');
  await h.postFrom(page, 'products_view.php', {
    'FilterAnd[5]': LONG(7), 'FilterField[1]': 'products.name', 'FilterOperator[1]': 'like', 'FilterValue[1]': '%', Filter_x: '1',
  }, { multipart: true });
  await assertNotMarkup(page, 7, 'the filter page');
});

test("'><script> in a stored value is never echoed as markup", async () => {
  const { page } = b;
  h.exec(`update products set name=${h.q(PAYLOAD(8))}, notes=${h.q(LONG(8))} where id=1`);
  h.exec(`update categories set name=${h.q(PAYLOAD(9))} where id=2`);
  await page.goto(h.url('products_view.php'));
  await assertNotMarkup(page, 8, 'the list');
  const l = await h.readList(page);
  assert.equal(l.rows[0][1], PAYLOAD(8), 'shown as text');
  await h.selectRow(page, 1);
  await assertNotMarkup(page, 8, 'the detail form');
  assert.equal(await h.formValue(page, 'name'), PAYLOAD(8));
  assert.equal(await h.formValue(page, 'notes'), LONG(8));
  await assertNotMarkup(page, 9, 'the lookup of the detail form');
  await h.submit(page, () => page.click('input[name=update]'));
  assert.equal(h.scalar('select name from products where id=1'), PAYLOAD(8), 'saved back unchanged');
  await h.submit(page, () => page.click('input[name=Print]'));
  await assertNotMarkup(page, 8, 'the print view');
  h.seed();
});

test('a crafted upload name cannot inject SQL', async () => {
  const { page } = b;
  await page.goto(h.url('contacts_view.php'));
  await page.fill('input[name=code]', 'UPL');
  await page.fill('input[name=name]', 'Uploader');
  await page.fill('input[name=email]', 'keep@example.com');
  await page.setInputFiles('input[type=file][name=card]', { name: "card', email='hacked.txt", mimeType: 'text/plain', buffer: Buffer.from('card') });
  await h.submit(page, () => page.click('input[name=insert]'));
  // A stored record sends the browser on to the list at once.
  await page.waitForURL(/SelectedID=UPL/, { timeout: 3000 }).catch(() => {});
  assert.notEqual(h.scalar("select email from contacts where code='UPL'"), 'hacked.txt', 'the name reached SQL');
  assert.equal(Number(h.scalar("select count(*) from contacts where email like '%hacked%'")), 0);
  const stored = h.scalar("select card from contacts where code='UPL'");
  if (stored !== undefined) assert.equal(h.scalar("select email from contacts where code='UPL'"), 'keep@example.com');
  // The same by update.
  h.exec("insert into contacts (code, name, email) values ('UPD', 'Updater', 'keep@example.com')");
  await page.goto(h.url('contacts_view.php?SelectedID=UPD'));
  await page.setInputFiles('input[type=file][name=card]', { name: "x', email='hacked2.txt", mimeType: 'text/plain', buffer: Buffer.from('card') });
  await h.submit(page, () => page.click('input[name=update]'));
  assert.equal(h.scalar("select email from contacts where code='UPD'"), 'keep@example.com');
  assert.equal(Number(h.scalar("select count(*) from contacts where email like '%hacked%'")), 0);
});
