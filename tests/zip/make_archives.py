#!/usr/bin/env python3
"""Writes the archives the zip reader tests read, made by third-party tools: Info-ZIP zip, Python's
zipfile, 7-Zip and bsdtar. Usage: make_archives.py <output folder>. Deterministic content."""
import os
import random
import shutil
import stat
import struct
import subprocess
import sys
import tarfile
import zipfile

WRITE_TIME = 1614834368   # 2021-03-04 05:06:08 UTC
ACCESS_TIME = 1600000000  # 2020-09-13 12:26:40 UTC
FOLDER_ACCESS_TIME = 2114380800  # 2037-01-01 UTC
DOS_DATE_TIME = (2020, 1, 2, 3, 4, 6)
PASSWORD = "secret"
TEXT = "".join(f"line {i}: the quick brown fox jumps over the lazy dog\n" for i in range(2500))


def set_times(root):
    """Every tool reads the files and so moves their access time: put the fixed times back first, so that
    the archives (their "UT" blocks) are the same on every run. A folder is listed before its own time is
    taken, so its access time lies ahead of now, where reading it does not move it."""
    for top in ("tree", "small"):
        if not os.path.isdir(os.path.join(root, top)):
            continue
        for folder, dirs, names in os.walk(os.path.join(root, top), topdown=False):
            for name in names:
                os.utime(os.path.join(folder, name), (ACCESS_TIME, WRITE_TIME))
            os.utime(folder, (FOLDER_ACCESS_TIME, WRITE_TIME))


def run(args, cwd, **kwargs):
    set_times(cwd)
    subprocess.run(args, cwd=cwd, check=True, **kwargs)


def bsdtar_zip(out, src, top):
    """bsdtar writes the status-change time of each file into its "UT" blocks; fed from a tar archive
    that carries only the fixed modification times, its output is the same on every run."""
    def owner(info):
        info.uid = info.gid = 0
        info.uname = info.gname = ""
        return info
    tar_path = out + ".tar"
    set_times(src)
    with tarfile.open(tar_path, "w", format=tarfile.PAX_FORMAT) as tar:
        tar.add(os.path.join(src, top), arcname=top, filter=owner)
    run(["bsdtar", "-a", "-cf", out, "@" + tar_path], cwd=src)
    os.remove(tar_path)


