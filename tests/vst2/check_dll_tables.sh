#!/usr/bin/env bash
# The VST2 DLL exports exactly VSTPluginMain and main, and imports only DLLs that every Windows
# installation has. Usage: check_dll_tables.sh <quivorant_x64.dll>
set -euo pipefail
dll=$1
dump=$(x86_64-w64-mingw32-objdump -p "$dll")
exports=$(awk '/\[Ordinal\/Name Pointer\] Table/{on=1; next} on && /^[ \t]*\[/{print $NF; next} on{on=0}' <<<"$dump" | sort)
echo "exports: $(echo $exports)"
[ "$(echo $exports)" = "VSTPluginMain main" ] || { echo "unexpected exports"; exit 1; }
imports=$(grep -i 'DLL Name:' <<<"$dump" | awk '{print tolower($3)}' | sort -u)
echo "imports: $(echo $imports)"
allowed='^(kernel32|user32|gdi32|comdlg32|comctl32|shell32|advapi32|ole32|msvcrt|ucrtbase|api-ms-win-crt-[a-z0-9-]+)\.dll$'
for dll_name in $imports; do
  [[ $dll_name =~ $allowed ]] || { echo "imports a non-system DLL: $dll_name"; exit 1; }
done
grep -qi 'kernel32.dll' <<<"$imports" || { echo "no import table found"; exit 1; }
echo "tables ok"
