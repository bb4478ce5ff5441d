# Steps the package tests share, sourced by package_test.sh and minimal_system_test.sh
# with their arguments (BUILD_DIR GRANOMET_BATCH GRANOMET_INFORME SOURCE_DIR); each sets
# work before the steps that use it.

build=$(realpath "$1")
built_batch=$(realpath "$2")
built_informe=$(realpath "$3")
source_dir=$(realpath "$4")
export LC_ALL=C LANG=C

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

# The build's programs on the example lot, their outputs compared with those the installed
# programs left in the folder given: batch.out, batch.err, resultados.csv (but for the
# date) and tabla.csv.
same_as_built() {
  local there=$1 output
  mkdir "$work/built"
  cp "$source_dir/examples/LOTE12.csv" "$source_dir/examples/LOTE12_export.txt" "$work/built/"
  (cd "$work/built" && "$built_batch" --sin-archivo -o resultados.csv LOTE12.csv LOTE12_export.txt \
    >batch.out 2>batch.err && "$built_informe" -o tabla.csv resultados.csv >/dev/null) ||
    fail "the built programs failed on the example lot"
  for output in batch.out batch.err tabla.csv; do
    diff "$work/built/$output" "$there/$output" >&2 || fail "the installed programs' $output differs"
  done
  cmp <(sed 's|[0-9][0-9]/[0-9][0-9]/[0-9]\{4\}|DATE|g' "$work/built/resultados.csv") \
    <(sed 's|[0-9][0-9]/[0-9][0-9]/[0-9]\{4\}|DATE|g' "$there/resultados.csv") ||
    fail "the installed granomet-batch writes other results"
}
