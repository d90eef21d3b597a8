'use strict';
// The application of staff.tzx: a text key shown in the table view,
// captions with " as ", quotes and commas beside an image column, a lookup
// into the table itself that may be empty, and hidden fields, one of them
// not filterable.
const { test, beforeEach } = require('node:test');
const h = require('../lib/harness');
const { assert } = h;

const b = h.useBrowser({ seed: false });

const QUOTE_KEY = '%22-alert(7)-%22';
const ESCAPE_KEY = String.raw`\";__owned=2//`;
function seed() {
  h.exec(`DELETE FROM staff;
    INSERT INTO staff (code, name, photo, notes, boss, salary, grade) VALUES
      (${h.q(QUOTE_KEY)}, 'Quentin', NULL, 'plain', NULL, 3000, 1),
      ('ANN', 'Ann', 'ann.png', '<svg onload="window.__owned=1"></svg>', NULL, 9000, 3),
      ('BEN', 'Ben', NULL, 'notes of Ben', 'ANN', 1000, 2),
      (${h.q(ESCAPE_KEY)}, 'Eve', NULL, 'x', NULL, 5000, 2);`);
}
beforeEach(seed);

const codes = async (page) => (await h.readList(page)).rows.map((r) => r[0]);

test('a key that the browser would decode into a quote selects its row and runs nothing', async () => {
  const { page } = b;
  for (const key of [QUOTE_KEY, ESCAPE_KEY]) {
    await page.goto(h.url('staff_view.php'));
    await h.selectRow(page, key);
    assert.deepEqual(b.dialogs, [], 'no script ran');
    assert.equal(await page.evaluate(() => window.__owned), undefined);
    assert.deepEqual(b.pageErrors, []);
    assert.equal(await h.formValue(page, 'code'), key, 'the record of the key is shown');
  }
});

test('captions with as, quotes and commas keep the columns in place', async () => {
  const { page } = b;
  await page.goto(h.url('staff_view.php'));
  await h.screenshot(page, 'staff-list');
  const l = await h.readList(page);
  assert.deepEqual(l.headers, ['Code', "Name as 'written', in full", 'Photo', 'Notes, as kept', 'Reports to']);
  assert.equal(await page.evaluate(() => document.querySelectorAll('tr[onmouseover] svg').length), 0, 'stored markup is text');
  assert.equal(await page.evaluate(() => window.__owned), undefined);
  const ann = l.rows.find((r) => r[0] === 'ANN');
  assert.equal(ann[3], '<svg onload="window.__owned=1"></svg>');
  assert.equal(await page.locator(`tr[onmouseover] img[src="${h.tr('ImageFolder')}ann.png"]`).count(), 1, 'the image column is html');
  // the quick search and the filter page work on every column
  await page.fill('input[name=SearchString]', 'of Ben');
  await h.submit(page, () => page.click('input[name=Search]'));
  await h.assertNoSqlError(page, 'quick search');
  assert.deepEqual(await codes(page), ['BEN']);
  await h.submit(page, () => page.click('input[name=Filter]'));
  await h.assertNoSqlError(page, 'filter page');
  const offered = await page.locator('select[name="FilterField[1]"] option').evaluateAll((os) => os.map((o) => o.textContent.trim()).filter((t) => t));
  assert.deepEqual(offered, ['Code', "Name as 'written', in full", 'Photo', 'Notes, as kept', 'Reports to', 'Grade']);
  await page.selectOption('select[name="FilterField[1]"]', { label: 'Notes, as kept' });
  await page.selectOption('select[name="FilterOperator[1]"]', { value: 'like' });
  await page.fill('input[name="FilterValue[1]"]', '%svg%');
  await h.submit(page, () => page.click('input[src="applyFilters.gif"]'));
  await h.assertNoSqlError(page, 'the applied filter');
  assert.deepEqual(await codes(page), ['ANN']);
});

test('a hidden field that is not filterable can be neither sorted nor filtered on', async () => {
  const { page } = b;
  await page.goto(h.url('staff_view.php'));
  const unsorted = await codes(page);
  for (const SortField of ['staff.salary', '6', '7']) {
    for (const SortDirection of ['asc', 'desc']) {
      await h.postFrom(page, 'staff_view.php', { SortField, SortDirection, FirstRecord: '1' });
      await h.assertNoSqlError(page, `SortField=${SortField}`);
      assert.deepEqual(await codes(page), unsorted, `SortField=${SortField} ${SortDirection} is ignored`);
    }
  }
  // a shown column still sorts
  await h.postFrom(page, 'staff_view.php', { SortField: '2', SortDirection: 'desc', FirstRecord: '1' });
  assert.deepEqual((await h.readList(page)).rows.map((r) => r[1]), ['Quentin', 'Eve', 'Ben', 'Ann']);

  const filter = (field, value) => h.postFrom(page, 'staff_view.php', {
    'FilterField[1]': field, 'FilterOperator[1]': '>', 'FilterValue[1]': value, FirstRecord: '1',
  });
  await filter('staff.salary', '8000');
  await h.assertNoSqlError(page, 'filter on salary');
  assert.equal((await h.footerNumbers(page)).count, 4, 'the salary filter is ignored');
  // a hidden field that the filter page offers still filters
  await filter('staff.grade', '2');
  assert.deepEqual(await codes(page), ['ANN']);
});

test('an employee without a boss keeps reporting to nobody when saved', async () => {
  const { page } = b;
  await page.goto(h.url('staff_view.php'));
  await h.selectRow(page, 'ANN');
  assert.equal(await h.formValue(page, 'boss'), '');
  await h.submit(page, () => page.click('input[name=update]'));
  assert.equal(h.scalar("select boss from staff where code='ANN'"), null);
});
