#!/usr/bin/env bash
# Proves that the launcher builds reproducibly: two clean builds of the committed tree (HEAD), in two
# folders of different names and depths, give a byte-identical Lumbra.exe. Not part of test.sh (it
# builds twice from scratch). usage: scripts/reproducible.sh [target ...]   (default: Lumbra LumbraPack)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_packages

targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(Lumbra LumbraPack)
work=$(mktemp -d /tmp/lumbra-repro.XXXXXX)
trap 'rm -rf "$work"' EXIT
commit=$(git -C "$ROOT" rev-parse HEAD)
log "building $commit twice"

build_once() {  # <source dir>
    local src=$1
    mkdir -p "$src"
    git -C "$ROOT" archive "$commit" | tar -x -C "$src"
    cmake -S "$src" -B "$src/build" -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-w64-x86_64.cmake" \
          -DCMAKE_BUILD_TYPE=Release >/dev/null
    local t
    for t in "${targets[@]}"; do
        cmake --build "$src/build" -j2 --target "$t" >/dev/null
    done
}

build_once "$work/a"
build_once "$work/second/b-with-a-longer-name"

status=0
for t in "${targets[@]}"; do
    one="$work/a/build/bin/$t.exe"
    two="$work/second/b-with-a-longer-name/build/bin/$t.exe"
    if cmp -s "$one" "$two"; then
        echo "$t.exe: byte-identical ($(stat -c %s "$one") bytes, sha256 $(sha256sum "$one" | cut -c1-16)...)"
    else
        echo "$t.exe: DIFFERENT"
        cmp -l "$one" "$two" | head -20
        status=1
    fi
done
exit $status
