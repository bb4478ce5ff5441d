#!/usr/bin/env bash
# Fails when a file under src/ includes a header of a folder that is not below its own.
# Usage: layers_test.sh SRC_DIR
set -u
src=${1:?usage: layers_test.sh SRC_DIR}

# The folders each folder may include, besides itself.
declare -A below=(
  [data]=""
  [compute]="data"
  [results]="data compute"
  [statistics]="data"
  [ui]="data"
  [workflow]="data compute results statistics ui"
  [headless]="data ui"
  [geodata]="data compute results statistics ui workflow"
  [archive]="data compute results statistics ui workflow"
  [report]="data compute results statistics ui workflow"
  [qt]="data compute results statistics ui workflow report geodata archive"
)

status=0
for dir in "$src"/*/; do
  folder=$(basename "$dir")
  if [[ ! -v below[$folder] ]]; then
    echo "src/$folder: a folder with no place in the layers"
    status=1
    continue
  fi
  while IFS=: read -r file line include; do
    target=$(sed -E 's/.*#include "([^/"]+)\/.*/\1/' <<<"$include")
    [[ $target == "$include" || $target == "$folder" ]] && continue
    if [[ " ${below[$folder]} " != *" $target "* ]]; then
      echo "${file#"$src"/}:$line includes $target/, which is not below $folder/"
      status=1
    fi
  done < <(grep -rn --include='*.h' --include='*.cpp' -E '^\s*#\s*include\s+"' "$dir")
done
exit $status
