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

// The page's raw text (windows-1252) of an answer.
const raw = async (response) => (await response.body()).toString('latin1');
async function rawAfter(page, action) {
  const [response] = await Promise.all([page.waitForNavigation({ waitUntil: 'load' }), action()]);
  return raw(response);
}

test('a letter outside windows-1252 arrives as its reference and shows as the letter everywhere', async () => {
  const { page } = b;
  const NAME = 'Łukasz';
  const REF = '&#321;ukasz';
  await page.goto(h.url('categories_view.php'));
  await page.fill('input[name=name]', NAME);
  await Promise.all([page.waitForURL(/SelectedID=\d+/), page.click('input[name=insert]')]);
  await page.waitForLoadState('load');
  // A latin1 column keeps the reference the browser posts; one whose
  // character set holds the letter (a server's default utf8mb4) the letter.
  const charset = h.scalar("select character_set_name from information_schema.columns where table_schema=database() and table_name='categories' and column_name='name'");
  const STORED = charset === 'latin1' ? REF : NAME;
  const id = h.scalar(`select id from categories where name=${h.q(STORED)}`);
  assert.ok(id, `the letter is stored as its ${charset} column holds it: ${h.query('select name from categories')}`);
  const seen = (html, what) => {
    assert.ok(html.includes(REF), `${what} carries ${REF}`);
    assert.ok(!html.includes('&amp;#321;'), `${what} escapes the reference a second time`);
  };
  // The list and the detail form of the selected record.
  seen(await raw(await page.goto(h.url(`categories_view.php?SelectedID=${id}`))), 'the list and the form');
  assert.equal((await h.readList(page)).rows.find((x) => x[0] === id)[1], NAME);
  assert.equal(await h.formValue(page, 'name'), NAME);
  // Saved back as it was stored.
  await h.submit(page, () => page.click('input[name=update]'));
  assert.equal(h.scalar(`select name from categories where id=${id}`), STORED);
  // The print view.
  seen(await rawAfter(page, () => page.click('input[name=Print]')), 'the print view');
  assert.ok((await h.readList(page)).rows.some((x) => x[1] === NAME), 'the print view shows the letter');
  // The quick search finds it and shows what was typed.
  await page.goto(h.url('categories_view.php'));
  await page.fill('input[name=SearchString]', NAME);
  seen(await rawAfter(page, () => page.click('input[name=Search]')), 'the quick search');
  assert.deepEqual(await h.listIds(page), [id]);
  assert.equal(await page.inputValue('input[name=SearchString]'), NAME);
  // The lookup of the child table, the parent caption in its list and a
  // read-only value of its form.
  h.exec(`update products set category_id=${id}, supplier_ref=${h.q(REF)} where id=1`);
  seen(await raw(await page.goto(h.url('products_view.php?SelectedID=1'))), 'the child list, its lookup and form');
  assert.equal(h.norm(await page.locator('select[name=category_id] option:checked').textContent()), NAME);
  const l = await h.readList(page);
  assert.equal(l.rows.find((x) => x[0] === '1')[l.headers.indexOf('Category')], NAME);
  h.seed();
});

test('beside a reference, markup, quotes and named entities stay escaped', async () => {
  const { page } = b;
  const STORED = '<b>&#x142;</b> "q" &amp; &#x';
  const SHOWN = '<b>ł</b> "q" &amp; &#x';
  const ESCAPED = '&lt;b&gt;&#x142;&lt;/b&gt; &quot;q&quot; &amp;amp; &amp;#x';
  h.exec(`update categories set name=${h.q(STORED)} where id=2`);
  h.exec('update products set category_id=2 where id=1');
  const html = await raw(await page.goto(h.url('products_view.php?SelectedID=1')));
  assert.ok(html.includes(`>${ESCAPED}</option>`), 'the lookup escapes the markup');
  assert.ok(html.split(ESCAPED).length > 2, 'the list escapes the markup as well');
  assert.equal(h.norm(await page.locator('select[name=category_id] option:checked').textContent()), SHOWN);
  const l = await h.readList(page);
  assert.equal(l.rows.find((x) => x[0] === '1')[l.headers.indexOf('Category')], SHOWN);
  assert.equal(await page.locator('tr[onmouseover] b').count(), 0, 'no markup in the list');
  await page.goto(h.url('categories_view.php?SelectedID=2'));
  assert.equal(await h.formValue(page, 'name'), SHOWN);
  h.seed();
});
