#!/usr/bin/env bash
# Makes <dir>/temp as a killed run would have left it, with links in it that the sweep must not
# follow (made from the Linux side: Wine shows them as junctions and symbolic links):
#   temp/LM1209101112000/          a stale working folder (marker nobody holds)
#     link      -> outside/        a folder link
#   temp/LM1209101113000 -> marked/  a link named like a working folder, to a folder with a marker
set -eu
dir=$1
rm -rf "$dir"
mkdir -p "$dir/temp/LM1209101112000/sub" "$dir/outside/deeper" "$dir/marked"
echo precious > "$dir/outside/precious.txt"
echo also > "$dir/outside/deeper/also.txt"
: > "$dir/marked/Lumbra.run"
echo "not ours" > "$dir/marked/data.txt"
stale=$dir/temp/LM1209101112000
: > "$stale/Lumbra.run"
echo x > "$stale/Tavisk.exe"
echo y > "$stale/sub/reader.dll"
ln -s ../../outside "$stale/link"
ln -s ../marked "$dir/temp/LM1209101113000"
