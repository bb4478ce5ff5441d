#!/usr/bin/env bash
# Runs the core suite's scenes that need a user without root's rights (a read-only
# folder, a read-only file as the system itself keeps it) as the user "nobody",
# when the suite itself runs as root; under Wine when GRANOMET_WINE is set.
# Usage: other_user_test.sh TESTS_PROGRAM GTEST_FILTER
# A copy of the program, its temporary folder (writable by everyone, as /tmp is)
# and Wine's prefix lie in a folder of their own that "nobody" can reach, removed
# afterwards; not under the build folder, which root's folders may keep others out of.
set -euo pipefail
program=${1:?TESTS_PROGRAM} filter=${2:?GTEST_FILTER}
if [ "$(id -u)" -ne 0 ]; then
  echo "not root: the suite itself runs these scenes"
  exit 77
fi
folder=$(mktemp -d /tmp/granomet-other-user.XXXXXX)
trap 'rm -rf "$folder"' EXIT
chmod 755 "$folder"
cp "$program" "$folder/"
mkdir "$folder/tmp"
chmod 1777 "$folder/tmp"
chown nobody "$folder"
command=("$folder/$(basename "$program")")
environment=(PATH="$PATH" HOME="$folder" TMPDIR="$folder/tmp")
if [ -n "${GRANOMET_WINE:-}" ]; then
  command=("$GRANOMET_WINE" "${command[@]}")
  environment+=(WINEPREFIX="$folder/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=")
fi
output=$(runuser -u nobody -- env -i "${environment[@]}" "${command[@]}" --gtest_brief=1 \
  --gtest_filter="$filter" 2>&1) || {
  echo "$output"
  exit 1
}
echo "$output" | tail -n 3
# The scenes ran rather than skipped.
grep -q "PASSED" <<<"$output" && ! grep -q "SKIPPED" <<<"$output"
