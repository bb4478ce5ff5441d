#!/usr/bin/env bash
# Sets up and builds Granomet, then runs every test: once in build/, then again
# built with AddressSanitizer and UndefinedBehaviorSanitizer in build-sanitize/,
# and the Windows build (build-windows/) under Wine.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/tools/setup.sh" --windows

werror=OFF
if [ "${CI:-}" = true ]; then
  werror=ON
fi
cmake -S "$root" -B "$root/build-sanitize" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DGRANOMET_SANITIZE=ON -DGRANOMET_BUILD_BENCHMARKS=OFF -DGRANOMET_WERROR="$werror" >/dev/null
cmake --build "$root/build-sanitize"
cmake -S "$root" -B "$root/build-windows" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DGRANOMET_QT=OFF \
  -DGRANOMET_BUILD_BENCHMARKS=OFF -DGRANOMET_LINUX_BUILD="$root/build" \
  -DGRANOMET_WERROR="$werror" >/dev/null
cmake --build "$root/build-windows"
"$root/tools/run_suites.sh"
