#!/usr/bin/env bash
# Our list view (platform/qt's QListView) against the system's SysListView32, side by side in one run
# of one program under Wine: 10,000 rows of three columns filled, sorted and painted (native with
# redraw off while filling), a re-sort on a header click, 100 scroll-step repaints; then 1,000 rows
# against the native list with redraw on. Best of RUNS each, the contenders alternating, and the GDI
# handle count of our process around every run of ours.
# Usage: list_bench.sh [build dir] [rows (default 10000)] [runs (default 2)]
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=$(realpath -m "${1:-$ROOT/build}")
ROWS=${2:-10000}
RUNS=${3:-2}
export BUILD
source "$ROOT/scripts/common.sh"

if [ ! -f "$BUILD/CMakeCache.txt" ]; then
    cmake -S "$ROOT" -B "$BUILD" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
          -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$BUILD" --target list_bench -j2 >/dev/null
ensure_wineprefix
log "list view benchmark: $ROWS rows, best of $RUNS ($(nproc) processors)"
in_wine_session wine "$BUILD/bin/list_bench.exe" "$ROWS" "$RUNS" 2>/dev/null | tr -d '\r'
