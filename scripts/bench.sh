#!/usr/bin/env bash
# Builds the native lane and runs the benchmarks; each reports ratios against a baseline that it
# measures in the same run.
#
#   scripts/bench.sh [benchmark flags...]   every benchmark, flags passed on
#   scripts/bench.sh --readme               the effect and front-end tables, medians of fifteen
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

# Per benchmark case, the medians of the baseline and the ratio over fifteen repetitions: three
# passes of five, the two benchmarks' passes taking turns so that a case's passes lie minutes
# apart. A burst of load from the machine's neighbours (which slows the effect more than the
# plain loop) then has to last through two of them to move a figure.
effect_runs=$(mktemp)
front_runs=$(mktemp)
table=$(mktemp)
trap 'rm -f "$effect_runs" "$front_runs" "$table"' EXIT
pass() {
  "$1" --benchmark_min_time=0.5 --benchmark_repetitions=5 --benchmark_format=csv 2>/dev/null | grep '/manual_time"'
}
for round in 1 2 3; do
  pass build/native/bench/effect/bench_effect >> "$effect_runs"
  pass build/native/bench/frontends/bench_frontends >> "$front_runs"
done
# One CSV line per case, in the benchmark's order: name, baseline ns per frame, ratio.
medians() {
  awk -F, '
    function median(list,   v, n, i, j, t) {
      n = split(list, v, " ")
      for (i = 2; i <= n; i++) for (j = i; j > 1 && v[j - 1] + 0 > v[j] + 0; j--) { t = v[j]; v[j] = v[j - 1]; v[j - 1] = t }
      return n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
    }
    { if (!($1 in base)) order[++cases] = $1; base[$1] = base[$1] " " $(NF - 2); ratio[$1] = ratio[$1] " " $NF }
    END { for (c = 1; c <= cases; c++) printf "%s,%s,%s\n", order[c], median(base[order[c]]), median(ratio[order[c]]) }' "$1"
}
effect_csv=$(medians "$effect_runs")
front_csv=$(medians "$front_runs")

cpu=$(grep -m1 'model name' /proc/cpuinfo | sed 's/.*: //')
{
  echo "<!-- bench:effect (written by scripts/bench.sh --readme) -->"
  # Columns: name, baseline ns per frame, ratio.
  echo "$effect_csv" | awk -F, -v cpu="$cpu" -v date="$(date -u +%Y-%m-%d)" '
    {
      split($1, p, "[/:]")  # BM_ProcessBlock rate R frames F target T lfo_rate L manual_time"
      if (p[9] != 3) { long[p[7]] = $NF; next }
      key = p[3] "/" p[5]; ratio[key, p[7]] = $NF; plain += $2; n++
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
