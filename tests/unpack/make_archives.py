#!/usr/bin/env python3
"""Writes the archives the resource-unpacking tests embed, and the .rc that embeds them."""
import io
import os
import sys
import zipfile

out = sys.argv[1]
os.makedirs(out, exist_ok=True)


def entry(zf, name, data=b"", method=zipfile.ZIP_DEFLATED):
    info = zipfile.ZipInfo(name, (2018, 10, 15, 12, 0, 0))
    info.create_system = 0
    info.external_attr = 0x10 if name.endswith("/") else 0x20
    info.compress_type = zipfile.ZIP_STORED if name.endswith("/") else method
    zf.writestr(info, data)


def archive(name, build):
    buf = io.BytesIO()
    with zipfile.ZipFile(buf, "w") as zf:
        build(zf)
    data = bytearray(buf.getvalue())
    return data


def good(zf):
    entry(zf, "Pack/readme.txt", b"hello from the archive\r\n" * 40)
    entry(zf, "Pack/empty.txt", b"")
    entry(zf, "Pack/inner/deep.bin", bytes(range(256)) * 8, zipfile.ZIP_STORED)
    entry(zf, "Pack/inner/")
    entry(zf, "Pack/")


def damaged_stored(zf):
    entry(zf, "ok.txt", b"fine")
    entry(zf, "damaged.bin", b"0123456789" * 10, zipfile.ZIP_STORED)


def two_files(zf):
    entry(zf, "first.txt", b"first " * 100)
    entry(zf, "second.txt", b"second " * 100)


def escaping(zf):
    entry(zf, "../escaped.txt", b"must not leave the folder")


archives = {
    "GOOD": archive("GOOD", good),
    "DAMAGED": archive("DAMAGED", damaged_stored),
    "ESCAPE": archive("ESCAPE", escaping),
    "OVERLAP": archive("OVERLAP", two_files),
    "NOTZIP": bytearray(b"This resource is no zip archive at all." * 4),
}
# Flip one byte inside the stored data of damaged.bin: sizes still match, only the CRC tells.
d = archives["DAMAGED"]
pos = d.find(b"0123456789" * 10)
d[pos + 50] ^= 0x55
# Point the second central record at the first entry's data: both records would unpack the same bytes.
o = archives["OVERLAP"]
second = o.find(b"PK\x01\x02", o.find(b"PK\x01\x02") + 4)
o[second + 42:second + 46] = (0).to_bytes(4, "little")

rc = ["LANGUAGE 9, 1"]
for name, data in archives.items():
    path = os.path.join(out, name + ".zip")
    with open(path, "wb") as f:
        f.write(data)
    rc.append(f'{name} FILE "{path}"')
with open(os.path.join(out, "archives.rc"), "w") as f:
    f.write("\n".join(rc) + "\n")
