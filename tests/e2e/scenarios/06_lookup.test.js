'use strict';
// Lookups: the drop-down offers the parent's captions in caption order, the
// list shows the parent caption, and a record with an empty lookup is
// still listed.
const { test } = require('node:test');
const h = require('../lib/harness');
const { assert } = h;

const b = h.useBrowser();

test('the lookup drop-down lists the parent captions in caption order', async () => {
  const { page } = b;
  await page.goto(h.url('products_view.php'));
  const options = await page.locator('select[name=category_id] option').evaluateAll((os) => os.map((o) => [o.value, o.textContent.trim()]));
  const expected = h.query('select id, name from categories order by name');
  assert.deepEqual(options.filter(([v]) => v !== ''), expected);
  // A selected record preselects its parent.
  await h.selectRow(page, 2);
  const sel = await page.locator('select[name=category_id] option:checked').evaluateAll((os) => os.map((o) => o.textContent.trim()));
  assert.deepEqual(sel, [h.scalar('select c.name from products p join categories c on c.id=p.category_id where p.id=2')]);
});

test('the list shows the parent caption', async () => {
  const { page } = b;
  await page.goto(h.url('products_view.php'));
  const l = await h.readList(page);
  const col = l.headers.indexOf('Category');
  const expected = h.query('select p.id, c.name from products p join categories c on c.id=p.category_id order by p.id limit 10');
  assert.deepEqual(l.rows.map((r) => [r[0], r[col]]), expected);
  // Renaming the parent shows at once in the child list.
  h.exec("update categories set name='Tools & more' where id=1");
  await page.reload();
  const l2 = await h.readList(page);
  assert.equal(l2.rows.find((r) => r[0] === '1')[col], 'Tools & more');
  h.exec("update categories set name='Tools' where id=1");
});

test('a record with an empty lookup is still listed', async () => {
  const { page } = b;
  assert.equal(h.scalar('select category_id from products where id=25'), null);
  await page.goto(h.url('products_view.php'));
  assert.equal((await h.footerNumbers(page)).count, h.PRODUCT_COUNT, 'the count includes it');
  await h.submit(page, () => page.locator('tr.TableFooter select').selectOption({ value: '2' }));
  const l = await h.readList(page);
  const r = l.rows.find((x) => x[0] === '25');
  assert.ok(r, `product 25 is on the last page: ${JSON.stringify(l.rows.map((x) => x[0]))}`);
  assert.equal(r[l.headers.indexOf('Category')], '');
  // So is one whose parent was removed behind the application's back.
  h.exec('update products set category_id=99 where id=24');
  await page.goto(h.url('products_view.php'));
  assert.equal((await h.footerNumbers(page)).count, h.PRODUCT_COUNT);
  h.exec('update products set category_id=3 where id=24');
});
