'use strict';
// Quick search (a percent sign and an underscore act as wildcards), the
// filter page with two filters joined by and / or, clearing the filters,
// and the saved-filters code.
const { test } = require('node:test');
const h = require('../lib/harness');
const { assert } = h;

const b = h.useBrowser();

async function search(page, text) {
  await page.fill('input[name=SearchString]', text);
  await h.submit(page, () => page.click('input[name=Search]'));
}

test('quick search looks in every column, with % and _ as wildcards', async () => {
  const { page } = b;
  await page.goto(h.url('products_view.php'));
  await search(page, 'Product 0');
  assert.deepEqual(await h.footerNumbers(page), { first: 1, last: 9, count: 9 });
  assert.equal(await page.inputValue('input[name=SearchString]'), 'Product 0', 'the search text stays in its box');
  await search(page, 'Product _5');
  assert.deepEqual((await h.listIds(page)).sort(), ['15', '25', '5'].sort());
  await search(page, '%');
  assert.equal((await h.footerNumbers(page)).count, h.PRODUCT_COUNT);
  // The parent caption and the other columns are searched too.
  await search(page, 'Garden');
  assert.equal((await h.footerNumbers(page)).count, Number(h.scalar('select count(*) from products where category_id=3')));
  await search(page, 'SUP-12');
  assert.deepEqual(await h.listIds(page), ['12']);
  await search(page, '');
  assert.equal((await h.footerNumbers(page)).count, h.PRODUCT_COUNT);
});

async function openFilters(page) {
  await h.submit(page, () => page.click('input[name=Filter]'));
  assert.equal(await page.locator('select[name="FilterField[1]"]').count(), 1, 'the filter page is shown');
}

async function setSlot(page, i, { and, field, op, value }) {
  if (and) await page.selectOption(`select[name="FilterAnd[${i}]"]`, { value: and });
  await page.selectOption(`select[name="FilterField[${i}]"]`, { label: field });
  await page.selectOption(`select[name="FilterOperator[${i}]"]`, { value: op });
  await page.fill(`input[name="FilterValue[${i}]"]`, value);
}

const apply = (page) => h.submit(page, () => page.click('input[src="applyFilters.gif"]'));

test('the filter page offers 12 slots with the fields and nine operators', async () => {
  const { page } = b;
  await page.goto(h.url('products_view.php'));
  await openFilters(page);
  await h.screenshot(page, 'filters-page');
  for (let i = 1; i <= 12; i++) assert.equal(await page.locator(`select[name="FilterField[${i}]"]`).count(), 1, `slot ${i}`);
  assert.equal(await page.locator('select[name="FilterField[13]"]').count(), 0);
  assert.equal(await page.locator('select[name="FilterAnd[1]"]').count(), 0, 'slot 1 has no and/or');
  const fields = (await page.locator('select[name="FilterField[1]"] option').allInnerTexts()).map(h.norm).filter((t) => t !== '');
  assert.deepEqual(fields, ['ID', 'Product name', 'Category', 'Added on', 'Status', 'Price', 'Notes', 'Photo', 'Internal code', 'Supplier ref']);
  const ops = await page.locator('select[name="FilterOperator[1]"] option').evaluateAll((os) => os.map((o) => o.value));
  // The select's own empty choice comes before the blank entry of the list.
  assert.deepEqual(ops, ['', '', '<=>', '!=', '>', '>=', '<', '<=', 'like', 'not like']);
});

test('two filters joined by or, then by and; clearing them', async () => {
  const { page } = b;
  await page.goto(h.url('products_view.php'));
  await openFilters(page);
  await setSlot(page, 1, { field: 'Price', op: '>', value: '20' });
  await setSlot(page, 2, { and: 'or', field: 'Product name', op: 'like', value: 'Product 01' });
  await apply(page);
  let expected = Number(h.scalar("select count(*) from products where price > 20 or name like 'Product 01'"));
  assert.deepEqual(await h.footerNumbers(page), { first: 1, last: expected, count: expected });
  // The filters travel with paging and sorting as hidden fields.
  assert.equal(await page.locator('input[type=hidden][name="FilterField[1]"]').count(), 1);

  await openFilters(page);
  assert.equal(await page.inputValue('input[name="FilterValue[1]"]'), '20', 'the filter page shows the filters in use');
  await setSlot(page, 2, { and: 'and', field: 'Product name', op: 'like', value: 'Product 2%' });
  await apply(page);
  expected = Number(h.scalar("select count(*) from products where price > 20 and name like 'Product 2%'"));
  assert.ok(expected > 0 && expected < 10);
  assert.deepEqual(await h.footerNumbers(page), { first: 1, last: expected, count: expected });
  assert.deepEqual((await h.listIds(page)).sort(), h.query("select id from products where price > 20 and name like 'Product 2%'").map((r) => r[0]).sort());

  await h.submit(page, () => page.click('input[name=NoFilter]'));
  assert.equal((await h.footerNumbers(page)).count, h.PRODUCT_COUNT);
  assert.equal(await page.locator('input[type=hidden][name="FilterField[1]"]').count(), 0);
});

test('saved filters show their code', async () => {
  const { page } = b;
  await page.goto(h.url('products_view.php'));
  await openFilters(page);
  await setSlot(page, 1, { field: 'Status', op: '<=>', value: 'on sale' });
  await h.submit(page, () => page.click('input[name=SaveFilter]'));
  const code = await page.inputValue('textarea');
  assert.match(code, /<form[^>]*method=.?post/i);
  assert.match(code, /FilterField\[1\]/);
  assert.match(code, /products\.status/);
  assert.match(code, /FilterOperator\[1\]/);
  assert.match(code, /on sale/);
  assert.match(code, /Show Filtered Data/);
  await h.screenshot(page, 'saved-filters');
  // The list under the box is filtered already.
  const expected = Number(h.scalar("select count(*) from products where status='on sale'"));
  assert.equal((await h.footerNumbers(page)).count, expected);
});