def make_tree(root):
    """tree/ with nested folders, stored-size and deflatable files, an empty file, a UTF-8 name and a
    read-only file; all with fixed times."""
    rnd = random.Random(1234)
    files = {
        "tree/a/b/deep.txt": TEXT[:20000].encode(),
        "tree/big.txt": TEXT.encode(),
        "tree/random.bin": bytes(rnd.getrandbits(8) for _ in range(50000)),
        "tree/empty.txt": b"",
        "tree/\u00fcn\u00efc\u00f6d\u00e9 \u20ac.txt": "unicode \u20ac\n".encode(),
        "tree/readonly.txt": b"read only\n",
    }
    for name, data in files.items():
        path = os.path.join(root, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
    os.chmod(os.path.join(root, "tree/readonly.txt"), 0o444)


def make_small(root):
    """small/: a few tiny files, the seed of the mutation test."""
    rnd = random.Random(99)
    files = {
        "small/one.txt": b"one one one one one one one one\n" * 4,
        "small/sub/two.bin": bytes(rnd.getrandbits(8) for _ in range(96)),
        "small/sub/empty": b"",
    }
    for name, data in files.items():
        path = os.path.join(root, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)


def python_tree(path):
    """Folder entries after their files, DOS attributes, a UTF-8 name, stored and deflated entries."""
    def info(name, attr=None, method=zipfile.ZIP_DEFLATED):
        zi = zipfile.ZipInfo(name, DOS_DATE_TIME)
        zi.compress_type = method
        if attr is not None:
            zi.create_system = 0
            zi.external_attr = attr
        return zi
    with zipfile.ZipFile(path, "w") as z:
        z.writestr(info("dir/sub/file.txt"), TEXT[:5000])
        z.writestr(info("dir/stored.txt", method=zipfile.ZIP_STORED), "stored text\n")
        z.writestr(info("dir/\u65e5\u672c\u8a9e.txt"), "nihongo\n")
        z.writestr(info("dir/empty.txt"), b"")
        z.writestr(info("attrs/readonly.txt", 0x21), b"r\n")
        z.writestr(info("attrs/hidden.txt", 0x22), b"h\n")
        z.writestr(info("attrs/system.txt", 0x24), b"s\n")
        z.writestr(info("attrs/notindexed.txt", 0x2020), b"n\n")
        z.writestr(info("dir/sub/", 0x10), b"")
        z.writestr(info("dir/", 0x10), b"")


def python_hostile(path):
    names = [
        "good.txt", "../escape.txt", "a/../../escape2.txt", "a/../b.txt", "C:\\dir\\f.txt", "/abs/f",
        "CON", "sub/aux.txt", "x/Com1.log", "LPT9.txt", "nul .txt", "stream.txt:hidden", "ctl\x01name.txt",
        "dots/.../f.txt",
    ]
    with zipfile.ZipFile(path, "w") as z:
        for name in names:
            zi = zipfile.ZipInfo(name, DOS_DATE_TIME)
            zi.external_attr = 0o100644 << 16
            z.writestr(zi, name.encode() + b"\n")


def damaged_crc(path):
    """A stored entry with one data byte changed, and a deflated entry whose CRC fields are wrong."""
    payload = b"0123456789" * 10
    with zipfile.ZipFile(path, "w") as z:
        z.writestr(zipfile.ZipInfo("stored.txt", DOS_DATE_TIME), payload)
        zi = zipfile.ZipInfo("deflated.txt", DOS_DATE_TIME)
        zi.compress_type = zipfile.ZIP_DEFLATED
        z.writestr(zi, payload * 10)
        z.writestr(zipfile.ZipInfo("intact.txt", DOS_DATE_TIME), payload)
    data = bytearray(open(path, "rb").read())
    at = data.index(payload)
    data[at + 5] ^= 0x01
    with zipfile.ZipFile(path) as z:
        crc = z.getinfo("deflated.txt").CRC
    good = struct.pack("<I", crc)
    bad = struct.pack("<I", crc ^ 0x00010000)
    assert data.count(good) == 2
    data = data.replace(good, bad)
    open(path, "wb").write(data)


def main():
    out = os.path.abspath(sys.argv[1])
    if os.path.isdir(out):
        for folder, dirs, names in os.walk(out):
            for name in dirs + names:
                os.chmod(os.path.join(folder, name), 0o755)
        shutil.rmtree(out)
    src = os.path.join(out, "src")
    os.makedirs(src)
    make_tree(src)
    make_small(src)

    def zip_to(name, *args, options=(), **kwargs):
        run(["zip", "-q", "-r", *options, name, *args], cwd=src, **kwargs)

    zip_to(os.path.join(out, "infozip.zip"), "tree", "small", options=["-z"],
           input=b"A comment that mentions PK\x05\x06 once.\n")
    with open(os.path.join(out, "infozip_stream.zip"), "wb") as f:   # written to a pipe: data descriptors
        set_times(src)
        pipe = subprocess.Popen(["zip", "-q", "-r", "-", "tree"], cwd=src, stdout=subprocess.PIPE)
        shutil.copyfileobj(pipe.stdout, f)
        assert pipe.wait() == 0
    with open(os.path.join(out, "prefixed.zip"), "wb") as f:         # bytes before the archive
        f.write(bytes(random.Random(7).getrandbits(8) for _ in range(777)))
        f.write(open(os.path.join(out, "infozip.zip"), "rb").read())
    run(["7z", "a", "-tzip", "-bd", "-bso0", os.path.join(out, "sevenzip.zip"), "tree"], cwd=src)
    bsdtar_zip(os.path.join(out, "bsdtar.zip"), src, "tree")
    zip_to(os.path.join(out, "encrypted_infozip.zip"), "tree/a", "tree/random.bin", "tree/empty.txt",
           options=["-P", PASSWORD])
    run(["7z", "a", "-tzip", "-bd", "-bso0", "-p" + PASSWORD, "-mem=ZipCrypto",
         os.path.join(out, "encrypted_7z.zip"), "tree/a", "tree/random.bin"], cwd=src)
    python_tree(os.path.join(out, "python.zip"))
    python_hostile(os.path.join(out, "hostile.zip"))
    damaged_crc(os.path.join(out, "damaged_crc.zip"))

    # Seeds of the mutation test: small archives from each tool.
    zip_to(os.path.join(out, "seed_infozip.zip"), "small")
    with open(os.path.join(out, "seed_infozip_stream.zip"), "wb") as f:
        set_times(src)
        pipe = subprocess.Popen(["zip", "-q", "-r", "-", "small"], cwd=src, stdout=subprocess.PIPE)
        shutil.copyfileobj(pipe.stdout, f)
        assert pipe.wait() == 0
    run(["7z", "a", "-tzip", "-bd", "-bso0", os.path.join(out, "seed_7z.zip"), "small"], cwd=src)
    bsdtar_zip(os.path.join(out, "seed_bsdtar.zip"), src, "small")
    set_times(src)
    with zipfile.ZipFile(os.path.join(out, "seed_python.zip"), "w", zipfile.ZIP_DEFLATED) as z:
        for folder, dirs, names in sorted(os.walk(os.path.join(src, "small"))):
            for name in sorted(names):
                full = os.path.join(folder, name)
                z.write(full, os.path.relpath(full, src))
            z.write(folder, os.path.relpath(folder, src))


if __name__ == "__main__":
    main()
