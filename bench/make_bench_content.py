#!/usr/bin/env python3
"""Writes the benchmark's archives (deterministic), each made once with Info-ZIP:
  mixed.zip  ~100 MB, ~2,000 entries in nested folders: a few large libraries (half of them compressible),
             many small help and language files, as the real payload;
  big8.zip   eight 8 MiB files;
  small.zip  2,000 small files;
and the payload folders of the memory benchmark (payload8, payload128: the five archives' folders with
8 MB and 128 MB of incompressible data). Usage: make_bench_content.py <folder>"""
import os
import random
import shutil
import subprocess
import sys

WORDS = ("archive viewer frame recorder channel stream decode index export camera motion event alarm "
         "schedule playback record storage network device format header packet buffer timeline search "
         "the a of to in and for with on at by from").split()
LANGS = "CS DA DE EL EN ES FI FR HU IT JP NL NO PL PT RU SV TR".split()


def text(rnd, size):
    out, length = [], 0
    while length < size:
        line = " ".join(rnd.choice(WORDS) for _ in range(rnd.randint(4, 14)))
        line = f"{rnd.randint(0, 99999):05d} {line}\n"
        out.append(line)
        length += len(line)
    return "".join(out).encode()[:size]


def write_tree(root, files):
    for name, data in files.items():
        path = os.path.join(root, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)


def zip_tree(root, archive, top):
    subprocess.run(["zip", "-q", "-r", archive, top], cwd=root, check=True)


def mixed(rnd):
    files = {}
    for i in range(12):
        files[f"mixed/bin/lib{i:02d}.dll"] = text(rnd, 4 * 1024 * 1024)
    for i in range(16):
        files[f"mixed/codecs/sdk/codec{i:02d}.ax"] = rnd.randbytes(2816 * 1024)
    for i in range(1980):
        size = rnd.randint(256, 8192)
        data = text(rnd, size) if i % 3 else rnd.randbytes(size)
        lang = LANGS[i % len(LANGS)]
        files[f"mixed/help/{lang}/topic{i // 200:02d}/page{i:04d}.htm"] = data
    return files


def main():
    root = os.path.abspath(sys.argv[1])
    os.makedirs(root, exist_ok=True)
    rnd = random.Random(4242)
    sets = {
        "mixed": lambda: mixed(rnd),
        "big8": lambda: {f"big8/file{i}.bin": text(rnd, 4 * 1024 * 1024) + rnd.randbytes(4 * 1024 * 1024)
                         for i in range(8)},
        "small": lambda: {f"small/{i // 100:02d}/item{i:04d}.dat": text(rnd, rnd.randint(256, 8192))
                          for i in range(2000)},
    }
    for name, make in sets.items():
        archive = os.path.join(root, name + ".zip")
        if os.path.exists(archive):
            continue
        src = os.path.join(root, "src")
        shutil.rmtree(src, ignore_errors=True)
        write_tree(src, make())
        zip_tree(src, archive, name)
        shutil.rmtree(src)
    for megabytes in (8, 128):
        payload = os.path.join(root, f"payload{megabytes}")
        if os.path.exists(payload):
            continue
        files = {"VC/Microsoft.VC80.ATL/ATL80.dll": rnd.randbytes(100000),
                 "RUNTIME/Tavisk.txt": b"no viewer: the launcher runs with /e",
                 "LANG_EN/Lumbra_EN.dll": rnd.randbytes(50000), "HELP_EN/Lumbra_EN.chm": rnd.randbytes(50000)}
        for i in range(megabytes):
            files[f"ZOLT/ZoltSDK/part{i:03d}.bin"] = rnd.randbytes(1024 * 1024)
        write_tree(payload, files)


if __name__ == "__main__":
    main()
