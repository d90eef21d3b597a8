'use strict';
// The application of letters.tzx on utf8mb4 tables beside latin1 ones: what
// another client stores in a utf8mb4 column is shown as itself everywhere
// and kept by a save, a letter typed in the form is stored as that letter,
// the search and the filters find such records and the length check counts
// letters as the column does. The pages stay windows-1252: the browser posts
// a letter the page lacks as its reference (&#321;), which only such a column
// reads back as the letter; a latin1 column keeps the reference text, as it
// always did. The database client of the harness is a utf8mb4 client.
const { test, beforeEach } = require('node:test');
const h = require('../lib/harness');
const { assert } = h;

const b = h.useBrowser({ seed: false });

// Polish, Chinese, an emoji, windows-1252 letters and curly quotes.
const NAME = 'Łukasz Wójcik';
const NOTES = 'Tokyo 東京 😀 café 5 € “curly” ‘single’ – done';
const CITY = 'Łódź';
const CITY_CODE = 'ŁÓD';
const TEAM = 'Équipe Ł';            // a latin1 caption: the Ł as the reference text the application stored
const TEAM_STORED = 'Équipe &#321;';

let converted = false;
function seed() {
  // Whatever the server makes of the set-up script's tables, two are utf8mb4
  // and two latin1 (once the set-up has made them).
  if (!converted) {
    h.exec(`ALTER TABLE contacts CONVERT TO CHARACTER SET utf8mb4;
      ALTER TABLE cities CONVERT TO CHARACTER SET utf8mb4;
      ALTER TABLE teams CONVERT TO CHARACTER SET latin1;
      ALTER TABLE people CONVERT TO CHARACTER SET latin1;`);
    converted = true;
  }
  h.exec(`DELETE FROM contacts; DELETE FROM cities; DELETE FROM teams; DELETE FROM people;
    INSERT INTO cities (code, name) VALUES (${h.q(CITY_CODE)}, ${h.q(CITY)}), ('TYO', '東京'), ('WAW', 'Warszawa');
    INSERT INTO teams (id, title) VALUES (1, ${h.q(TEAM_STORED)}), (2, 'Plain');
    INSERT INTO contacts (id, name, email, city, team, notes) VALUES
      (1, ${h.q(NAME)}, 'lukasz@example.com', ${h.q(CITY_CODE)}, 1, ${h.q(NOTES)}),
      (2, 'Anna Berg', 'anna@example.com', 'WAW', 2, 'plain');
    INSERT INTO people (id, name, email) VALUES (1, 'Café Müller', NULL);`);
}
beforeEach(seed);

const hex = (s) => Buffer.from(s, 'utf8').toString('hex').toUpperCase();
const row = (sql) => h.query(sql)[0];
// The page's source as the browser read it (the browser hands over the
// text it decoded from windows-1252).
const source = async (response) => (await response.body()).toString('utf8');
const refused = (caption, key, n) => `${h.norm(h.plain(h.tr('error:')))} '${caption}': ${h.norm(h.plain(h.tr(key).replace('<MaxLength>', n)))}`;
const errors = (page) => page.locator('div.Error').allInnerTexts().then((t) => t.map(h.norm));

async function search(page, table, text) {
  await page.goto(h.url(`${table}_view.php`));
  await page.fill('input[name=SearchString]', text);
  await h.submit(page, () => page.click('input[name=Search]'));
  await h.assertNoSqlError(page, `the search for ${text}`);
  return h.listIds(page);
}

async function filter(page, table, caption, operator, text) {
  await page.goto(h.url(`${table}_view.php`));
  await h.submit(page, () => page.click('input[name=Filter]'));
  await page.selectOption('select[name="FilterField[1]"]', { label: caption });
  await page.selectOption('select[name="FilterOperator[1]"]', { value: operator });
  await page.fill('input[name="FilterValue[1]"]', text);
  await h.submit(page, () => page.click('input[src="applyFilters.gif"]'));
  await h.assertNoSqlError(page, `the filter ${caption} ${operator} ${text}`);
  return h.listIds(page);
}

