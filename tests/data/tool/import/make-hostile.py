#!/usr/bin/env python3
"""Makes the damaged packages that import must refuse, from tiere.apkg beside this script:
leer.apkg (a deck without notes), beschaedigt.apkg (a collection that is no database) and
bombe.apkg (a zip whose collection claims 4 GB unpacked). The results are committed."""
import os
import sqlite3
import struct
import sys
import tempfile
import zipfile

here = os.path.dirname(os.path.abspath(__file__))
out = sys.argv[1] if len(sys.argv) > 1 else here


def package(name, collection):
    with zipfile.ZipFile(os.path.join(out, name), 'w', zipfile.ZIP_DEFLATED) as z:
        z.writestr('collection.anki2', collection)
        z.writestr('media', '{}')


with zipfile.ZipFile(os.path.join(here, 'tiere.apkg')) as z:
    original = z.read('collection.anki2')

with tempfile.TemporaryDirectory() as scratch:
    path = os.path.join(scratch, 'c.anki2')
    with open(path, 'wb') as f:
        f.write(original)
    db = sqlite3.connect(path)
    db.execute('DELETE FROM cards')
    db.execute('DELETE FROM notes')
    db.commit()
    db.execute('VACUUM')
    db.close()
    with open(path, 'rb') as f:
        package('leer.apkg', f.read())

package('beschaedigt.apkg', original[:100] + bytes(range(256)) * 8)

# The sizes in both headers claim 4 GB; the data itself is small.
bomb = os.path.join(out, 'bombe.apkg')
package('bombe.apkg', b'\0' * 65536)
data = bytearray(open(bomb, 'rb').read())
huge = struct.pack('<I', 0xFFFFFF00)
at = data.find(b'PK\x03\x04')
data[at + 22:at + 26] = huge
at = data.find(b'PK\x01\x02')
data[at + 24:at + 28] = huge
open(bomb, 'wb').write(bytes(data))
