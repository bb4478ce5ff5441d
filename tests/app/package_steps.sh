# Steps the package tests share, sourced by package_test.sh and minimal_system_test.sh
# (which set build and work).

# ctest's skip (77), except under CI, where every package test must run.
skip() {
  echo "SKIP: $*"
  if [[ ${CI:-} == true ]]; then
    echo "FAIL: CI must run $(basename "$0")" >&2
    exit 1
  fi
  exit 77
}

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# The run's folder removed after a success, kept to look at after a failure; then
# the script ends with the result.
leave_work() {
  local result=$1
  if [[ $result -eq 0 ]]; then
    rm -rf "$work"
  else
    echo "The run's files stay in $work" >&2
  fi
  exit "$result"
}

# The package made with cpack from the build folder into $work/package: sets deb.
build_package() {
  cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 ||
    fail "cpack failed: $(cat "$work/cpack.log")"
  deb=$(echo "$work"/package/granomet_*.deb)
  [[ -f $deb ]] || fail "cpack wrote no granomet_*.deb: $(ls "$work/package")"
}
