'use strict';
// Text outside ASCII is stored, listed, edited and saved back unchanged.
const { test } = require('node:test');
const h = require('../lib/harness');
const { assert } = h;

const b = h.useBrowser();

const NAME = 'Café Müller';
// Shorter than the 40 characters after which the list cuts the text.
const DESC = 'Crème brûlée — 5 € «fine»';

test('non-ASCII text is entered, listed, edited and saved back unchanged', async () => {
  const { page } = b;
  await page.goto(h.url('categories_view.php'));
  await page.fill('input[name=name]', NAME);
  await page.fill('textarea[name=description]', DESC);
  await Promise.all([page.waitForURL(/SelectedID=\d+/), page.click('input[name=insert]')]);
  await page.waitForLoadState('load');
  const id = h.scalar(`select id from categories where name=${h.q(NAME)}`);
  assert.ok(id, 'stored with the same characters');
  assert.equal(h.scalar(`select description from categories where id=${id}`), DESC);
  // Listed.
  const l = await h.readList(page);
  const r = l.rows.find((x) => x[0] === id);
  assert.ok(r, 'listed');
  assert.equal(r[1], NAME);
  assert.equal(r[2], DESC);
  // In the form.
  assert.equal(await h.formValue(page, 'name'), NAME);
  assert.equal(await h.formValue(page, 'description'), DESC);
  // Saved back untouched by an update of another field...
  await page.fill('textarea[name=description]', `${DESC}!`);
  await h.submit(page, () => page.click('input[name=update]'));
  assert.equal(h.scalar(`select name from categories where id=${id}`), NAME);
  assert.equal(h.scalar(`select description from categories where id=${id}`), `${DESC}!`);
  // ... and by an update that changes nothing.
  await h.submit(page, () => page.click('input[name=update]'));
  assert.equal(h.scalar(`select name from categories where id=${id}`), NAME);
  assert.equal(h.scalar(`select description from categories where id=${id}`), `${DESC}!`);
  // Found by the quick search and offered by the lookup of the child table.
  await page.fill('input[name=SearchString]', 'Müller');
  await h.submit(page, () => page.click('input[name=Search]'));
  assert.deepEqual(await h.listIds(page), [id]);
  await page.goto(h.url('products_view.php'));
  const labels = await page.locator('select[name=category_id] option').allInnerTexts();
  assert.ok(labels.map(h.norm).includes(NAME), `the lookup offers ${NAME}: ${labels}`);
});
