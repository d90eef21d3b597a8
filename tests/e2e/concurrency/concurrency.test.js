'use strict';
// The application of concurrency.tzx with many people at once, served by a
// PHP server that runs several requests in parallel (ctest sets
// PHP_CLI_SERVER_WORKERS). Groups of requests are sent whole but for their
// last byte and then released together, round after round; after each round
// the rows, the upload folder's files and their bytes are judged: every
// file a record names holds the bytes of the request that stored that
// record, no file is left that no record names, no valid request is
// refused because another ran beside it, and no request ends on the SQL
// error page. A form whose record another user deleted, saved in a second
// tab, is refused with its own message and stores nothing.
const fs = require('node:fs');
const http = require('node:http');
const path = require('node:path');
const { spawn } = require('node:child_process');
const { test, beforeEach } = require('node:test');
const h = require('../lib/harness');
const { multipart } = require('../lib/multipart');
const { assert } = h;

const b = h.useBrowser({ seed: false });

const ALL = 'select id, title, code, picture, scan from photos order by id';
const folder = () => path.join(h.cfg.app, h.tr('ImageFolder'));
// The upload folder, name -> bytes as text, without the support image.
function folderState() {
  const dir = folder();
  return Object.fromEntries(fs.readdirSync(dir).filter((f) => f !== 'blank.gif').sort()
    .map((f) => [f, fs.readFileSync(path.join(dir, f), 'latin1')]));
}

function reset(sql = '') {
  h.exec(`DELETE FROM photos; ALTER TABLE photos AUTO_INCREMENT=1; ${sql}`);
  fs.mkdirSync(folder(), { recursive: true });
  for (const f of fs.readdirSync(folder())) if (f !== 'blank.gif') fs.unlinkSync(path.join(folder(), f));
}
beforeEach(() => reset());

// ---------------------------------------------------------------- requests released together

// Sends a post but for its last byte; release() sends that byte and gives
// the page.
function held(fields, files = {}) {
  const { type, body } = multipart(Object.entries(fields), Object.entries(files));
  const page = h.url('photos_view.php');
  const { hostname, port } = new URL(page);
  return new Promise((resolve, reject) => {
    const req = http.request({ host: hostname, port, path: '/photos_view.php', method: 'POST', agent: false,
      headers: { 'Content-Type': type, 'Content-Length': body.length, Origin: h.cfg.base, Referer: page } });
    const answer = new Promise((done, fail) => {
      req.on('response', (res) => {
        const chunks = [];
        res.on('data', (c) => chunks.push(c));
        res.on('end', () => done(Buffer.concat(chunks).toString('latin1')));
      });
      req.on('error', fail);
    });
    req.on('error', reject);
    req.write(body.subarray(0, body.length - 1), () => resolve(() => { req.end(body.subarray(body.length - 1)); return answer; }));
  });
}

// The pages of the posts, all released at once once all are sent.
async function together(...posts) {
  const releases = await Promise.all(posts.map(([fields, files]) => held(fields, files)));
  const pages = await Promise.all(releases.map((release) => release()));
  for (const p of pages) b.log.page('photos_view.php', p);
  return pages;
}

// The one message box of a page (its text), or null; never the SQL error
// page.
function message(page, what) {
  const text = h.plain(page);
  assert.ok(!text.includes(h.plain(h.tr('sql error:'))), `${what}: the SQL error page:\n${text.slice(0, 1500)}`);
  const boxes = [...page.matchAll(/<div class=Error>([\s\S]*?)<\/div>/g)].map((m) => h.plain(m[1]));
  assert.ok(boxes.length <= 1, `${what}: one message at most: ${boxes.join(' | ')}`);
  return boxes.length ? boxes[0] : null;
}

// Runs the rounds of a race, each judged on its own; fails at the end with
// every round that went wrong, so that the count shows how often the race
// was met.
async function rounds(t, count, round) {
  const wrong = [];
  for (let i = 1; i <= count; i++) {
    try {
      await round(i);
    } catch (e) {
      if (!(e instanceof assert.AssertionError)) throw e;
      wrong.push(`round ${i}: ${e.message.split('\n')[0]}`);
    }
  }
  t.diagnostic(`${count} rounds, ${wrong.length} wrong`);
  assert.deepEqual(wrong, [], `${wrong.length} of ${count} rounds went wrong:\n${wrong.join('\n')}`);
}

const refusal = (key, caption) => h.plain(`${h.tr('error:')} ${caption ? `'${caption}': ` : ''}${h.tr(key)}`);
const insert = (title, code, files) => [{ insert_x: '1', title, code }, files];
const update = (id, title, code, files) => [{ update_x: '1', SelectedID: String(id), title, code }, files];

// ---------------------------------------------------------------- uploads

