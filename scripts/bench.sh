#!/usr/bin/env bash
# Builds the native lane and runs every benchmark; each reports ratios against a baseline that it
# measures in the same run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
cmake --preset native >/dev/null
cmake --build --preset native
for b in build/native/bench/*/bench_*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b") =="
  "$b" --benchmark_min_time=0.2 "$@"
done
