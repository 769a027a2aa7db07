#!/usr/bin/env bash
# Ardour's VST2 scanner, a real host, must load and index our Linux build without an error.
# Usage: ardour_scan.sh <quivorant.so>
set -euo pipefail
plugin=$(readlink -f "$1")
scanner=/usr/lib/ardour7/ardour-vst-scanner
[ -x "$scanner" ] || { echo "no $scanner"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A private home and cache: the scanner writes its index there, not into the user's.
log=$(HOME="$work" XDG_CACHE_HOME="$work/cache" LD_LIBRARY_PATH=/usr/lib/ardour7 \
      timeout 60 "$scanner" -f -v "$plugin" 2>&1) || { echo "$log"; echo "scanner failed"; exit 1; }
echo "$log"
if grep -q '\[ERROR\]' <<<"$log"; then echo "scanner reported an error"; exit 1; fi
grep -q "Found Plugin: 'Qg1b' quivorant" <<<"$log" || { echo "plug-in not found"; exit 1; }
index=$(find "$work/cache" -name '*.v2i' | head -n 1)
[ -n "$index" ] || { echo "no index written"; exit 1; }
cat "$index"
for want in 'id="1647404881"' 'name="quivorant"' 'creator="Tolvane"' 'category="Effect"' \
            'n_inputs="2"' 'n_outputs="2"' 'is_instrument="0"' 'can_process_replace="1"'; do
  grep -q "$want" "$index" || { echo "index lacks $want"; exit 1; }
done
echo "indexed"
