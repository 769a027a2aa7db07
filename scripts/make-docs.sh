#!/usr/bin/env bash
# Makes the documentation picture that needs the Windows build: the editor as a VST3 host shows
# it, saved by the windows lane's editor-view test (the real module under Wine, opened through its
# view in a host window) and copied to docs/editor-windows.png.
#
#   scripts/make-docs.sh [BUILD_DIR]    default build/windows, the windows preset's folder; an
#                                       existing build there is reused
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build/windows}")
cd "$root"

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake --preset windows -B "$build" >/dev/null
fi
cmake --build "$build" -j2 --target vst3_editor_window_tests

shot="$build/tests/vst3/editor/editor-windows.png"
rm -f "$shot"
# Only the test that opens the editor and saves what the window shows.
"$build/wine-run.sh" "$build/tests/vst3/editor/vst3_editor_window_tests.exe" \
  --gtest_filter='Vst3Editor.TheViewOpensTheEditorInTheHostWindowAndDrawsTheModulesImages'
"$build/wine-run.sh" --end-session
test -s "$shot"
cp "$shot" docs/editor-windows.png
echo "docs/editor-windows.png"
