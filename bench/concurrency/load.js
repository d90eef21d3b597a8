'use strict';
// The clients of run.sh: each posts the detail form of the application's
// one table, as a browser does (multipart, its Origin and Referer), one
// request after the other, for a number of seconds per kind of request.
// Each client updates a record of its own. Prints the requests per second
// of each kind and the requests that did not end as stored.
//
//   node load.js BASE CLIENTS SECONDS
const http = require('node:http');
const { multipart } = require('../../tests/e2e/lib/multipart');

const [base, clients, seconds] = [process.argv[2], Number(process.argv[3]), Number(process.argv[4])];
const page = `${base}/photos_view.php`;
const { hostname, port } = new URL(page);
const agent = new http.Agent({ keepAlive: true });
const picture = Buffer.alloc(20000, 0x61);

function post(fields, files) {
  const { type, body } = multipart(Object.entries(fields), Object.entries(files).map(([k, name]) => [k, { name, bytes: picture }]));
  return new Promise((resolve) => {
    const req = http.request({ host: hostname, port, path: '/photos_view.php', method: 'POST', agent,
      headers: { 'Content-Type': type, 'Content-Length': body.length, Origin: base, Referer: page } },
    (res) => {
      const chunks = [];
      res.on('data', (c) => chunks.push(c));
      res.on('end', () => resolve({ status: res.statusCode, text: Buffer.concat(chunks).toString('latin1') }));
    });
    req.on('error', (e) => resolve({ status: 0, text: String(e) }));
    req.end(body);
  });
}

const kinds = {
  'insert': (c, n) => [{ insert_x: '1', title: `c${c} n${n}`, code: '' }, {}],
  'update': (c, n, id) => [{ update_x: '1', SelectedID: id, title: `c${c} n${n}`, code: '' }, {}],
  'insert with uploads': (c, n) => [{ insert_x: '1', title: `c${c} n${n}`, code: '' }, { picture: 'p.png', scan: `s-${c}-${n}.png` }],
  'update with uploads': (c, n, id) => [{ update_x: '1', SelectedID: id, title: `c${c} n${n}`, code: '' }, { picture: 'p.png', scan: `own-${c}.png` }],
};

(async () => {
  // a record of each client's own
  const own = [];
  for (let c = 0; c < clients; c++) {
    const r = await post({ insert_x: '1', title: `client ${c}`, code: '' }, {});
    own.push((r.text.match(/SelectedID=(\d+)/) || [])[1]);
  }
  for (const [kind, form] of Object.entries(kinds)) {
    let done = 0, wrong = 0;
    const start = Date.now(), end = start + seconds * 1000;
    await Promise.all(own.map(async (id, c) => {
      for (let n = 0; Date.now() < end; n++) {
        const r = await post(...form(c, n, id));
        done++;
        if (r.status !== 200 || /<div class=Error>|SQL error/.test(r.text)) wrong++;
      }
    }));
    const s = (Date.now() - start) / 1000;
    console.log(`${kind.padEnd(20)} ${String(done).padStart(6)} requests  ${(done / s).toFixed(1).padStart(7)} per second${wrong ? `  ${wrong} not stored` : ''}`);
  }
  agent.destroy();
})();
