#!/usr/bin/env bash
# Renders one setting with the Linux tool through the Linux VST3 bundle and with the Windows tool
# under Wine through quivorant_x64.vst3 and quivorant_x64.dll, 64-bit path, and compares samples.
set -euo pipefail
native=$1 wine_run=$2 win_tool=$3 win_vst3=$4 win_vst2=$5 out=$6
if [ ! -x "$native/quivorant-render" ] || [ ! -x "$native/tests/tools/audio_compare" ] || [ ! -d "$native/quivorant.vst3" ]; then
  echo "native lane not built in $native: skipped"
  exit 77
fi
mkdir -p "$out"
args=(--preset "Oscillating Freq" --set "LFO Wave=Sine Half" --tempo 128 --block 333 --precision 64 --subtype double)
winpath() { echo "Z:${1//\//\\}"; }

# The same input for all three: the demo loop as the Linux tool makes it, passed through dry.
"$native/quivorant-render" --plugin "$native/quivorant.vst3" --set "Filter Mix=0" --precision 64 \
  --subtype double -o "$out/input.wav"
"$native/quivorant-render" --plugin "$native/quivorant.vst3" "${args[@]}" -i "$out/input.wav" -o "$out/linux.wav"
"$wine_run" "$win_tool" --format vst3 --plugin "$(winpath "$win_vst3")" "${args[@]}" \
  -i "$(winpath "$out/input.wav")" -o "$(winpath "$out/win-vst3.wav")"
"$wine_run" "$win_tool" --format vst2 --plugin "$(winpath "$win_vst2")" "${args[@]}" \
  -i "$(winpath "$out/input.wav")" -o "$(winpath "$out/win-vst2.wav")"
"$native/tests/tools/audio_compare" "$out/linux.wav" "$out/win-vst3.wav"
"$native/tests/tools/audio_compare" "$out/linux.wav" "$out/win-vst2.wav"
