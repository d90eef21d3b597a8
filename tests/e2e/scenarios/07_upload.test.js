'use strict';
// Uploads: a picture is stored under the image folder and shown in the list
// and the form; a file too large and one of the wrong type give their
// messages; the remove box clears the field and deletes the file.
const { test } = require('node:test');
const fs = require('node:fs');
const path = require('node:path');
const h = require('../lib/harness');
const { assert } = h;

const b = h.useBrowser();

const folder = () => h.tr('ImageFolder');
const photo = () => h.scalar('select photo from products where id=2');

async function uploadTo(page, id, file) {
  await page.goto(h.url('products_view.php'));
  await h.selectRow(page, id);
  await page.setInputFiles('input[type=file][name=photo]', file);
  await h.submit(page, () => page.click('input[name=update]'));
}

test('a picture is stored under the image folder and shown', async () => {
  const { page } = b;
  await uploadTo(page, 2, { name: 'Shelf Photo.PNG', mimeType: 'image/png', buffer: h.png(600) });
  const stored = photo();
  assert.ok(stored, 'the field holds the stored name');
  assert.match(stored, /^[0-9_]+\.PNG$/, 'a new name with the extension as sent');
  const file = path.join(h.cfg.app, folder(), stored);
  assert.ok(fs.existsSync(file), `${file} exists`);
  assert.deepEqual(fs.readFileSync(file), h.png(600), 'the file is stored unchanged');
  // The list shows it as an image, the form too.
  const src = `${folder()}${stored}`;
  assert.equal(await page.locator(`tr[onmouseover] img[src="${src}"]`).count(), 1, 'image in the list');
  assert.equal(await page.locator(`table[border="1"] img[src="${src}"]`).count(), 1, 'image in the form');
  const loaded = await page.locator(`tr[onmouseover] img[src="${src}"]`).evaluate((img) => img.complete && img.naturalWidth);
  assert.equal(loaded, 8, 'the browser loaded the picture');
  await h.screenshot(page, 'upload-shown');
  // A record without picture shows blank.gif in the form.
  await h.selectRow(page, 1);
  assert.equal(await page.locator(`table[border="1"] img[src="${folder()}blank.gif"]`).count(), 1);
});

test('a file too large is refused with its message', async () => {
  const { page } = b;
  const before = photo();
  await uploadTo(page, 2, { name: 'big.png', mimeType: 'image/png', buffer: h.png(12 * 1024) });
  const msg = h.norm(await page.locator('div.Error').first().innerText());
  assert.match(msg, /^Error: The file you uploaded exceeds the maximum allowed size of 10 KB\. Back to table\.$/);
  assert.equal(photo(), before, 'the record keeps its picture');
});

test('a file of a type not allowed is refused with its message', async () => {
  const { page } = b;
  const before = photo();
  const files = new Set(fs.readdirSync(path.join(h.cfg.app, folder())));
  await uploadTo(page, 2, { name: 'shell.php', mimeType: 'image/png', buffer: Buffer.from('<?php echo "owned"; ?>') });
  const msg = h.norm(await page.locator('div.Error').first().innerText());
  assert.equal(msg, 'Error: This file type is not allowed. Only jpg, jpeg, gif, png files can be uploaded. Back to table.');
  assert.equal(photo(), before);
  assert.deepEqual(new Set(fs.readdirSync(path.join(h.cfg.app, folder()))), files, 'nothing stored');
});

test('the remove box clears the field and deletes the file', async () => {
  const { page } = b;
  const stored = photo();
  assert.ok(stored);
  await page.goto(h.url('products_view.php'));
  await h.selectRow(page, 2);
  await page.check('input[type=checkbox][name=photo_remove]');
  await h.submit(page, () => page.click('input[name=update]'));
  assert.equal(photo(), null);
  assert.ok(!fs.existsSync(path.join(h.cfg.app, folder(), stored)), 'the file is deleted');
  assert.equal(await page.locator('input[type=checkbox][name=photo_remove]').count(), 0, 'no remove box without a picture');
});

test('an update without a new file keeps the picture', async () => {
  const { page } = b;
  await uploadTo(page, 2, { name: 'a.jpg', mimeType: 'image/jpeg', buffer: h.png(300) });
  const stored = photo();
  assert.match(stored, /\.jpg$/);
  await page.fill('input[name=name]', 'Product 02 with picture');
  await h.submit(page, () => page.click('input[name=update]'));
  assert.equal(photo(), stored);
});
