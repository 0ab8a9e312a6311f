#!/usr/bin/env bash
# Runs a command in one Wine session of the private prefix, inside the current display: a
# persistent wineserver for fast process starts, Wine's own services started first with their
# output going nowhere (they outlive the first program, and would otherwise hold its output pipe
# open, so ctest would wait for them), and the server stopped at the end.
set -u
wineserver -p
wine cmd /c exit >/dev/null 2>&1
"$@"
status=$?
wineserver -k 2>/dev/null
exit $status
