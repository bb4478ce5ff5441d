#!/usr/bin/env bash
# Runs the core suite's scenes that need a user without root's rights (a read-only
# results file) under Wine as the user "nobody", when the suite itself runs as root.
# Usage: wine_other_user_test.sh TESTS_EXE GTEST_FILTER
# The prefix and a copy of the program lie in a folder of their own that "nobody"
# can reach, removed afterwards; not under the build folder, which root's temporary
# folders may keep others out of.
set -euo pipefail
program=${1:?TESTS_EXE} filter=${2:?GTEST_FILTER}
wine=${GRANOMET_WINE:-wine}
if [ "$(id -u)" -ne 0 ]; then
  echo "not root: the suite itself runs these scenes"
  exit 77
fi
folder=$(mktemp -d /tmp/granomet-wine.XXXXXX)
trap 'rm -rf "$folder"' EXIT
chmod 755 "$folder"
cp "$program" "$folder/"
chown nobody "$folder"
output=$(runuser -u nobody -- env -i PATH="$PATH" HOME="$folder" WINEPREFIX="$folder/prefix" \
  WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
  "$wine" "$folder/$(basename "$program")" --gtest_brief=1 --gtest_filter="$filter" 2>&1) || {
  echo "$output"
  exit 1
}
echo "$output" | tail -n 3
# The scenes ran rather than skipped.
grep -q "PASSED" <<<"$output" && ! grep -q "SKIPPED" <<<"$output"
