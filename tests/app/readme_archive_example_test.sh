#!/usr/bin/env bash
# Runs the README's archive example as it is written, on a copy of the example lot,
# with an archive of its own: the import adds the lot's 12 samples and the listing
# gives those between 10 and 30 m.
# Usage: readme_archive_example_test.sh SOURCE_DIR PROGRAMS_DIR
set -eu
root=${1:?usage: readme_archive_example_test.sh SOURCE_DIR PROGRAMS_DIR}
programs=${2:?usage: readme_archive_example_test.sh SOURCE_DIR PROGRAMS_DIR}
work=$(mktemp -d "${TMPDIR:-/tmp}/readme_archive.$$.XXXXXX")
trap 'rm -rf "$work"' EXIT
cp "$root"/examples/* "$work"/

# The sh block that runs "granomet-archivo importar" on a file (not the synopsis).
awk '/^```sh$/ { block = ""; inside = 1; next }
     /^```$/ { if (inside && block ~ /granomet-archivo importar [^|]*\n/) printf "%s", block; inside = 0; next }
     inside { block = block $0 "\n" }' "$root/README.md" >"$work/example.sh"
grep -q "granomet-archivo listar" "$work/example.sh" || { echo "README: no archive example"; exit 1; }

cd "$work"
PATH="$programs:$PATH" XDG_DATA_HOME="$work/data" LC_ALL=C bash -e example.sh >out.txt 2>err.txt ||
  { cat out.txt err.txt; exit 1; }
cat out.txt
grep -q "^Añadidos: 1 fichero, 12 muestras" out.txt
test "$(tail -n 1 out.txt)" = "7 muestras"
for sample in M-01 M-03 M-04 M-07 M-08 M-09 M-12; do
  grep -q " $sample " out.txt || { echo "missing $sample"; exit 1; }
done
test -s "$work/data/granomet/archivo.gpkg"
