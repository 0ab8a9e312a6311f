#!/usr/bin/env bash
# The toolkit gallery (VellGallery.exe) under Wine, with a private Xvfb display when there is none.
#   scripts/gallery.sh                 opens the gallery
#   scripts/gallery.sh --screenshots   saves every page's pictures to build/screenshots/*.png
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

if [ "${1:-}" != "--inside" ]; then
    ensure_packages
    configure_and_build
    ensure_wineprefix
    in_wine_session bash "$ROOT/scripts/gallery.sh" --inside "$@"
    exit $?
fi
shift

gallery=$BUILD/bin/VellGallery.exe
if [ "${1:-}" != "--screenshots" ]; then
    wine "$gallery"
    exit $?
fi

shots=$BUILD/screenshots
raw=$shots/gallery-bmp
mkdir -p "$raw"
rm -f "$raw"/*.bmp
log "gallery screenshots"
set +e
wine "$gallery" /shots "$(winepath -w "$raw")"
status=$?
set -e
made=0
for bmp in "$raw"/*.bmp; do
    [ -e "$bmp" ] || continue
    png=$shots/$(basename "${bmp%.bmp}").png
    convert "$bmp" "png:$png"
    echo "  $png"
    made=$((made + 1))
done
rm -rf "$raw"
if [ "$status" -ne 0 ] || [ "$made" -eq 0 ]; then
    echo "gallery screenshots failed (exit code $status, $made pictures)" >&2
    exit 1
fi
