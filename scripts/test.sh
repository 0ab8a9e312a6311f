#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Wine (with Xvfb when there is no display).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ensure_packages
configure_and_build
ensure_wineprefix

log "running tests"
# The persistent server boots the prefix: inside the display, or Wine's desktop process starts without
# one and no test can create a window.
with_display bash -c 'source "$0/scripts/common.sh"; start_wineserver; trap stop_wineserver EXIT
                      cd "$BUILD" && ctest --output-on-failure -j2 "$@"' "$ROOT" "$@"
