'use strict';
// A form's post as a browser sends it from the application's windows-1252
// pages: multipart/form-data, each character of a value as its one byte,
// then the files.
//   entries: [[name, value], ...], in the form's order
//   files:   [[name, { name: fileName, bytes }], ...], bytes a Buffer or a
//            text of one byte a character
// Gives the Content-Type and the body.
function multipart(entries, files = []) {
  const boundary = `----tessaron${Math.random().toString(16).slice(2)}`;
  const text = (s) => Buffer.from(s, 'latin1');
  const parts = entries.map(([name, value]) => text(`--${boundary}\r\nContent-Disposition: form-data; name="${name}"\r\n\r\n${value}\r\n`));
  for (const [name, file] of files) {
    parts.push(text(`--${boundary}\r\nContent-Disposition: form-data; name="${name}"; filename="${file.name}"\r\nContent-Type: image/png\r\n\r\n`),
      Buffer.isBuffer(file.bytes) ? file.bytes : text(file.bytes), text('\r\n'));
  }
  parts.push(text(`--${boundary}--\r\n`));
  return { type: `multipart/form-data; boundary=${boundary}`, body: Buffer.concat(parts) };
}

module.exports = { multipart };
