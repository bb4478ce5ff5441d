#!/usr/bin/env bash
# Runs every test of the built trees: build/, build-sanitize/ with its sanitizer
# reports made fatal, and build-windows/ under Wine when it is built. Used by
# tools/test.sh and tools/test_under_load.sh.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
ctest --test-dir "$root/build" --output-on-failure --timeout 600
# Leaks inside the system's own libraries (fontconfig, the X client) are theirs.
ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
  LSAN_OPTIONS="suppressions=$root/tools/sanitizer/leaks.supp:print_suppressions=0" \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$root/build-sanitize" --output-on-failure --timeout 600
if [ -f "$root/build-windows/CTestTestfile.cmake" ]; then
  ctest --test-dir "$root/build-windows" --output-on-failure --timeout 600
fi
