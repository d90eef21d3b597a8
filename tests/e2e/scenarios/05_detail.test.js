'use strict';
// The detail form: selecting a row fills it; insert (the list then selects
// the new record; RedirectAfterInsert goes to its address with the key);
// the messages for a missing required value and an empty key; update (an
// empty box stores NULL, the date selects, the value list); delete after
// the confirmation; a parent with children is not deleted.
const { test } = require('node:test');
const h = require('../lib/harness');
const { assert } = h;

const b = h.useBrowser();

const row = (id) => {
  const r = h.query(`select id, name, category_id, added, status, price, notes, photo, internal_code, supplier_ref from products where id=${id}`)[0];
  if (!r) return null;
  const [, name, category_id, added, status, price, notes, photo, internal_code, supplier_ref] = r;
  return { name, category_id, added, status, price, notes, photo, internal_code, supplier_ref };
};

test('selecting a row fills the detail form', async () => {
  const { page } = b;
  await page.goto(h.url('products_view.php'));
  await h.selectRow(page, 3);
  await h.screenshot(page, 'detail-form');
  const r = row(3);
  assert.equal(await h.formValue(page, 'SelectedID'), '3');
  assert.equal(await h.formValue(page, 'name'), r.name);
  assert.equal(await h.formValue(page, 'category_id'), r.category_id);
  assert.equal(await h.dateValue(page, 'added'), r.added);
  assert.equal(await h.formValue(page, 'status'), r.status);
  assert.equal(await h.formValue(page, 'price'), r.price);
  assert.equal(await h.formValue(page, 'notes'), r.notes);
  assert.equal(await page.locator('textarea[name=notes]').count(), 1, 'the TEXT field is a text area');
  assert.equal(await h.formValue(page, 'internal_code'), r.internal_code, 'a field hidden in the table view is in the form');
  assert.equal(await h.formValue(page, 'supplier_ref'), null, 'the read-only field has no control');
  assert.ok((await page.innerText('body')).includes(r.supplier_ref), 'the read-only value is shown');
  assert.ok((await page.innerText('body')).includes('Product details'), 'the detail view label');
  for (const n of ['insert', 'update', 'delete', 'deselect']) assert.equal(await page.locator(`input[type=image][name=${n}]`).count(), 1, `${n} button`);
  // The selected row is highlighted.
  const cls = await page.locator('tr[onmouseover]').filter({ has: page.locator('td:first-child', { hasText: /^\s*3\s*$/ }) }).locator('td').first().getAttribute('class');
  assert.match(cls, /Selected/);
  // Deselect: an empty form with only the insert button.
  await h.submit(page, () => page.click('input[name=deselect]'));
  assert.equal(await h.formValue(page, 'name'), '');
  assert.equal(await page.locator('input[type=image][name=update]').count(), 0);
  assert.equal(await page.locator('input[type=image][name=insert]').count(), 1);
  const today = new Date();
  const iso = `${today.getFullYear()}-${String(today.getMonth() + 1).padStart(2, '0')}-${String(today.getDate()).padStart(2, '0')}`;
  assert.equal(await h.dateValue(page, 'added'), iso, 'a new record shows today in its date selects');
});

test('insert: the refreshed list selects the new record', async () => {
  const { page } = b;
  await page.goto(h.url('products_view.php'));
  await page.fill('input[name=name]', 'New gadget');
  await page.selectOption('select[name=category_id]', { label: 'Books' });
  await h.setDate(page, 'added', '2024-02-29');
  await page.selectOption('select[name=status]', 'on sale');
  await page.fill('input[name=price]', '9.99');
  await page.fill('textarea[name=notes]', 'Line one\nLine "two" & <three>');
  await page.fill('input[name=internal_code]', 'NG1');
  await Promise.all([page.waitForURL(/SelectedID=\d+/), page.click('input[name=insert]')]);
  await page.waitForLoadState('load');
  const id = h.scalar("select id from products where name='New gadget'");
  assert.ok(id, 'the record was stored');
  assert.deepEqual(row(id), { name: 'New gadget', category_id: '2', added: '2024-02-29', status: 'on sale', price: '9.99', notes: 'Line one\r\\nLine "two" & <three>', photo: null, internal_code: 'NG1', supplier_ref: null });
  assert.match(page.url(), new RegExp(`products_view\\.php\\?.*SelectedID=${id}(&|$)`));
  assert.equal(await h.formValue(page, 'name'), 'New gadget', 'the new record is selected');
  assert.equal(await h.formValue(page, 'notes'), 'Line one\nLine "two" & <three>');
  assert.equal(Number(h.scalar('select count(*) from products')), h.PRODUCT_COUNT + 1, 'inserted once');
  // Reloading the refreshed address does not insert again.
  await page.reload();
  assert.equal(Number(h.scalar('select count(*) from products')), h.PRODUCT_COUNT + 1, 'a reload inserts nothing');
});

test('insert: an empty value takes the default, an empty box is NULL', async () => {
  const { page } = b;
  await page.goto(h.url('products_view.php'));
  await page.fill('input[name=name]', 'Plain item');
  await page.selectOption('select[name=status]', { value: '' });
  await h.setDate(page, 'added', '2023-01-31');
  await Promise.all([page.waitForURL(/SelectedID=\d+/), page.click('input[name=insert]')]);
  await page.waitForLoadState('load');
  const id = h.scalar("select id from products where name='Plain item'");
  assert.ok(id);
  const r = row(id);
  assert.equal(r.status, 'new', 'the default of the field');
  assert.equal(r.price, null);
  assert.equal(r.notes, null);
  assert.equal(r.internal_code, null);
  assert.equal(r.added, '2023-01-31');
});