test('what another client stored is shown as itself in the list, the form, the print view and the lookups', async () => {
  const { page } = b;
  const response = await page.goto(h.url('contacts_view.php?SelectedID=1'));
  const html = await source(response);
  await h.screenshot(page, 'letters-contacts');
  assert.match(response.headers()['content-type'], /charset=windows-1252/i);
  assert.ok(html.includes('&#321;ukasz Wójcik'), 'a letter the page lacks is written as its reference');
  assert.ok(!/\?ukasz|\?\?/.test(html), 'no letter became a question mark');
  const l = await h.readList(page);
  assert.deepEqual(l.rows.find((r) => r[0] === '1'), ['1', NAME, 'lukasz@example.com', CITY, TEAM, NOTES]);
  assert.equal(await h.formValue(page, 'name'), NAME);
  assert.equal(await h.formValue(page, 'notes'), NOTES);
  assert.equal(h.norm(await page.locator('select[name=city] option:checked').textContent()), CITY, 'the lookup chooses the key');
  const offered = await page.locator('select[name=city] option').allInnerTexts();
  assert.deepEqual(offered.map(h.norm).filter((t) => t), h.query('select name from cities order by name').map((r) => r[0]),
    'in the order of the server');
  assert.equal(h.norm(await page.locator('select[name=team] option:checked').textContent()), TEAM);
  // the print view
  await h.submit(page, () => page.click('input[name=Print]'));
  assert.deepEqual((await h.readList(page)).rows.find((r) => r[0] === '1'), ['1', NAME, 'lukasz@example.com', CITY, TEAM, NOTES]);
  // a table of letters with a text key
  await page.goto(h.url('cities_view.php'));
  assert.deepEqual((await h.readList(page)).rows.map((r) => r.join(':')), h.query('select code, name from cities order by code').map((r) => r.join(':')));
  await h.selectRow(page, CITY_CODE);
  assert.equal(await h.formValue(page, 'code'), CITY_CODE, 'the row link selects the record of its key');
  assert.equal(await h.formValue(page, 'name'), CITY);
});

test('a save changes what the user changed and keeps the bytes of every other value', async () => {
  const { page } = b;
  const bytes = "select hex(name), hex(city), hex(notes), team, email from contacts where id=1";
  const before = row(bytes);
  assert.deepEqual(before.slice(0, 3), [hex(NAME), hex(CITY_CODE), hex(NOTES)]);
  await page.goto(h.url('contacts_view.php?SelectedID=1'));
  await page.fill('input[name=email]', 'new@example.com');
  await h.submit(page, () => page.click('input[name=update]'));
  assert.deepEqual(await errors(page), []);
  assert.deepEqual(row(bytes), [...before.slice(0, 4), 'new@example.com']);
  // and a save that changes nothing
  await h.submit(page, () => page.click('input[name=update]'));
  assert.deepEqual(row(bytes), [...before.slice(0, 4), 'new@example.com']);
  // a record of a text key with letters, and the latin1 caption of a lookup
  await page.goto(h.url('cities_view.php'));
  await h.selectRow(page, CITY_CODE);
  assert.equal(await h.formValue(page, 'name'), CITY);
  await page.fill('input[name=name]', `${CITY} Kaliska`);
  await h.submit(page, () => page.click('input[name=update]'));
  assert.deepEqual(h.query('select hex(code), name from cities order by hex(code)'),
    [[hex('TYO'), '東京'], [hex('WAW'), 'Warszawa'], [hex(CITY_CODE), `${CITY} Kaliska`]]);
  await page.goto(h.url('teams_view.php?SelectedID=1'));
  await h.submit(page, () => page.click('input[name=update]'));
  assert.equal(h.scalar('select title from teams where id=1'), TEAM_STORED, 'a latin1 column keeps the reference text');
});

