#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Wine (with Xvfb when there is no display).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ensure_packages
configure_and_build
ensure_wineprefix

log "running tests"
cd "$BUILD"
in_wine_session ctest --output-on-failure -j2 "$@"
