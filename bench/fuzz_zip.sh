#!/usr/bin/env bash
# Fuzzes the zip reader natively with libFuzzer under AddressSanitizer (leaks included) and
# UndefinedBehaviorSanitizer; any finding ends the run with a crash file in build/fuzz/.
# Usage: fuzz_zip.sh [runs (default 1000000)] [seconds (default 600)]
# Seeds: the archives that the zip tests' fixture makes with third-party tools (encrypted ones included).
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
OUT=$ROOT/build/fuzz
RUNS=${1:-1000000}
SECONDS_MAX=${2:-600}
mkdir -p "$OUT/corpus"

log() { printf '== %s\n' "$*"; }

log "building the fuzz target (clang, -fsanitize=fuzzer,address,undefined)"
SOURCES=(ZipFormat ZipNames ZipCrypto ZipEntryReader ZipExtract ZipOutput ZipReader ZipUnzipAll)
clang++ -std=c++20 -O1 -g -fno-omit-frame-pointer -fsanitize=fuzzer,address,undefined \
    -fno-sanitize-recover=all -Wall -Wextra -Werror -I"$ROOT" \
    $(for s in "${SOURCES[@]}"; do echo "$ROOT/unpack/zip/$s.cpp"; done) "$ROOT/bench/fuzz/ZipFuzz.cpp" \
    -lz -lpthread -o "$OUT/zip_fuzz"

log "seeds"
if [ ! -d "$OUT/seeds" ]; then
    python3 "$ROOT/tests/zip/make_archives.py" "$OUT/seeds" >/dev/null
fi
cp -n "$OUT"/seeds/*.zip "$OUT/corpus/" 2>/dev/null || true

log "replaying the seeds"
if ! "$OUT/zip_fuzz" "$OUT"/seeds/*.zip >"$OUT/replay.log" 2>&1; then
    grep -E 'runtime error|ERROR|SUMMARY' "$OUT/replay.log" | head -n 5
    echo "fuzz_findings=yes (replaying the seeds; see $OUT/replay.log)"
    exit 1
fi

log "fuzzing: $RUNS mutated archives or $SECONDS_MAX s, whichever comes first"
cd "$OUT"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
start=$(date +%s)
./zip_fuzz -runs="$RUNS" -max_total_time="$SECONDS_MAX" -max_len=65536 -rss_limit_mb=2048 -timeout=20 \
    -print_final_stats=1 corpus 2>&1 | tee fuzz.log | grep -E '^(#[0-9]+ +(DONE|pulse|INITED)|stat::|==|SUMMARY)' || true
end=$(date +%s)
runs=$(grep -E '^stat::number_of_executed_units' fuzz.log | awk '{print $2}')
if grep -qE 'ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error:|deadly signal' fuzz.log; then
    echo "fuzz_findings=yes (see $OUT/fuzz.log and the crash-* files)"
    exit 1
fi
echo "fuzz_runs=${runs:-0} seconds=$((end - start)) findings=0"
