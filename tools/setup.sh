#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks for Granomet, then configures and
# builds it in build/. Run by tools/run.sh and tools/test.sh; with --windows (the
# tests) also what the Windows build and its tests under Wine need.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

packages=(
  cmake ninja-build g++ pkg-config clang-format
  libgtest-dev libgmock-dev libbenchmark-dev
  # The windows: Qt 6 with its charts (whose CMake files need the OpenGL module),
  # SVG for saving the graph as a picture, Qt's own Spanish texts and fonts
  # metric-compatible with the designed Arial and MS Sans Serif.
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-svg-dev
  qt6-translations-l10n fonts-liberation
  # The map layers: GDAL to read and write them, its programs (ogrinfo, ogr2ogr) for
  # the tests that make and read layers.
  libgdal-dev gdal-bin
  # The archive of every run: SQLite, and its program for the tests that read it.
  libsqlite3-dev sqlite3
  # The end-to-end test drives the real window on a virtual display; the report
  # tests read the PDF's text and draw its pages.
  xvfb xdotool poppler-utils
  # tools/fuzz.sh: clang-14 with libFuzzer and the sanitizer runtimes.
  clang libclang-rt-14-dev
  # The package: cpack's dependency list (dpkg-shlibdeps, file), the entries'
  # validators, Debian's package checker and the minimal system its test installs into.
  dpkg-dev file desktop-file-utils appstream lintian mmdebstrap
)
if [ "${1:-}" = --windows ]; then
  # The Windows programs and core tests: mingw-w64's compilers with POSIX threads,
  # GoogleTest's sources to build for Windows, and Wine to run them.
  packages+=(g++-mingw-w64-x86-64-posix googletest wine wine64)
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if [ "${#missing[@]}" -gt 0 ]; then
  echo "Instalando: ${missing[*]}"
  sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
      echo "Faltan paquetes (${missing[*]}) y no hay sudo: instálalos como root." >&2
      exit 1
    fi
    sudo=(sudo)
  fi
  "${sudo[@]}" apt-get update -q
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

werror=OFF
if [ "${CI:-}" = true ]; then
  werror=ON
fi

cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DGRANOMET_WERROR="$werror" >/dev/null
cmake --build "$root/build"
