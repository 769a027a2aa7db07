#!/usr/bin/env bash
# Regenerates the editor's images: SVG sources into resources/art, PNGs into resources/img and,
# rendered at twice the size from the same sources, into resources/img/2x.
# Needs python3 and rsvg-convert (librsvg2-bin) and the Liberation fonts (fonts-liberation).
# With --mockup DIR it also composes pictures of the whole editor into DIR (keep them under build/).
set -euo pipefail
export PYTHONDONTWRITEBYTECODE=1
root=$(cd "$(dirname "$0")/.." && pwd)
art="$root/resources/art"
img="$root/resources/img"
gen="$root/tools/artgen"

mockup=""
if [ "${1:-}" = "--mockup" ]; then
  mockup=${2:?"--mockup needs a folder"}
fi

command -v rsvg-convert >/dev/null || { echo "make-art: rsvg-convert missing (apt-get install librsvg2-bin)" >&2; exit 1; }
[ -n "$(fc-list "Liberation Sans")" ] || { echo "make-art: font Liberation Sans missing (fonts-liberation)" >&2; exit 1; }

python3 "$gen/test_pngio.py" >/dev/null 2>&1 || { echo "make-art: PNG self-test failed (python3 $gen/test_pngio.py)" >&2; exit 1; }
mkdir -p "$art" "$img/2x"
python3 "$gen/artgen.py" "$art"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# render ZOOM FOLDER: every image at ZOOM times its size, finished like the 1x set.
render() {
  for svg in "$art"/*.svg; do
    name=$(basename "$svg" .svg)
    [ "$name" = mask_glass ] && continue
    rsvg-convert --format=png --zoom="$1" -o "$2/$name.png" "$svg"
  done
  rsvg-convert --format=png --zoom="$1" -o "$tmp/mask_glass.png" "$art/mask_glass.svg"
  python3 "$gen/finish.py" "$2" "$tmp/mask_glass.png" "$1"
}
render 1 "$img"
render 2 "$img/2x"
QUIVORANT_IMG="$img" python3 "$gen/test_art.py" 2>"$tmp/test.log" || { cat "$tmp/test.log" >&2; echo "make-art: the images do not fit the editor" >&2; exit 1; }

if [ -n "$mockup" ]; then
  mkdir -p "$mockup"
  for state in default active widest; do
    python3 "$gen/mockup.py" "$img" "$tmp/mockup-$state.svg" "$state"
    rsvg-convert --format=png -o "$mockup/mockup-$state.png" "$tmp/mockup-$state.svg"
    rsvg-convert --format=png --zoom=3 -o "$mockup/mockup-$state-x3.png" "$tmp/mockup-$state.svg"
  done
  echo "make-art: mock-ups in $mockup"
fi