test('new names of uploads sent at once: every record its own file', async (t) => {
  const AT_ONCE = 16;
  await rounds(t, 20, async (round) => {
    reset();
    const pages = await together(...Array.from({ length: AT_ONCE }, (_, i) => insert(`T${i}`, `K${i}`, { picture: { name: 'p.png', bytes: `bytes of T${i}` } })));
    pages.forEach((p, i) => assert.equal(message(p, `round ${round}, insert ${i}`), null, `round ${round}: insert ${i} stored`));
    const rows = h.query(ALL);
    const files = folderState();
    const what = `round ${round}: ${JSON.stringify({ rows, files })}`;
    assert.equal(rows.length, AT_ONCE, what);
    assert.equal(new Set(rows.map((r) => r[3])).size, AT_ONCE, `${what}: one name per record`);
    for (const [, title, , picture] of rows) assert.equal(files[picture], `bytes of ${title}`, `${what}: the file of ${title}`);
    assert.equal(Object.keys(files).length, AT_ONCE, `${what}: no other file`);
  });
});

// Updates of one record, each sending a file under the record's own kept
// name: the file holds the bytes of the request whose values the row holds.
// Half of them, in the second test, bring a code another record holds and
// are refused: the file of a stored one stays as it stored it.
async function keptNameUpdates(t, refusedToo) {
  const AT_ONCE = 6;
  const won = {};
  await rounds(t, 20, async (round) => {
    reset(`INSERT INTO photos (id, title, code, scan) VALUES (1, 'old', 'C1', 's.png'), (2, 'other', 'C2', NULL);`);
    fs.writeFileSync(path.join(folder(), 's.png'), 'old bytes');
    const refused = (i) => refusedToo && i % 2 === 1;
    const pages = await together(...Array.from({ length: AT_ONCE }, (_, i) => update(1, `T${i}`, refused(i) ? 'C2' : 'C1', { scan: { name: 's.png', bytes: `bytes of T${i}` } })));
    pages.forEach((p, i) => assert.equal(message(p, `round ${round}, update ${i}`), refused(i) ? refusal('value taken', 'Code') : null,
      `round ${round}: update ${i} ${refused(i) ? 'refused' : 'stored, whatever ran beside it'}`));
    const rows = h.query(ALL);
    const files = folderState();
    const what = `round ${round}: ${JSON.stringify({ rows, files })}`;
    assert.deepEqual(rows[1], ['2', 'other', 'C2', null, null], what);
    assert.equal(rows[0][4], 's.png', what);
    assert.deepEqual(files, { 's.png': `bytes of ${rows[0][1]}` }, `${what}: the file holds the bytes of the row's request, and nothing is left aside`);
    won[rows[0][1]] = (won[rows[0][1]] || 0) + 1;
  }).finally(() => t.diagnostic(`the row's values came from ${JSON.stringify(won)}`));
}

test('updates of one record, each with a file under its kept name', (t) => keptNameUpdates(t, false));
test('updates of one record with a file under its kept name, half of them refused', (t) => keptNameUpdates(t, true));

test('inserts bringing the same new kept name: one stores it, the others are told it exists', async (t) => {
  const AT_ONCE = 8;
  const exists = /^Error: A file named 'n\.png' exists already in the upload folder\./;
  await rounds(t, 30, async (round) => {
    reset();
    const pages = await together(...Array.from({ length: AT_ONCE }, (_, i) => insert(`T${i}`, `K${i}`, { scan: { name: 'n.png', bytes: `bytes of T${i}` } })));
    const messages = pages.map((p, i) => message(p, `round ${round}, insert ${i}`));
    const rows = h.query(ALL);
    const files = folderState();
    const what = `round ${round}: ${JSON.stringify({ rows, files, messages })}`;
    assert.equal(rows.length, 1, `${what}: one record names the file`);
    assert.deepEqual(files, { 'n.png': `bytes of ${rows[0][1]}` }, what);
    messages.forEach((m, i) => {
      if (`T${i}` === rows[0][1]) assert.equal(m, null, what);
      else assert.match(m || '', exists, what);
    });
  });
});

// ---------------------------------------------------------------- the server under contention

// A client session that holds a transaction open: here the delete of the
// record that holds a unique value, while inserts of that value wait for it.
function holder() {
  const p = spawn('mariadb', ['--no-defaults', `-h${h.cfg.db.host}`, `-P${h.cfg.db.port}`, `-u${h.cfg.db.user}`, `-p${h.cfg.db.pass}`, h.cfg.db.name],
    { stdio: ['pipe', 'ignore', 'inherit'] });
  const ended = new Promise((resolve) => p.on('exit', resolve));
  return { run: (sql) => p.stdin.write(`${sql}\n`), end: (sql) => { p.stdin.end(`${sql}\n`); return ended; } };
}

const lockWaits = () => Number(h.scalar("select count(*) from information_schema.innodb_trx where trx_state='LOCK WAIT'"));

