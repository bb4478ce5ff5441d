#!/usr/bin/env bash
# Runs both test suites (tools/run_suites.sh) ROUNDS times in a row while one busy
# process per core keeps the machine loaded, and stops at the first failure. A
# test that passes only on an idle machine waits for a time instead of a state.
# Build first with tools/test.sh. CTEST_PARALLEL_LEVEL=2 runs two tests at once
# on top of the load.
#
# Usage: tools/test_under_load.sh [ROUNDS]   (10 by default)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
rounds=${1:-10}

busy=()
stop_load() {
  if [ "${#busy[@]}" -gt 0 ]; then
    kill "${busy[@]}" 2>/dev/null || true
    wait "${busy[@]}" 2>/dev/null || true
  fi
}
trap stop_load EXIT
for _ in $(seq "$(nproc)"); do
  # At the tests' own priority, so that they compete for every core.
  bash -c 'while :; do :; done' &
  busy+=($!)
done
echo "Carga: ${#busy[@]} procesos ocupados (uno por núcleo)."

for round in $(seq "$rounds"); do
  started=$SECONDS
  if ! "$root/tools/run_suites.sh" >"$root/build/under_load_$round.log" 2>&1; then
    echo "Ronda $round de $rounds: FALLA (build/under_load_$round.log)" >&2
    grep -E '\*\*\*|Failed' "$root/build/under_load_$round.log" >&2 || true
    exit 1
  fi
  echo "Ronda $round de $rounds: todo pasa ($((SECONDS - started)) s)"
done
