#!/usr/bin/env bash
# Makes the documentation pictures of the editor as VST3 hosts show it: on Windows, saved by the
# windows lane's editor-view tests (the real module under Wine, opened through its view in a host
# window, at 100 % and at the host's scale of 200 %), copied to docs/editor-windows.png and
# docs/editor-windows-200.png; on Linux, saved by the native lane's X11 editor test
# (the real bundle in the X11 test host under Xvfb), copied to docs/editor-linux.png.
#
#   scripts/make-docs.sh [WINDOWS_BUILD_DIR [NATIVE_BUILD_DIR]]
#       defaults build/windows and build/native, the presets' folders; existing builds are reused
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build/windows}")
native=$(realpath -m "${2:-$root/build/native}")
cd "$root"

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake --preset windows -B "$build" >/dev/null
fi
cmake --build "$build" -j2 --target vst3_editor_window_tests

shots="$build/tests/vst3/editor"
rm -f "$shots/editor-windows.png" "$shots/editor-windows-200.png"
# Only the tests that open the editor and save what the window shows.
"$build/wine-run.sh" "$shots/vst3_editor_window_tests.exe" \
  --gtest_filter='Vst3Editor.TheViewOpensTheEditorInTheHostWindowAndDrawsTheModulesImages:Vst3Editor.AtTheHostsScaleOfTwoTheWindowDoublesAndShowsTheLargeArt'
"$build/wine-run.sh" --end-session
for name in editor-windows editor-windows-200; do
  test -s "$shots/$name.png"
  cp "$shots/$name.png" "docs/$name.png"
  echo "docs/$name.png"
done

if [ ! -f "$native/CMakeCache.txt" ]; then
  cmake --preset native -B "$native" >/dev/null
fi
cmake --build "$native" -j2 --target vst3_x11_editor_tests
shot="$native/tests/graphics_x11/editor-linux.png"
rm -f "$shot"
xvfb-run -a -s "-screen 0 1024x768x24" "$native/tests/graphics_x11/vst3_x11_editor_tests" \
  --gtest_filter='Vst3X11.TheWindowShowsTheOffscreenEditorsPixels'
test -s "$shot"
cp "$shot" docs/editor-linux.png
echo "docs/editor-linux.png"
