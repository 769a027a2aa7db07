#!/usr/bin/env bash
# The main job: installs what is missing, builds both lanes, and collects the deliverables and the
# demo into out/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/scripts/install-deps.sh"

for lane in native windows; do
  echo "== building the $lane lane =="
  cmake --preset "$lane" >/dev/null
  cmake --build --preset "$lane"
done

out="$root/out"
mkdir -p "$out"
copied=()
for f in build/windows/quivorant_x64.vst3 build/windows/quivorant_x64.dll build/native/quivorant.so; do
  if [ -f "$f" ]; then cp "$f" "$out/" && copied+=("$out/$(basename "$f")"); fi
done
if [ -d build/native/quivorant.vst3 ]; then
  rm -rf "$out/quivorant.vst3" && cp -r build/native/quivorant.vst3 "$out/" && copied+=("$out/quivorant.vst3")
fi
echo "== done =="
if [ ${#copied[@]} -gt 0 ]; then printf '  %s\n' "${copied[@]}"; else echo "  (no deliverables built yet)"; fi
