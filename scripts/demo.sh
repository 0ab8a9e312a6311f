#!/usr/bin/env bash
# The launcher's whole job under Wine with the embedded demo payload: splash, unpack into a fresh
# folder under %TEMP%, start the viewer on a sample recording, wait for it, clean up. Then tells
# what happened and saves screenshots of the splash and the viewer to
# build/screenshots/demo-splash.png and build/screenshots/demo-viewer.png.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

if [ "${1:-}" != "--inside" ]; then
    ensure_packages
    configure_and_build
    ensure_wineprefix
    in_wine_session bash "$ROOT/scripts/demo.sh" --inside
    exit $?
fi

DEMO=$BUILD/demo
mkdir -p "$DEMO"
sample="$DEMO/Hall 2 - Camera 1 (2026-12-08).dvr"
# A made-up recorder export: a short text header, then binary frames.
{ printf 'ORVDVR01\r\nrecorder: Hall 2\r\ncamera: 1\r\nstart: 2026-12-08 13:25:07\r\n\r\n'
  head -c 4096 /dev/urandom; } >"$sample"
report="$DEMO/viewer-report.txt"
shots=$BUILD/screenshots
mkdir -p "$shots"
rm -f "$report" "$shots/demo-viewer.png" "$shots/demo-splash.png"

win_temp=$(wine cmd /c echo %TEMP% 2>/dev/null | tr -d '\r')
temp_dir=$(winepath -u "$win_temp" 2>/dev/null)
before=$(ls -1 "$temp_dir" | grep '^LM' || true)

log "running: Lumbra.exe /lEN \"$(winepath -w "$sample")\""
started=$(date +%s.%N)
TAVISK_AUTOCLOSE_MS=5000 TAVISK_REPORT=$(winepath -w "$report") \
    wine "$BUILD/bin/Lumbra.exe" /lEN "$(winepath -w "$sample")" &
launcher=$!

# Watch the run from outside: the splash, the fresh folder, the viewer's report, the screenshots.
# The splash is the launcher's only window; it is on screen until the viewer is ready. A mapped
# window is not yet a painted one (under load the X server shows it black first): the capture tool
# polls until the picture has more than one colour and holds still. It runs beside the watch for
# the folder, which only exists while the viewer runs.
python3 "$ROOT/scripts/capture_window.py" --program lumbra.exe --out "$shots/demo-splash.png" \
    --timeout 10 --interval 0.01 &
capture=$!
folder=
for _ in $(seq 1 300); do
    folder=$(comm -13 <(echo "$before") <(ls -1 "$temp_dir" | grep '^LM' || true) | head -n1)
    [ -n "$folder" ] && break
    sleep 0.05
done
for _ in $(seq 1 300); do
    [ -s "$report" ] && break
    sleep 0.1
done
wait $capture || true
sleep 1  # let the window paint
xwd -root -silent | convert xwd:- png:"$shots/demo-viewer.png" 2>/dev/null || true

set +e
wait $launcher
status=$?
set -e
elapsed=$(echo "$(date +%s.%N) - $started" | bc 2>/dev/null || echo "?")

echo
echo "What happened:"
if [ -n "$folder" ]; then
    echo "  working folder created:  $win_temp\\$folder"
else
    echo "  working folder created:  (not seen)"
fi
if [ -s "$report" ]; then
    echo "  the viewer received:     $(sed -n 's/^cmdline: //p' "$report" | tr -d '\r')"
    echo "  viewer language:         $(sed -n 's/^language-name: //p' "$report" | tr -d '\r')"
    echo "  files next to the viewer: $(sed -n '/^files:/,$p' "$report" | tail -n +2 | grep -c .)"
else
    echo "  the viewer received:     (no report: the viewer did not run)"
fi
if [ -n "$folder" ] && [ ! -e "$temp_dir/$folder" ]; then
    echo "  working folder removed:  yes"
else
    echo "  working folder removed:  NO"
fi
echo "  launcher exit code:      $status  (${elapsed%.*} s in all)"
[ -f "$shots/demo-splash.png" ] && echo "  screenshot of the splash: $shots/demo-splash.png"
[ -f "$shots/demo-viewer.png" ] && echo "  screenshot of the viewer: $shots/demo-viewer.png"
[ "$status" -eq 0 ] && [ -s "$report" ] && [ -n "$folder" ] && [ ! -e "$temp_dir/$folder" ]
