#!/usr/bin/env bash
# Builds the native lane and runs the benchmarks; each reports ratios against a baseline that it
# measures in the same run.
#
#   scripts/bench.sh [benchmark flags...]   every benchmark, flags passed on
#   scripts/bench.sh --readme               the effect and front-end tables, medians of five
#                                           repetitions, written into README.md
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
cmake --preset native >/dev/null
cmake --build --preset native

if [ "${1:-}" != "--readme" ]; then
  for b in build/native/bench/*/bench_*; do
    [ -x "$b" ] || continue
    echo "== $(basename "$b") =="
    "$b" --benchmark_min_time=0.2 "$@"
  done
  exit 0
fi

# Median of each counter over five repetitions, one CSV line per benchmark case.
medians() {
  "$1" --benchmark_min_time=0.5 --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_format=csv 2>/dev/null | grep '_median"'
}
effect_csv=$(medians build/native/bench/effect/bench_effect)
front_csv=$(medians build/native/bench/frontends/bench_frontends)

cpu=$(grep -m1 'model name' /proc/cpuinfo | sed 's/.*: //')
table=$(mktemp)
trap 'rm -f "$table"' EXIT
{
  echo "<!-- bench:effect (written by scripts/bench.sh --readme) -->"
  # Columns of the CSV: name first, the counters last (baseline_ns_per_frame, ns_per_frame, ratio).
  echo "$effect_csv" | awk -F, -v cpu="$cpu" -v date="$(date -u +%Y-%m-%d)" '
    {
      split($1, p, "[/:]")  # BM_ProcessBlock rate R frames F target T lfo_rate L manual_time_median"
      if (p[9] != 3) { long[p[7]] = $NF; next }
      key = p[3] "/" p[5]; ratio[key, p[7]] = $NF; plain += $(NF - 2); n++
      if (!(key in seen)) { seen[key] = 1; order[++rows] = key }
    }
    END {
      printf "Measured on %s, %s. The plain loop takes %.2f ns per stereo frame (mean over the rows).\n", cpu, date, plain / n
      print "The recursion is latency-bound: each sample waits for the previous one through a multiply, an"
      print "add and a subtract, so the plain loop runs at that chain'"'"'s speed and everything the effect adds"
      print "beside the chain (flush checks, LFO updates, bookkeeping) costs only where it takes issue slots."
      print ""
      print "| rate / block | LFO off | sweeping frequency | sweeping bandwidth | sweeping mix |"
      print "|---|---|---|---|---|"
      for (r = 1; r <= rows; r++) {
        split(order[r], k, "/")
        printf "| %s kHz / %s | %.2f | %.2f | %.2f | %.2f |\n", (k[1] == 44100 ? "44.1" : k[1] / 1000), k[2],
               ratio[order[r], 0], ratio[order[r], 1], ratio[order[r], 2], ratio[order[r], 3]
      }
      print ""
      printf "At \"2/1\", the longest cycle (3208 updates, all kept), 44.1 kHz / 256: %.2f sweeping frequency,\n", long[1]
      printf "%.2f sweeping bandwidth.\n", long[2]
    }'
  echo ""
  echo "Front ends: the 32-bit path through the built Linux plug-in (float in and out, default"
  echo "settings, 44.1 kHz) against the effect's own \`ProcessBlock\` on the same audio. Target: at most 1.1."
  echo ""
  echo "| block | VST3 \`process\` | VST2 \`processReplacing\` |"
  echo "|---|---|---|"
  echo "$front_csv" | awk -F, '
    { split($1, p, "[/:]"); f = p[3]; ratio[f, p[5]] = $NF; if (!(f in seen)) { seen[f] = 1; order[++rows] = f } }
    END { for (r = 1; r <= rows; r++) printf "| %s | %.2f | %.2f |\n", order[r], ratio[order[r], 3], ratio[order[r], 2] }'
  echo "<!-- /bench:effect -->"
} > "$table"

# Replace the block between the markers, keeping everything around it.
awk -v table="$table" '
  /<!-- bench:effect/ { while ((getline line < table) > 0) print line; skip = 1; next }
  /<!-- \/bench:effect -->/ { skip = 0; next }
  !skip { print }' README.md > README.md.new
mv README.md.new README.md
sed -n '/<!-- bench:effect/,/<!-- \/bench:effect -->/p' README.md
