#!/usr/bin/env bash
# Fails when an executable imports anything but DLLs that every Windows system carries.
set -u
allowed='^(kernel32|user32|gdi32|shell32|ole32|oleaut32|advapi32|comctl32|comdlg32|version|msvcrt|shlwapi|uxtheme|msimg32|psapi|ntdll|winmm)\.dll$'
status=0
for exe in "$@"; do
    if [ ! -f "$exe" ]; then echo "missing: $exe"; status=1; continue; fi
    dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
    echo "$(basename "$exe"): $(echo $dlls)"
    bad=$(echo "$dlls" | grep -vE "$allowed" || true)
    if [ -n "$bad" ]; then echo "  not a system DLL: $(echo $bad)"; status=1; fi
done
exit $status
