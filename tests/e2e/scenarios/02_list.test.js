'use strict';
// The list page: title, headers, first page, footer; sorting by a text
// column both ways with the arrow images, by a DATE column in date order;
// paging with next, previous and the page menu at both ends.
const { test } = require('node:test');
const h = require('../lib/harness');
const { assert } = h;

const b = h.useBrowser();

const HEADERS = ['ID', 'Product name', 'Category', 'Added on', 'Status', 'Price', 'Notes', 'Photo', 'Supplier ref'];
const ids = (sql) => h.query(sql).map((r) => r[0]);

test('the first page: title, headers, ten rows and the footer', async () => {
  const { page } = b;
  await page.goto(h.url('products_view.php'));
  await h.screenshot(page, 'list-page');
  const l = await h.readList(page);
  assert.equal(l.title, 'Products');
  assert.deepEqual(l.headers, HEADERS, 'visible fields in field order, hidden field left out');
  assert.equal(l.rows.length, 10);
  assert.deepEqual(l.rows.map((r) => r[0]), ids('select id from products order by id limit 10'));
  // One row in full: the lookup shows the parent caption, the date the
  // project's month/day/year form.
  const r1 = h.query("select p.id, p.name, c.name, date_format(p.added, '%m/%d/%Y'), p.status, p.price, p.notes, p.supplier_ref from products p left join categories c on c.id=p.category_id where p.id=1")[0];
  assert.deepEqual(l.rows[0], [r1[0], r1[1], r1[2], r1[3], r1[4], r1[5], r1[6], '', r1[7]]);
  assert.deepEqual(await h.footerNumbers(page), { first: 1, last: 10, count: h.PRODUCT_COUNT });
});

async function clickHeader(page, caption) {
  const link = page.locator('td.TableHeader a').filter({ hasText: caption });
  await h.submit(page, () => link.first().click());
}

const arrowsOf = (l) => l.arrows.map((a) => `${a.header}:${a.src}`);

test('sorting by a text column ascending then descending, with arrows', async () => {
  const { page } = b;
  await page.goto(h.url('products_view.php'));
  await clickHeader(page, 'Product name');
  let l = await h.readList(page);
  assert.deepEqual(l.rows.map((r) => r[1]), h.query('select name from products order by name asc limit 10').map((r) => r[0]));
  // The sorted column's link offers the other direction and shows its image.
  assert.deepEqual(arrowsOf(l), ['Product name:desc.gif']);
  await clickHeader(page, 'Product name');
  l = await h.readList(page);
  assert.deepEqual(l.rows.map((r) => r[1]), h.query('select name from products order by name desc limit 10').map((r) => r[0]));
  assert.deepEqual(arrowsOf(l), ['Product name:asc.gif']);
  // The sort survives paging.
  await h.submit(page, () => page.click('input[name=Next]'));
  l = await h.readList(page);
  assert.deepEqual(l.rows.map((r) => r[1]), h.query('select name from products order by name desc limit 10,10').map((r) => r[0]));
});

test('sorting by a DATE column uses date order, not text order', async () => {
  const { page } = b;
  await page.goto(h.url('products_view.php'));
  await clickHeader(page, 'Added on');
  let l = await h.readList(page);
  const byDate = ids('select id from products order by added asc, id limit 10');
  const byText = ids("select id from products order by date_format(added,'%m/%d/%Y') asc limit 10");
  assert.notDeepEqual(byDate, byText, 'the data set tells the two orders apart');
  assert.deepEqual(l.rows.map((r) => r[0]), byDate);
  assert.deepEqual(arrowsOf(l), ['Added on:desc.gif'], 'the date column is marked as sorted');
  await clickHeader(page, 'Added on');
  l = await h.readList(page);
  assert.deepEqual(l.rows.map((r) => r[0]), ids('select id from products order by added desc, id limit 10'));
  assert.deepEqual(arrowsOf(l), ['Added on:asc.gif']);
});

test('paging: next and previous at both ends, and the page menu', async () => {
  const { page } = b;
  await page.goto(h.url('products_view.php'));
  const expectPage = async (first, last) => {
    assert.deepEqual(await h.footerNumbers(page), { first, last, count: h.PRODUCT_COUNT });
    assert.deepEqual(await h.listIds(page), ids(`select id from products order by id limit ${first - 1},${last - first + 1}`));
  };
  await h.submit(page, () => page.click('input[name=Previous]'));
  await expectPage(1, 10);
  await h.submit(page, () => page.click('input[name=Next]'));
  await expectPage(11, 20);
  await h.submit(page, () => page.click('input[name=Next]'));
  await expectPage(21, 25);
  await h.submit(page, () => page.click('input[name=Next]'));
  await expectPage(21, 25);
  await h.submit(page, () => page.click('input[name=Previous]'));
  await expectPage(11, 20);
  // The page menu: three pages, the current one selected.
  const menu = page.locator('tr.TableFooter select');
  assert.deepEqual(await menu.locator('option').allInnerTexts(), ['1', '2', '3']);
  assert.equal(await menu.inputValue(), '1');
  await h.submit(page, () => menu.selectOption({ value: '2' }));
  await expectPage(21, 25);
  assert.equal(await page.locator('tr.TableFooter select').inputValue(), '2');
  await h.submit(page, () => page.locator('tr.TableFooter select').selectOption({ value: '0' }));
  await expectPage(1, 10);
  // Ten records or fewer: one page, no page menu.
  h.exec('delete from products where id > 10');
  await page.goto(h.url('products_view.php'));
  assert.deepEqual(await h.footerNumbers(page), { first: 1, last: 10, count: 10 });
  assert.equal(await page.locator('tr.TableFooter select').count(), 0);
  h.seed();
});
