'use strict';
// The printer-friendly view: every record on one page and no controls.
const { test } = require('node:test');
const h = require('../lib/harness');
const { assert } = h;

const b = h.useBrowser();

test('print view lists every record on one page without controls', async () => {
  const { page } = b;
  await page.goto(h.url('products_view.php'));
  await h.submit(page, () => page.click('input[name=Print]'));
  await h.screenshot(page, 'print-view');
  const l = await h.readList(page);
  assert.equal(l.title, 'Products');
  assert.equal(l.rows.length, h.PRODUCT_COUNT);
  assert.deepEqual(await h.footerNumbers(page), { first: 1, last: h.PRODUCT_COUNT, count: h.PRODUCT_COUNT });
  const controls = await page.evaluate(() => ({
    imageButtons: [...document.querySelectorAll('input[type=image]')].map((i) => i.name || i.src),
    textBoxes: document.querySelectorAll('input[type=text], textarea').length,
    selects: [...document.querySelectorAll('select')].map((s) => s.name),
    selectionLinks: document.querySelectorAll('a[href*="SelectedID"]').length,
  }));
  assert.deepEqual(controls, { imageButtons: [], textBoxes: 0, selects: [], selectionLinks: 0 });
});

test('print view keeps the sort and the search', async () => {
  const { page } = b;
  await page.goto(h.url('products_view.php'));
  await page.fill('input[name=SearchString]', 'Product 1');
  await h.submit(page, () => page.click('input[name=Search]'));
  await h.submit(page, () => page.locator('td.TableHeader a').filter({ hasText: 'Product name' }).first().click());
  await h.submit(page, () => page.locator('td.TableHeader a').filter({ hasText: 'Product name' }).first().click());
  await h.submit(page, () => page.click('input[name=Print]'));
  const l = await h.readList(page);
  const expected = h.query("select id from products where name like '%Product 1%' or notes like '%Product 1%' order by name desc").map((r) => r[0]);
  assert.deepEqual(l.rows.map((r) => r[0]), expected);
});