// The inserts wait for the delete's lock; when it commits, the server
// answers some of them with a deadlock, now and then.
test('inserts with the same unique value while the record holding it is deleted', async (t) => {
  const AT_ONCE = 4, titles = ['A', 'B', 'C', 'D'];
  let met = 0;
  await rounds(t, 10, async (round) => {
    reset(`INSERT INTO photos (id, title, code) VALUES (1, 'old', 'SAME'), (2, 'next', 'SAMF');`);
    const session = holder();
    session.run('BEGIN; DELETE FROM photos WHERE id=1;');
    for (let i = 0; i < 40 && h.scalar('select count(*) from information_schema.innodb_trx') === '0'; i++) await new Promise((r) => setTimeout(r, 25));
    // One after the other, a moment apart: a PHP server worker busy with a
    // request takes no other, so that each reaches the server.
    const pages = [];
    for (const title of titles) {
      pages.push(together(insert(title, 'SAME', {})).then(([page]) => page));
      await new Promise((r) => setTimeout(r, 150));
    }
    let waiting = 0;
    for (let i = 0; i < 40 && (waiting = lockWaits()) < AT_ONCE; i++) await new Promise((r) => setTimeout(r, 25));
    if (waiting === AT_ONCE) met++;
    await session.end('COMMIT;');
    const messages = (await Promise.all(pages)).map((p, i) => message(p, `round ${round}, insert ${i}`));
    const rows = h.query(ALL);
    const what = `round ${round}: ${JSON.stringify({ rows, messages })}`;
    assert.equal(rows.filter((r) => r[2] === 'SAME').length, 1, what);
    const stored = rows.find((r) => r[2] === 'SAME')[1];
    assert.deepEqual(messages, titles.map((title) => (title === stored ? null : refusal('value taken', 'Code'))), what);
  }).finally(() => t.diagnostic(`${met} rounds with all ${AT_ONCE} inserts waiting for the delete`));
  assert.ok(met > 0, 'the inserts met the delete at least once');
});

test('an update with a file racing the delete of its record leaves no file behind', async (t) => {
  const outcome = {};
  await rounds(t, 20, async (round) => {
    reset(`INSERT INTO photos (id, title, code, picture, scan) VALUES (1, 'old', 'C1', 'p.png', 's.png');`);
    fs.writeFileSync(path.join(folder(), 'p.png'), 'old picture');
    fs.writeFileSync(path.join(folder(), 's.png'), 'old scan');
    const [deleted, updated] = await together([{ delete_x: '1', SelectedID: '1' }, {}],
      update(1, 'new', 'C1', { picture: { name: 'x.png', bytes: 'new picture' }, scan: { name: 's.png', bytes: 'new scan' } }));
    const messages = [message(deleted, `round ${round}, delete`), message(updated, `round ${round}, update`)];
    const what = `round ${round}: ${JSON.stringify({ rows: h.query(ALL), files: folderState(), messages })}`;
    assert.deepEqual(h.query(ALL), [], what);
    assert.deepEqual(folderState(), {}, `${what}: the record's files and the update's are gone`);
    assert.equal(messages[0], null, what);
    // stored before the delete, or refused after it
    assert.ok(messages[1] === null || messages[1] === refusal('record gone'), what);
    const k = messages[1] === null ? 'update first' : 'update refused';
    outcome[k] = (outcome[k] || 0) + 1;
  }).finally(() => t.diagnostic(JSON.stringify(outcome)));
});

// ---------------------------------------------------------------- the stale form, as a user meets it

test('a form whose record was deleted in another tab is refused on save; saving unchanged values still works', async () => {
  reset(`INSERT INTO photos (id, title, code, picture) VALUES (1, 'Harbour', 'H1', 'h.png'), (2, 'Bridge', 'B1', NULL);`);
  fs.writeFileSync(path.join(folder(), 'h.png'), 'harbour');
  const first = b.page;
  const second = await b.context.newPage();
  try {
    for (const p of [first, second]) {
      await p.goto(h.url('photos_view.php'));
      await h.selectRow(p, 1);
    }
    // The first tab saves the record as it is: stored, though nothing changes.
    await h.submit(first, () => first.click('input[name=update]'));
    await h.assertNoSqlError(first, 'saving unchanged values');
    assert.deepEqual(await first.locator('div.Error').allInnerTexts(), [], 'no message for unchanged values');
    assert.equal(await h.formValue(first, 'title'), 'Harbour');
    // ... and deletes it.
    await h.submit(first, () => first.click('input[name=delete]'));
    assert.deepEqual(h.query(ALL), [['2', 'Bridge', 'B1', null, null]]);
    const filesAfterDelete = folderState();
    assert.deepEqual(filesAfterDelete, {});

    // The second tab still shows the record's form: its save is refused.
    await second.fill('input[name=title]', 'Harbour at night');
    await second.setInputFiles('input[type=file][name=picture]', { name: 'night.png', mimeType: 'image/png', buffer: h.png() });
    await second.setInputFiles('input[type=file][name=scan]', { name: 'night-scan.png', mimeType: 'image/png', buffer: h.png() });
    await h.submit(second, () => second.click('input[name=update]'));
    await h.assertNoSqlError(second, 'saving a deleted record');
    assert.deepEqual((await second.locator('div.Error').allInnerTexts()).map(h.norm), [h.norm(refusal('record gone'))]);
    await h.screenshot(second, 'concurrency-record-gone');
    assert.deepEqual(h.query(ALL), [['2', 'Bridge', 'B1', null, null]], 'nothing stored');
    assert.deepEqual(folderState(), filesAfterDelete, 'the upload folder as it was');
  } finally {
    await second.close();
  }
});
