#!/usr/bin/env bash
# The Windows module exports exactly the three VST3 entry points and imports system DLLs only.
# Each argument is the module or its bundle folder (NAME.vst3/Contents/x86_64-win/NAME.vst3).
set -euo pipefail
if [ $# -gt 1 ]; then
  for path in "$@"; do "$0" "$path" || exit 1; done
  exit 0
fi
dll="$1"
if [ -d "$dll" ]; then
  dll="$dll/Contents/x86_64-win/$(basename "$dll")"
  [ -f "$dll" ] || { echo "no module at $dll"; exit 1; }
fi
tables=$(x86_64-w64-mingw32-objdump -p "$dll")
exports=$(printf '%s\n' "$tables" | awk '/Ordinal\/Name Pointer\] Table/ {on=1; next} on && /^[ \t]*\[/ {print $NF; next} {on=0}' | sort | tr '\n' ' ')
expected="ExitDll GetPluginFactory InitDll "
if [ "$exports" != "$expected" ]; then
  echo "exports are '$exports', expected '$expected'"; exit 1
fi
allowed='^(KERNEL32|USER32|GDI32|COMDLG32|COMCTL32|SHELL32|ADVAPI32|msvcrt|ucrtbase|api-ms-win-crt-[a-z0-9-]+)\.dll$'
status=0
while read -r name; do
  if ! printf '%s\n' "$name" | grep -Eiq "$allowed"; then
    echo "imports non-system DLL: $name"; status=1
  fi
done < <(printf '%s\n' "$tables" | awk '/DLL Name:/ {print $3}')
[ "$status" = 0 ] && echo "exports: $exports; imports: $(printf '%s\n' "$tables" | awk '/DLL Name:/ {print $3}' | tr '\n' ' ')"
exit $status
