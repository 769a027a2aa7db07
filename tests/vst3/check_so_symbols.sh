#!/usr/bin/env bash
# The Linux module exports exactly the three VST3 entry points and needs only system libraries
# (Xlib for the editor window among them).
set -euo pipefail
so="$1"
exports=$(nm -D --defined-only "$so" | awk '$2 ~ /^[TWDBV]$/ {print $3}' | sort | tr '\n' ' ')
expected="GetPluginFactory ModuleEntry ModuleExit "
if [ "$exports" != "$expected" ]; then
  echo "exports are '$exports', expected '$expected'"; exit 1
fi
status=0
for lib in $(readelf -d "$so" | awk '/NEEDED/ {gsub(/[\[\]]/, "", $5); print $5}'); do
  case "$lib" in
    libc.so.*|libm.so.*|libstdc++.so.*|libgcc_s.so.*|libpthread.so.*|libdl.so.*|libpng16.so.*|libz.so.*|libfreetype.so.*|libfontconfig.so.*|libX11.so.*|ld-linux-x86-64.so.*) ;;
    *) echo "needs unexpected library: $lib"; status=1 ;;
  esac
done
exit $status
