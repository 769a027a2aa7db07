#!/usr/bin/env bash
# The main job: installs what is missing, builds both lanes, collects the deliverables in out/
# and renders the demo into out/demo/: every factory preset of the embedded loop, a response
# plot per preset and a picture of the editor.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/scripts/install-deps.sh"

for lane in native windows; do
  echo "== building the $lane lane =="
  cmake --preset "$lane" >/dev/null
  cmake --build --preset "$lane"
done
# The windows lane asks its VST3 module for moduleinfo.json under Wine; that session ends here.
build/windows/wine-run.sh --end-session || true

out="$root/out"
demo="$out/demo"
rm -rf "$demo"
mkdir -p "$out" "$demo/presets" "$demo/response"
for f in build/windows/quivorant_x64.dll build/native/quivorant.so build/windows/quivorant-render.exe; do
  [ -f "$f" ] && cp "$f" "$out/"
done
# The VST3 bundles are folders (an earlier out/ may still hold the single-file Windows module).
for bundle in build/windows/quivorant_x64.vst3 build/native/quivorant.vst3; do
  if [ -d "$bundle" ]; then rm -rf "${out:?}/$(basename "$bundle")" && cp -r "$bundle" "$out/"; fi
done

render=build/native/quivorant-render
echo "== rendering the demo =="
"$render" --all-presets --out-dir "$demo/presets"
# One response plot per factory preset, from the plug-in's own preset list.
"$render" --list | awk '/^Presets:/ { p = 1; next } p && !/not a factory preset/ { print $1 }' |
  while read -r index; do
    stem=$(basename "$(ls "$demo/presets/$(printf '%02d' "$index")-"*.wav)" .wav)
    "$render" --preset "$index" --response-png "$demo/response/$stem.png"
  done
# The editor at its defaults; a failure here fails the build (set -e).
"$render" --editor-png "$demo/editor.png"

echo "== done =="
echo "  plug-ins:          $out/quivorant_x64.vst3/, $out/quivorant_x64.dll (Windows)"
echo "                     $out/quivorant.vst3/, $out/quivorant.so (Linux)"
echo "  command-line host: $root/$render (Windows: $out/quivorant-render.exe)"
echo "  demo renders:      $demo/presets/ ($(ls "$demo/presets" | wc -l) files)"
echo "  response plots:    $demo/response/ ($(ls "$demo/response" | wc -l) files)"
echo "  editor picture:    $demo/editor.png"
