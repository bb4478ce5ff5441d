#!/usr/bin/env bash
# The Debian package's dependencies are complete: a minimal Debian 12 made with
# mmdebstrap (minbase, none of the package's Qt libraries or fonts in it) gets the
# package through apt-get, which must pull in all it needs; there the command-line
# programs write the same results and table as the build's programs, the PDF report
# is drawn, the archive takes the run, and the window starts. The system is built in
# a temporary folder that mmdebstrap removes again; it downloads from Debian's
# mirror (about 3 minutes).
#
# Usage: minimal_system_test.sh BUILD_DIR GRANOMET_BATCH GRANOMET_INFORME SOURCE_DIR
# Exits 0 on success, 1 on any failure, 77 (ctest's skip) when it cannot run here:
# not root, or mmdebstrap missing. With CI=true a skip is a failure.
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/package_steps.sh" "$@"

for tool in cpack mmdebstrap dpkg-deb; do
  command -v "$tool" >/dev/null ||
    skip "$tool is not installed (tools/setup.sh installs what the test needs)"
done
[[ $(id -u) -eq 0 ]] || skip "building a Debian system with mmdebstrap needs root"

work=$(mktemp -d "${TMPDIR:-/tmp}/granomet_minimal.XXXXXXXX")
trap 'leave_work $?' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

started=$SECONDS
build_package

# What goes into the system: the package, the example lot and the steps below.
# apt reads the package as its own unprivileged user.
carried=$work/carried
mkdir -m 755 "$carried"
cp "$deb" "$carried/granomet.deb"
cp "$source_dir/examples/LOTE12.csv" "$source_dir/examples/LOTE12_export.txt" "$carried/"
# The dependencies that name libraries of Qt or fonts must all be missing before
# the installation, or the test would prove nothing about them.
dpkg-deb -f "$deb" Depends | tr ',' '\n' | sed 's/^ *//; s/[ (].*//' |
  grep -E '^(libqt6|fonts-)' >"$carried/dependencies"
[[ -s $carried/dependencies ]] || fail "the package depends on no Qt library: $(dpkg-deb -f "$deb" Depends)"
cat >"$carried/steps.sh" <<'STEPS'
set -eu
cd /tmp/granomet
while read -r package; do
  if dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null | grep -q installed; then
    echo "FAIL: $package is in the minimal system before granomet" >&2
    exit 1
  fi
done <dependencies
DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends ./granomet.deb >install.log 2>&1 || {
  cat install.log >&2
  exit 1
}
# Each program's output, errors and status, for the checks outside.
run() {
  name=$1
  shift
  status=0
  "$@" >"$name.out" 2>"$name.err" || status=$?
  echo "$status" >"$name.status"
}
run batch granomet-batch --sin-archivo -o resultados.csv LOTE12.csv LOTE12_export.txt
run archivo granomet-archivo importar --archivo archivo.gpkg resultados.csv
run informe granomet-informe -o tabla.csv -p informe.pdf resultados.csv
mkdir -m 700 runtime
run window env XDG_RUNTIME_DIR="$PWD/runtime" XDG_CONFIG_HOME="$PWD/runtime" \
  QT_QPA_PLATFORM=offscreen timeout 5 granomet
STEPS

echo "Building a minimal Debian 12 and installing $(basename "$deb") there"
mmdebstrap --variant=minbase --mode=root \
  --customize-hook="copy-in $carried /tmp" \
  --customize-hook='mv "$1/tmp/carried" "$1/tmp/granomet"' \
  --customize-hook='chroot "$1" sh /tmp/granomet/steps.sh' \
  --customize-hook="copy-out /tmp/granomet $work/inside" \
  bookworm /dev/null http://deb.debian.org/debian >"$work/mmdebstrap.log" 2>&1 ||
  fail "the minimal system failed: $(tail -n 40 "$work/mmdebstrap.log")"
inside=$work/inside/granomet

ended() { [[ $(cat "$inside/$1.status") -eq $2 ]]; }
ended batch 0 || fail "granomet-batch failed there: $(cat "$inside/batch.err")"
ended archivo 0 || fail "granomet-archivo failed there: $(cat "$inside/archivo.err")"
ended informe 0 || fail "granomet-informe failed there: $(cat "$inside/informe.err")"
[[ -s $inside/informe.pdf ]] || fail "granomet-informe -p wrote no report there"
same_as_built "$inside"
# Still up after 5 s: it found its libraries, plugins, fonts and pictures.
ended window 124 ||
  fail "granomet ended with status $(cat "$inside/window.status") within 5 s: $(cat "$inside/window.err")"

echo "PASS: $(basename "$deb") with $(wc -l <"$inside/dependencies") Qt and font dependencies" \
  "pulled into a minimal Debian 12 and used there; $((SECONDS - started)) s"
