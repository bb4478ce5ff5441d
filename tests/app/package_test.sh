#!/usr/bin/env bash
# The Debian package as a user gets it: built with cpack from the build folder,
# checked by lintian, installed with apt-get, its three programs used from
# /usr/bin (the command-line ones must print and write what the build's programs
# do; the window must start), its menu entry, software-centre entry and icons
# checked, then removed again together with whatever its installation pulled in.
#
# Usage: package_test.sh BUILD_DIR GRANOMET_BATCH GRANOMET_INFORME SOURCE_DIR
# Exits 0 on success, 1 on any failure, 77 (ctest's skip) when the package cannot
# be installed here: neither root nor password-less sudo, a granomet package
# already on the machine, a missing tool. With CI=true a skip is a failure.
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/package_steps.sh" "$@"

for tool in cpack lintian apt-get dpkg-query desktop-file-validate appstreamcli readelf file timeout; do
  command -v "$tool" >/dev/null ||
    skip "$tool is not installed (tools/setup.sh installs what the test needs)"
done
as_root=()
if [[ $(id -u) -ne 0 ]]; then
  sudo -n true 2>/dev/null || skip "installing a package needs root or password-less sudo"
  as_root=(sudo -n)
fi
status=$(dpkg-query -W -f='${db:Status-Status}' granomet 2>/dev/null || true)
if [[ -n $status && $status != not-installed ]]; then
  skip "a granomet package is already on this machine ($status): it is left alone"
fi

# apt reads the package as its own unprivileged user: the folder must be readable.
work=$(mktemp -d "${TMPDIR:-/tmp}/granomet_package.XXXXXXXX")
chmod 755 "$work"
installing=""
pulled=()
# Another installation on the machine (a system update, another build's test)
# holds dpkg's lock for a while: wait for it rather than fail.
wait_for_lock=(-o DPkg::Lock::Timeout=600)

cleanup() {
  local result=$?
  if [[ -n $installing ]]; then
    echo "Removing granomet ${pulled[*]}"
    if ! "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
      apt-get purge -y -q "${wait_for_lock[@]}" granomet "${pulled[@]}" >"$work/purge.log" 2>&1; then
      cat "$work/purge.log" >&2
      echo "FAIL: the package could not be removed" >&2
      result=1
    fi
  fi
  leave_work "$result"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

started=$SECONDS
build_package

# Debian's own checks: no error or warning; the hardening it reports only as
# information (bind-now, checked libc functions) is as much a fault here.
lintian --fail-on error,warning --display-info --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 ||
  fail "lintian rejects the package: $(cat "$work/lintian.log")"
if grep -E '^[EWI]: .*hardening-' "$work/lintian.log"; then
  fail "the programs are built without Debian's hardening"
fi

# What the installation adds besides granomet leaves with it; a package it would
# upgrade ("Inst NAME [OLD VERSION] (NEW VERSION ...)") was there before and stays.
apt_install=(apt-get install -y -q --no-install-recommends "${wait_for_lock[@]}" "$deb")
mapfile -t pulled < <("${as_root[@]}" "${apt_install[@]}" -s |
  awk '$1 == "Inst" && $2 != "granomet" && $3 !~ /^\[/ { print $2 }')
installing=yes
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive "${apt_install[@]}" >"$work/install.log" 2>&1 ||
  fail "apt-get could not install $deb: $(cat "$work/install.log")"

for program in granomet granomet-batch granomet-informe granomet-archivo; do
  [[ -x /usr/bin/$program ]] || fail "/usr/bin/$program is not installed"
  if readelf -d "/usr/bin/$program" | grep -E 'R(UN)?PATH'; then
    fail "/usr/bin/$program looks for libraries in the folders above"
  fi
done

# The example lot through the installed programs: what the built ones print and write; the
# program that draws the report is found where it was installed.
mkdir "$work/installed"
cp "$source_dir/examples/LOTE12.csv" "$source_dir/examples/LOTE12_export.txt" "$work/installed/"
(cd "$work/installed" && /usr/bin/granomet-batch --sin-archivo -o resultados.csv LOTE12.csv \
  LOTE12_export.txt >batch.out 2>batch.err) ||
  fail "/usr/bin/granomet-batch failed: $(cat "$work/installed/batch.err")"
(cd "$work/installed" && /usr/bin/granomet-informe -o tabla.csv -p informe.pdf resultados.csv >/dev/null) ||
  fail "/usr/bin/granomet-informe failed"
[[ -s $work/installed/informe.pdf ]] || fail "/usr/bin/granomet-informe -p wrote no report"
same_as_built "$work/installed"
# The archive through the installed program: the run imported, then listed.
(cd "$work/installed" && /usr/bin/granomet-archivo importar --archivo archivo.gpkg resultados.csv \
  >/dev/null && /usr/bin/granomet-archivo listar --archivo archivo.gpkg >archivo.out) ||
  fail "/usr/bin/granomet-archivo failed"
grep -qx "12 muestras" "$work/installed/archivo.out" || fail "/usr/bin/granomet-archivo lists no 12 samples"

# The window program finds its Qt plugins, pictures and texts: still up after 5 s.
mkdir -m 700 "$work/runtime"
window_status=0
(cd "$work/installed" && XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/runtime \
  QT_QPA_PLATFORM=offscreen timeout 5 /usr/bin/granomet >"$work/window.log" 2>&1) ||
  window_status=$?
[[ $window_status -eq 124 ]] ||
  fail "/usr/bin/granomet ended with status $window_status within 5 s: $(cat "$work/window.log")"

entry=$(echo /usr/share/applications/*granomet*.desktop)
metainfo=$(echo /usr/share/metainfo/*granomet*.metainfo.xml)
[[ -f $entry && -f $metainfo ]] || fail "no menu entry or no metainfo file installed"
desktop-file-validate "$entry" || fail "desktop-file-validate rejects $entry"
exec_program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
[[ -x /usr/bin/$exec_program ]] || fail "$entry starts \"$exec_program\", not an installed program"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects $metainfo"
launchable=$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' "$metainfo")
[[ /usr/share/applications/$launchable == "$entry" ]] ||
  fail "$metainfo launches \"$launchable\", not $(basename "$entry")"

icon=$(sed -n 's/^Icon=//p' "$entry")
file -b "/usr/share/icons/hicolor/48x48/apps/$icon.png" | grep -q '^PNG image data, 48 x 48' ||
  fail "no 48x48 PNG icon \"$icon\""
file -b "/usr/share/icons/hicolor/scalable/apps/$icon.svg" | grep -q 'SVG' ||
  fail "no scalable SVG icon \"$icon\""

echo "PASS: $(basename "$deb") installed, used and checked; $((SECONDS - started)) s"
