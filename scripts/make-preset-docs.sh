#!/usr/bin/env bash
# Measures every factory preset with quivorant-render --describe (the response through the
# plug-in, LFO at rest) and writes the README's preset table from what it measured, so the table
# says what the filter does rather than what a preset's name suggests; then plots the responses
# the README shows into docs/.
#
#   scripts/make-preset-docs.sh [BUILD_DIR]    default build/native (the tool and the plug-in
#                                               built beside it)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build/native}")
render="$build/quivorant-render"
readme="$root/README.md"
begin='<!-- preset table: written by scripts/make-preset-docs.sh -->'
end='<!-- end of preset table -->'
[ -x "$render" ] || { echo "no $render: build the native lane first" >&2; exit 1; }
grep -qF "$begin" "$readme" && grep -qF "$end" "$readme" || { echo "README.md lacks the table's markers" >&2; exit 1; }

table=$(mktemp)
trap 'rm -f "$table"' EXIT
{
  echo "$begin"
  echo "| # | preset | settings | measured response (LFO at rest) | LFO at 120 BPM: wave, rate, sweep |"
  echo "|---|---|---|---|---|"
  "$render" --list | awk '/^Presets:/ { p = 1; next } p && !/not a factory preset/ { print $1 }' |
    while read -r index; do
      name=$("$render" --list | awk -v i="$index" '/^Presets:/ { p = 1; next } p && $1 == i { $1 = ""; sub(/^ +/, ""); print }')
      # "<settings>, LFO at rest: <response>; LFO <lfo>"
      line=$("$render" --preset "$index" --describe)
      settings=${line%%: *}
      settings=${settings%, LFO at rest}
      rest=${line#*: }
      echo "| $index | $name | $settings | ${rest%%; LFO *} | ${rest##*; LFO } |"
    done
  echo "$end"
} > "$table"

# The lines between the markers give way to the new table.
awk -v begin="$begin" -v end="$end" -v table="$table" '
  $0 == begin { while ((getline line < table) > 0) print line; skip = 1; next }
  $0 == end { skip = 0; next }
  !skip { print }' "$readme" > "$readme.new"
mv "$readme.new" "$readme"
echo "README.md: preset table rewritten from $render"

for preset in "Low Frequencies" "Oscillating Filter" "Phaser"; do
  stem=$(echo "$preset" | tr 'A-Z ' 'a-z-')
  "$render" --preset "$preset" --response-png "$root/docs/response-$stem.png"
  echo "docs/response-$stem.png"
done
