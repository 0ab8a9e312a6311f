#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Wine (with Xvfb when there is no
# display), then saves the gallery's screenshots to build/screenshots/. Extra arguments go to ctest.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

if [ "${1:-}" = "--inside" ]; then
    shift
    log "running tests"
    status=0
    # One test program at a time: the window tests share one display, and several of them read the
    # screen or change the active window, so two at once disturb each other.
    (cd "$BUILD" && ctest --output-on-failure -j1 "$@") || status=$?
    bash "$ROOT/scripts/gallery.sh" --inside --screenshots || status=1
    exit $status
fi

ensure_packages
configure_and_build
ensure_wineprefix
in_wine_session bash "$ROOT/scripts/test.sh" --inside "$@"
