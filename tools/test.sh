#!/usr/bin/env bash
# Sets up and builds Granomet, then runs every test: once in build/, then again
# built with AddressSanitizer and UndefinedBehaviorSanitizer in build-sanitize/.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/tools/setup.sh"

werror=OFF
if [ "${CI:-}" = true ]; then
  werror=ON
fi
cmake -S "$root" -B "$root/build-sanitize" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DGRANOMET_SANITIZE=ON -DGRANOMET_BUILD_BENCHMARKS=OFF -DGRANOMET_WERROR="$werror" >/dev/null
cmake --build "$root/build-sanitize"
"$root/tools/run_suites.sh"
