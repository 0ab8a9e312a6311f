#!/usr/bin/env bash
# Makes <dir>/tree with a link into <dir>/outside, as a junction would be on Windows.
set -eu
dir=$1
rm -rf "$dir"
mkdir -p "$dir/tree/sub" "$dir/outside/deeper"
echo precious > "$dir/outside/precious.txt"
echo also > "$dir/outside/deeper/also.txt"
echo mine > "$dir/tree/sub/mine.txt"
ln -s ../outside "$dir/tree/link"