test('letters typed in the form are stored as those letters', async () => {
  const { page } = b;
  const typed = 'Żółć 東京 😀 “é” €';
  await page.goto(h.url('contacts_view.php'));
  await page.fill('input[name=name]', typed);
  await page.fill('textarea[name=notes]', NOTES);
  await page.selectOption('select[name=city]', { label: CITY });
  await Promise.all([page.waitForURL(/SelectedID=\d+/), page.click('input[name=insert]')]);
  await page.waitForLoadState('load');
  const id = h.scalar(`select id from contacts where name=${h.q(typed)}`);
  assert.ok(id, `stored as typed: ${JSON.stringify(h.query('select name from contacts'))}`);
  assert.deepEqual(row(`select hex(name), hex(notes), hex(city) from contacts where id=${id}`), [hex(typed), hex(NOTES), hex(CITY_CODE)]);
  assert.equal(await h.formValue(page, 'name'), typed, 'the form shows the new record');
  // a new record of a text key with letters is selected after the insert
  await page.goto(h.url('cities_view.php'));
  await page.fill('input[name=code]', 'ŻÓŁ');
  await page.fill('input[name=name]', 'Żółkiew');
  await Promise.all([page.waitForURL(/SelectedID=/), page.click('input[name=insert]')]);
  await page.waitForLoadState('load');
  assert.equal(h.scalar("select name from cities where code='ŻÓŁ'"), 'Żółkiew');
  assert.equal(await h.formValue(page, 'code'), 'ŻÓŁ', 'the form shows the new record');
  // a key of letters found by the delete's check of its children
  await page.goto(h.url('cities_view.php'));
  await h.selectRow(page, CITY_CODE);
  await h.submit(page, () => page.click('input[name=delete]'));
  assert.match((await errors(page)).join(' '), /2 records of the table 'contacts'/, 'the delete counts the contacts of the city');
  assert.ok(h.scalar(`select count(*) from cities where code=${h.q(CITY_CODE)}`) === '1', 'a city with contacts is kept');
  await page.goto(h.url('cities_view.php?SelectedID=TYO'));
  await h.submit(page, () => page.click('input[name=delete]'));
  assert.equal(h.scalar("select count(*) from cities where code='TYO'"), '0', 'a city without contacts is deleted');
});

test('the quick search and a like filter find letters as the server compares them', async () => {
  const { page } = b;
  // the Ł is compared with every column, a latin1 caption among them
  assert.deepEqual(await search(page, 'contacts', 'Łukasz'), ['1']);
  assert.deepEqual(await search(page, 'contacts', 'wójcik'), ['1']);
  assert.deepEqual(await search(page, 'contacts', '東京 😀'), ['1']);
  assert.deepEqual(await search(page, 'contacts', CITY), ['1'], 'the caption of a utf8mb4 lookup');
  assert.deepEqual(await search(page, 'contacts', TEAM), ['1'], 'the caption of a latin1 lookup, as its reference');
  assert.deepEqual(await search(page, 'contacts', '“curly”'), ['1']);
  assert.equal(await page.inputValue('input[name=SearchString]'), '“curly”');
  assert.deepEqual(await filter(page, 'contacts', 'Name', 'like', '%Łuk%'), ['1']);
  assert.deepEqual(await filter(page, 'contacts', 'City', 'like', 'Łód%'), ['1']);
  assert.deepEqual(await filter(page, 'contacts', 'Notes', 'like', '%😀%'), ['1']);
  assert.deepEqual(await filter(page, 'contacts', 'Team', 'like', 'Équipe Ł'), ['1']);
  assert.deepEqual(await filter(page, 'contacts', 'Name', '<=>', NAME), ['1']);
  assert.deepEqual(await search(page, 'cities', 'Łód'), [CITY_CODE]);
});

test('the length check counts letters as the column does', async () => {
  const { page } = b;
  for (const [letters, stored] of [['Ł'.repeat(60), true], ['😀'.repeat(60), true], ['Ł'.repeat(61), false], [`${'東'.repeat(59)}é€`, false]]) {
    seed();
    await page.goto(h.url('contacts_view.php?SelectedID=2'));
    await page.fill('input[name=name]', letters);
    await h.submit(page, () => page.click('input[name=update]'));
    const name = h.scalar('select name from contacts where id=2');
    if (stored) {
      assert.deepEqual(await errors(page), [], `${letters.length} characters`);
      assert.equal(name, letters);
    } else {
      assert.deepEqual(await errors(page), [refused('Name', 'text too long', 60)]);
      assert.equal(name, 'Anna Berg');
    }
  }
});

