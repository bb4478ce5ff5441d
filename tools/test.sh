#!/usr/bin/env bash
# Sets up and builds Granomet, then runs every test: once in build/, then again
# built with AddressSanitizer and UndefinedBehaviorSanitizer in build-sanitize/.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/tools/setup.sh"
ctest --test-dir "$root/build" --output-on-failure --timeout 600

werror=OFF
if [ "${CI:-}" = true ]; then
  werror=ON
fi
cmake -S "$root" -B "$root/build-sanitize" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DGRANOMET_SANITIZE=ON -DGRANOMET_BUILD_BENCHMARKS=OFF -DGRANOMET_WERROR="$werror" >/dev/null
cmake --build "$root/build-sanitize"
# Leaks inside the system's own libraries (fontconfig, the X client) are theirs.
ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
  LSAN_OPTIONS="suppressions=$root/tools/sanitizer/leaks.supp:print_suppressions=0" \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$root/build-sanitize" --output-on-failure --timeout 600
