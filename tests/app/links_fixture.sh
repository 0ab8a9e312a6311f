#!/usr/bin/env bash
# Makes <dir>/tree with a link into <dir>/outside, as a junction would be on Windows, and a file link
# to a read-only file outside.
set -eu
dir=$1
rm -rf "$dir"
mkdir -p "$dir/tree/sub" "$dir/outside/deeper"
echo precious > "$dir/outside/precious.txt"
echo also > "$dir/outside/deeper/also.txt"
echo mine > "$dir/tree/sub/mine.txt"
echo "read only" > "$dir/outside/ro.txt"
chmod a-w "$dir/outside/ro.txt"
ln -s ../outside "$dir/tree/link"
ln -s ../../outside/ro.txt "$dir/tree/sub/ro-link"
