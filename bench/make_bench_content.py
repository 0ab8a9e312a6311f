#!/usr/bin/env python3
"""Writes the benchmark's source tree (deterministic): compressible text-like files, incompressible
random files and about 2,000 small files; then zips it with Info-ZIP. Usage: make_bench_content.py <folder>"""
import os
import random
import subprocess
import sys

WORDS = ("archive viewer frame recorder channel stream decode index export camera motion event alarm "
         "schedule playback record storage network device format header packet buffer timeline search "
         "the a of to in and for with on at by from").split()


def text(rnd, size):
    out, length = [], 0
    while length < size:
        line = " ".join(rnd.choice(WORDS) for _ in range(rnd.randint(4, 14)))
        line = f"{rnd.randint(0, 99999):05d} {line}\n"
        out.append(line)
        length += len(line)
    return "".join(out).encode()[:size]


def main():
    root = os.path.abspath(sys.argv[1])
    src = os.path.join(root, "content")
    archive = os.path.join(root, "bench.zip")
    if os.path.exists(archive):
        return
    rnd = random.Random(4242)
    files = {}
    for i in range(12):
        files[f"content/text/log{i:02d}.txt"] = text(rnd, 4 * 1024 * 1024)
    for i in range(16):
        files[f"content/media/clip{i:02d}.bin"] = rnd.randbytes(2816 * 1024)
    for i in range(2000):
        size = rnd.randint(256, 8192)
        data = text(rnd, size) if i % 3 else rnd.randbytes(size)
        files[f"content/small/{i // 100:02d}/item{i:04d}.dat"] = data
    for name, data in files.items():
        path = os.path.join(root, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
    subprocess.run(["zip", "-q", "-r", archive, "content"], cwd=root, check=True)


if __name__ == "__main__":
    main()
