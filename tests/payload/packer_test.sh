#!/usr/bin/env bash
# The packer makes byte-identical archives from the same inputs, whatever the files' times, and
# lists a folder's entry after its content when asked. Runs natively, not under Wine.
set -eu
packer=$1
source_tree=$2
work=$3
rm -rf "$work"
mkdir -p "$work"
cp -r "$source_tree" "$work/a"
cp -r "$source_tree" "$work/b"
touch -d '2001-02-03 04:05:06' $(find "$work/b" -type f)
python3 "$packer" --out "$work/a.zip" --folders-last --tree "$work/a/VC" --file "$work/a/ZOLT/ZoltSDK/zolt.manifest=extra/z.txt"
python3 "$packer" --out "$work/b.zip" --folders-last --tree "$work/b/VC" --file "$work/b/ZOLT/ZoltSDK/zolt.manifest=extra/z.txt"
cmp "$work/a.zip" "$work/b.zip"
names=$(python3 -c 'import sys, zipfile; print(" ".join(i.filename for i in zipfile.ZipFile(sys.argv[1]).infolist()))' "$work/a.zip")
expected="Microsoft.VC80.ATL/ATL80.dll Microsoft.VC80.ATL/Microsoft.VC80.ATL.manifest Microsoft.VC80.ATL/ extra/z.txt extra/"
if [ "$names" != "$expected" ]; then
    echo "entries: $names"; echo "expected: $expected"; exit 1
fi
python3 - "$work/a.zip" <<'PY'
import sys, zipfile
for info in zipfile.ZipFile(sys.argv[1]).infolist():
    assert info.date_time == (2018, 10, 15, 12, 0, 0), info
    assert info.create_system == 0, info
    assert info.external_attr == (0x10 if info.filename.endswith("/") else 0x20), info
PY
echo "packer: byte-identical archives, folder entries last"