test('insert with RedirectAfterInsert goes to its address with the new key', async () => {
  const { page } = b;
  await page.goto(h.url('categories_view.php'));
  await page.fill('input[name=name]', 'Lamps');
  await page.fill('textarea[name=description]', 'Lights');
  await Promise.all([page.waitForURL(/categories_view\.php\?SelectedID=\d+$/), page.click('input[name=insert]')]);
  await page.waitForLoadState('load');
  const id = h.scalar("select id from categories where name='Lamps'");
  assert.ok(id);
  assert.equal(page.url(), h.url(`categories_view.php?SelectedID=${id}`));
  assert.equal(await h.formValue(page, 'name'), 'Lamps', 'the address selects the new record');
});

test('a missing required value and an empty key give their messages', async () => {
  const { page } = b;
  const before = h.scalar('select count(*) from products');
  await page.goto(h.url('products_view.php'));
  await page.fill('input[name=name]', '');
  await h.submit(page, () => page.click('input[name=insert]'));
  const err = h.norm(await page.locator('div.Error').first().innerText());
  assert.equal(err, h.norm(h.plain(`${h.tr('error:')} 'Product name': ${h.tr('field not null')}`)));
  assert.equal(h.scalar('select count(*) from products'), before, 'nothing stored');

  const contacts = h.scalar('select count(*) from contacts');
  await page.goto(h.url('contacts_view.php'));
  await page.fill('input[name=code]', '');
  await page.fill('input[name=name]', 'Nobody');
  await h.submit(page, () => page.click('input[name=insert]'));
  const keyErr = h.norm(await page.locator('div.Error').first().innerText());
  assert.equal(keyErr, h.norm(h.plain(`${h.tr('error:')} 'Code': ${h.tr('pkfield empty')}`)));
  assert.equal(h.scalar('select count(*) from contacts'), contacts, 'nothing stored');
});

test('update: an empty box stores NULL, the date selects and the value list are saved', async () => {
  const { page } = b;
  await page.goto(h.url('products_view.php'));
  await h.selectRow(page, 3);
  const old = row(3);
  await page.fill('input[name=price]', '');
  await page.fill('input[name=internal_code]', '');
  await h.setDate(page, 'added', '2019-07-04');
  await page.selectOption('select[name=status]', 'discontinued');
  await page.selectOption('select[name=category_id]', { label: 'Garden' });
  await page.fill('input[name=name]', 'Product 03 renamed');
  await h.submit(page, () => page.click('input[name=update]'));
  assert.deepEqual(row(3), { ...old, name: 'Product 03 renamed', price: null, internal_code: null, added: '2019-07-04', status: 'discontinued', category_id: '3' });
  assert.equal(await h.formValue(page, 'SelectedID'), '3', 'the record stays selected');
  assert.equal(await h.formValue(page, 'name'), 'Product 03 renamed');
  assert.equal(await h.dateValue(page, 'added'), '2019-07-04');
  const l = await h.readList(page);
  const shown = l.rows.find((r) => r[0] === '3');
  assert.deepEqual([shown[1], shown[2], shown[3], shown[4], shown[5]], ['Product 03 renamed', 'Garden', '07/04/2019', 'discontinued', '']);
});

test('delete asks for confirmation; dismissing it keeps the record', async () => {
  const { page } = b;
  await page.goto(h.url('products_view.php'));
  await h.selectRow(page, 4);
  b.dialogs.length = 0;
  page.__dismissDialogs = true;
  await page.click('input[name=delete]');
  await page.waitForTimeout(300);
  page.__dismissDialogs = false;
  assert.deepEqual(b.dialogs, [{ type: 'confirm', message: h.plain(h.tr('are you sure?')) }]);
  assert.ok(row(4), 'kept after cancel');
  await h.submit(page, () => page.click('input[name=delete]'));
  assert.equal(row(4), null, 'deleted after OK');
  assert.equal(await h.formValue(page, 'SelectedID'), '', 'nothing selected after the delete');
  assert.ok(!(await h.listIds(page)).includes('4'));
});

test('deleting a parent that has children is refused with the count', async () => {
  const { page } = b;
  const children = h.scalar('select count(*) from products where category_id=1');
  assert.ok(Number(children) > 0);
  await page.goto(h.url('categories_view.php'));
  await h.selectRow(page, 1);
  await h.submit(page, () => page.click('input[name=delete]'));
  const msg = h.norm(await page.locator('div.Error').first().innerText());
  const expected = h.norm(h.plain(`ERROR: ${h.tr("couldn't delete").replace('<RelatedRecords>', children).replace('<TableName>', 'products')}`));
  assert.equal(msg, expected);
  assert.equal(h.scalar('select count(*) from categories where id=1'), '1', 'the parent stays');
  assert.equal(await h.formValue(page, 'SelectedID'), '1', 'and stays selected');
  // A parent without children can go.
  h.exec("insert into categories (id, name) values (10, 'Unused')");
  await page.goto(h.url('categories_view.php'));
  await h.selectRow(page, 10);
  await h.submit(page, () => page.click('input[name=delete]'));
  assert.equal(h.scalar('select count(*) from categories where id=10'), '0');
});
