#!/usr/bin/env bash
# Start-up of the launcher: from entry to the painted splash, next to the whole /e run with the
# demo payload, and next to a baseline measured in the same run: a bare first window of a process,
# shown and painted. Usage: startup_bench.sh [build dir] [runs]
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=$(realpath -m "${1:-$ROOT/build}")
RUNS=${2:-9}
export BUILD
source "$ROOT/scripts/common.sh"
configure_and_build >/dev/null
cmake --build "$BUILD" --target launch_timing first_window_baseline -j2 >/dev/null
ensure_wineprefix

OUT=$BUILD/bench
mkdir -p "$OUT"
lumbra=$(winepath -w "$BUILD/bin/Lumbra.exe" 2>/dev/null)
cat >"$OUT/startup-runs.sh" <<RUNS
for i in \$(seq 1 $RUNS); do
    wine "$BUILD/bin/launch_timing.exe" 1 '$lumbra' /e | sed 's/^run 1: //'
    wine "$BUILD/bin/first_window_baseline.exe"
done
RUNS
log "$RUNS runs of Lumbra.exe /e and of the baseline, alternating"
in_wine_session bash "$OUT/startup-runs.sh" | tr -d '\r' >"$OUT/startup.txt"

python3 - "$OUT/startup.txt" <<'PY'
import re, statistics, sys
text = open(sys.argv[1]).read()
def med(pattern):
    values = [float(v) for v in re.findall(pattern, text)]
    return statistics.median(values) if values else float("nan"), len(values)
splash, n = med(r"splash painted ([\d.]+) ms")
unpacked, _ = med(r"unpacked ([\d.]+) ms")
lumbra_before, _ = med(r"splash painted.*\(process start ([\d.]+) ms before\)")
outside, _ = med(r"exit code 0, ([\d.]+) ms from outside")
base, m = med(r"window painted ([\d.]+) ms")
base_before, _ = med(r"window painted.*\(process start ([\d.]+) ms before\)")
print(f"runs: {n} launcher, {m} baseline (medians)")
print(f"  entry -> splash painted        {splash:7.1f} ms   (aim < 30 ms)")
print(f"  baseline: entry -> bare window {base:7.1f} ms   ratio splash/baseline {splash / base:.2f}")
print(f"  entry -> all archives unpacked {unpacked:7.1f} ms")
print(f"  whole /e run, seen from outside{outside:7.1f} ms   (splash share {splash / outside:.0%})")
print(f"  process creation -> entry: launcher {lumbra_before:.1f} ms, baseline {base_before:.1f} ms")
PY