test('reference text typed on purpose is stored as typed', async () => {
  const { page } = b;
  for (const typed of ['&#233; &#x27; &#39; &#0321; &#55296;', "&#39; or '1'='1", "\\Ł\\' &#39;--", '&amp;#321;']) {
    seed();
    await page.goto(h.url('contacts_view.php?SelectedID=2'));
    await page.fill('input[name=name]', typed);
    await h.submit(page, () => page.click('input[name=update]'));
    assert.deepEqual(await errors(page), [], typed);
    assert.deepEqual(h.query('select id, name from contacts order by id'), [['1', NAME], ['2', typed.replace(/\\/g, '\\\\')]], typed);
  }
});

test('requests holding quotes and references beside letters find and change nothing else', async () => {
  const { page } = b;
  const all = () => JSON.stringify(h.query('select * from contacts order by id'));
  const kept = all();
  for (const text of ["Ł&#39; or &#39;1&#39;=&#39;1", "Ł' or '1'='1", "Ł\\' or 1=1 #", "Ł&#x27; or 1=1 #", 'Ł\\&#39;) or 1=1 #']) {
    assert.deepEqual(await search(page, 'contacts', text), [], `the search for ${text}`);
    assert.deepEqual(await filter(page, 'contacts', 'Name', 'like', text), [], `the filter ${text}`);
    await page.goto(h.url('contacts_view.php'));
    await h.postFrom(page, 'contacts_view.php', { SelectedID: text, update_x: '1', update_y: '1', name: 'all changed' }, { multipart: true });
    await h.postFrom(page, 'contacts_view.php', { SelectedID: text, delete_x: '1', delete_y: '1' }, { multipart: true });
    await h.postFrom(page, 'cities_view.php', { SelectedID: text, update_x: '1', update_y: '1', code: text, name: 'all changed' }, { multipart: true });
    await h.postFrom(page, 'cities_view.php', { SelectedID: `${CITY_CODE}' or '1'='1`, delete_x: '1', delete_y: '1' }, { multipart: true });
    assert.equal(all(), kept, text);
    assert.equal(h.scalar("select count(*) from cities where name='all changed'"), '0', text);
  }
  assert.equal(h.scalar('select count(*) from cities'), '3');
});

test('a latin1 table beside them keeps the reference text, as it always did', async () => {
  const { page } = b;
  await page.goto(h.url('people_view.php'));
  await page.fill('input[name=name]', 'Łukasz Café');
  await Promise.all([page.waitForURL(/SelectedID=\d+/), page.click('input[name=insert]')]);
  await page.waitForLoadState('load');
  const stored = '&#321;ukasz Café';
  assert.equal(h.scalar("select hex(name) from people where id=2"), Buffer.from(stored, 'latin1').toString('hex').toUpperCase());
  const l = await h.readList(page);
  assert.deepEqual(l.rows.map((r) => r[1]), ['Café Müller', 'Łukasz Café']);
  assert.equal(await h.formValue(page, 'name'), 'Łukasz Café');
  await h.submit(page, () => page.click('input[name=update]'));
  assert.equal(h.scalar('select name from people where id=2'), stored);
  assert.deepEqual(await search(page, 'people', 'Łukasz'), ['2']);
  assert.deepEqual(await filter(page, 'people', 'Name', 'like', '%Łuk%'), ['2']);
  // eleven letters as their references take more than the 60 characters
  await page.goto(h.url('people_view.php?SelectedID=1'));
  await page.fill('input[name=name]', 'Ł'.repeat(11));
  await h.submit(page, () => page.click('input[name=update]'));
  assert.deepEqual(await errors(page), [refused('Name', 'text too long', 60)]);
  assert.equal(h.scalar('select name from people where id=1'), 'Café Müller');
});
