#!/usr/bin/env bash
# Fails when a relative link in README.md or docs/*.md names a file that is not there.
# Usage: docs_links_test.sh SOURCE_DIR
set -u
root=${1:?usage: docs_links_test.sh SOURCE_DIR}
status=0
for doc in "$root"/README.md "$root"/docs/*.md; do
  while read -r target; do
    file=${target%%#*}
    [[ -z $file || $file == *://* || $file == mailto:* ]] && continue
    if [[ ! -e "$(dirname "$doc")/$file" ]]; then
      echo "${doc#"$root"/}: no file $file"
      status=1
    fi
  done < <(grep -o '](\([^)]*\))' "$doc" | sed 's/^](\(.*\))$/\1/')
done
exit $status
