#!/usr/bin/env python3
"""A payload whose unpacking takes a while even under a fast file system: the small test payload
plus thousands of small files (creating a file costs far more than writing a few bytes)."""
import os
import shutil
import sys

source, target, count = sys.argv[1], sys.argv[2], int(sys.argv[3])
marker = os.path.join(target, ".complete-%d" % count)
if os.path.exists(marker):
    sys.exit(0)
shutil.rmtree(target, ignore_errors=True)
shutil.copytree(source, target)
many = os.path.join(target, "RUNTIME", "many")
os.makedirs(many)
for i in range(count):
    with open(os.path.join(many, "part%05d.txt" % i), "w") as f:
        f.write(("record %05d of the recorder's index\r\n" % i) * 20)
open(marker, "w").close()
