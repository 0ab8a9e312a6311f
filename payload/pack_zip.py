#!/usr/bin/env python3
"""Packs files into a zip archive deterministically: same inputs, byte-identical archive.

Entries are sorted by name, every entry carries the same fixed timestamp, DOS host attributes
(0x10 folder, 0x20 file) and deflate level 9; folders are zero-length entries ending in "/".

usage: pack_zip.py --out OUT.zip [--folders-last] [--tree DIR]... [--file SRC=NAME]...
                   [--manifest OUT.txt --resource NAME]
  --tree DIR       add the contents of DIR (DIR itself is not an entry)
  --file SRC=NAME  add the file SRC under the archive name NAME (folders of NAME become entries)
  --folders-last   list each folder entry after the entries inside it
  --manifest FILE  also write what went in, one line per entry, for checks that must not rely on a
                   zip reader: resource, name, folder (0/1), size, CRC-32 (hex), DOS date, DOS time,
                   attributes, tab-separated
"""
import argparse
import os
import sys
import zipfile
import zlib

FIXED_TIME = (2018, 10, 15, 12, 0, 0)
DOS_DIRECTORY = 0x10
DOS_ARCHIVE = 0x20


def collect(trees, files):
    """Maps archive names to source paths (None for folders)."""
    entries = {}

    def add_parents(name):
        parts = name.split("/")[:-1]
        for i in range(1, len(parts) + 1):
            entries.setdefault("/".join(parts[:i]) + "/", None)

    for tree in trees:
        for root, dirs, names in os.walk(tree):
            dirs.sort()
            rel = os.path.relpath(root, tree).replace(os.sep, "/")
            prefix = "" if rel == "." else rel + "/"
            if prefix:
                entries[prefix] = None
            for n in names:
                entries[prefix + n] = os.path.join(root, n)
                add_parents(prefix + n)
    for file_arg in files:
        src, _, name = file_arg.partition("=")
        if not name:
            sys.exit(f"pack_zip: --file needs SRC=NAME, got {file_arg!r}")
        entries[name] = src
        add_parents(name)
    return entries


def ordered(names, folders_last):
    if not folders_last:
        return sorted(names)

    def key(name):
        # A folder sorts after everything inside it: compare it as if it ended in a high character.
        return name[:-1] + "/\uffff" if name.endswith("/") else name

    return sorted(names, key=key)


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--out", required=True)
    ap.add_argument("--tree", action="append", default=[])
    ap.add_argument("--file", action="append", default=[])
    ap.add_argument("--folders-last", action="store_true")
    ap.add_argument("--manifest")
    ap.add_argument("--resource", default="")
    args = ap.parse_args()

    entries = collect(args.tree, args.file)
    if not entries:
        sys.exit("pack_zip: nothing to pack")
    tmp = args.out + ".tmp"
    dos_date = (FIXED_TIME[0] - 1980) << 9 | FIXED_TIME[1] << 5 | FIXED_TIME[2]
    dos_time = FIXED_TIME[3] << 11 | FIXED_TIME[4] << 5 | FIXED_TIME[5] // 2
    lines = []
    with zipfile.ZipFile(tmp, "w") as zf:
        for name in ordered(entries, args.folders_last):
            info = zipfile.ZipInfo(name, FIXED_TIME)
            info.create_system = 0
            src = entries[name]
            if src is None:
                info.external_attr = DOS_DIRECTORY
                info.compress_type = zipfile.ZIP_STORED
                zf.writestr(info, b"")
                data = b""
            else:
                info.external_attr = DOS_ARCHIVE
                info.compress_type = zipfile.ZIP_DEFLATED
                with open(src, "rb") as f:
                    data = f.read()
                zf.writestr(info, data, compresslevel=9)
            lines.append(f"{args.resource}\t{name}\t{int(src is None)}\t{len(data)}\t{zlib.crc32(data):08x}\t"
                         f"{dos_date}\t{dos_time}\t{info.external_attr}\n")
    os.replace(tmp, args.out)
    if args.manifest:
        with open(args.manifest, "w", encoding="utf-8", newline="\n") as f:
            f.writelines(lines)


if __name__ == "__main__":
    main()
