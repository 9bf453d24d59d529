// Makes tiere.apkg, a small German-Spanish Anki deck of our own words, with the third-party generator
// anki-apkg-export, so that import is tested on a package made by other software than ours.
// The result is committed; building and testing never run this script.
//   mkdir /tmp/deck && cd /tmp/deck && npm install anki-apkg-export@4.0.3
//   NODE_PATH=/tmp/deck/node_modules node tests/data/tool/import/make-deck.js tests/data/tool/import
const fs = require('fs');
const path = require('path');
const AnkiExport = require('anki-apkg-export').default;

const out = process.argv[2] || '.';
const deck = new AnkiExport('Tiere::Bauernhof');
// A 1x1 PNG, so that an image reference has something to point at.
deck.addMedia('kuh.png', Buffer.from(
  'iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mP8z8BQDwAEhQGAhKmMIQAAAABJRU5ErkJggg==',
  'base64'));
deck.addCard('der <b>Hund</b>', 'el perro');
deck.addCard('die Kuh<img src="kuh.png">', 'la vaca');
deck.addCard('das K&auml;tzchen', 'el gatito<br>el minino');
deck.addCard('<div>das Pferd</div>', 'el caballo [sound:caballo.mp3]');
deck.addCard('Katz &amp; Maus', 'gato &amp; rat&oacute;n', { tags: ['Redewendung'] });
deck.save()
  .then(zip => fs.writeFileSync(path.join(out, 'tiere.apkg'), zip, 'binary'))
  .catch(err => { console.error(err.stack || err); process.exit(1); });
