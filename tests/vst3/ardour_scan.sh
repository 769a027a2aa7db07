#!/usr/bin/env bash
# A real host indexes the bundle: Ardour's VST3 scanner must load it without an error and
# index our class. It lists only classes of the "Audio Module Class" category and writes the
# sub-category as its "category" attribute.
set -uo pipefail
bundle="$1"
scanner=/usr/lib/ardour7/ardour-vst3-scanner
if [ ! -x "$scanner" ]; then echo "no $scanner"; exit 1; fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$bundle" "$work/"
out=$(cd "$work" && LD_LIBRARY_PATH=/usr/lib/ardour7 HOME="$work" timeout 60 "$scanner" -f "$work/$(basename "$bundle")" 2>&1)
rc=$?
info=$(find "$work" -name '*.v3i' -exec cat {} + 2>/dev/null)
printf '%s\n%s\n' "$out" "$info"
if [ $rc -ne 0 ]; then echo "scanner exit code $rc"; exit 1; fi
for want in 'uid="F2AEE70D00DE4F4E546C766E62316751"' 'name="quivorant"' 'vendor="Tolvane"' 'category="Fx"' \
  'version="1.3.0"' 'n_inputs="2"' 'n_outputs="2"'; do
  if ! grep -qF -- "$want" <<<"$info"; then echo "missing '$want' in the scanner's index"; exit 1; fi
done
if grep -Eqi 'error|failed|cannot' <<<"$out"; then echo "scanner reported a problem"; exit 1; fi
exit 0
