#!/usr/bin/env bash
# Fails when an executable imports a DLL it may not.
#   --known  exe...   only DLLs that the system always loads from its own folder (its known DLLs): a
#                     same-named file beside the program can never take their place
#   --system exe...   DLLs that every Windows system carries
set -u
known='^(kernel32|user32|gdi32|msvcrt|advapi32|shell32|ole32|oleaut32|comdlg32|shlwapi|psapi|imm32|ntdll|rpcrt4|sechost|setupapi|ws2_32|wldap32|normaliz|nsi|imagehlp|gdiplus|shcore|combase|msctf|clbcatq|coml2|difxapi)\.dll$'
system='^(kernel32|user32|gdi32|shell32|ole32|oleaut32|advapi32|comctl32|comdlg32|version|msvcrt|shlwapi|uxtheme|msimg32|psapi|ntdll|winmm)\.dll$'
allowed=$system
status=0
for arg in "$@"; do
    case $arg in
        --known) allowed=$known; continue ;;
        --system) allowed=$system; continue ;;
    esac
    exe=$arg
    if [ ! -f "$exe" ]; then echo "missing: $exe"; status=1; continue; fi
    dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
    echo "$(basename "$exe"): $(echo $dlls)"
    bad=$(echo "$dlls" | grep -vE "$allowed" || true)
    if [ -n "$bad" ]; then echo "  not allowed here: $(echo $bad)"; status=1; fi
done
exit $status
