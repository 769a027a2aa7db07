#!/usr/bin/env bash
# Runs every test of both lanes on a fresh machine: installs what is missing, builds, tests.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/scripts/install-deps.sh"

status=0
run_lane() {
  local lane=$1
  echo "== $lane lane =="
  cmake --preset "$lane" >/dev/null
  cmake --build --preset "$lane"
  ctest --preset "$lane" || status=1
}

run_lane native
run_lane windows
build/windows/wine-run.sh --end-session || true
# The native tests again under AddressSanitizer and UndefinedBehaviorSanitizer (any report fails).
run_lane asan
# The two-thread stress tests of both front ends under ThreadSanitizer (any report fails). The
# preset builds and runs only those: the other tests drive one thread and would find nothing.
run_lane tsan
# Every fuzz target for a short smoke run from its seed corpus.
echo "== fuzz lane =="
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
ctest --preset fuzz || status=1
exit $status
