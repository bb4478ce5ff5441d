#!/usr/bin/env bash
# Times granomet-archivo on a large archive: 100 results files of 254 samples each
# (granomet-gen lots of ten campaigns run through granomet-batch) imported into a
# new archive, the same files imported again (nothing added), one campaign's samples
# between 10 and 50 m listed, and every sample between 10 and 50 m listed. Prints
# each program's elapsed time and peak memory (/usr/bin/time).
# Usage: tools/archive_timing.sh [BUILD_DIR] [LOTS]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(realpath "${1:-$root/build}")
lots=${2:-100}
work=$(mktemp -d "${TMPDIR:-/tmp}/granomet_archive_timing.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"

for i in $(seq "$lots"); do
  "$build/tools/granomet-gen" --samples 254 --lot "LOTE$i" --seed "$i" . >/dev/null
  sed -i "s/GOLFO-16/GOLFO-$((10 + i % 10))/g" "LOTE$i.csv"
  "$build/app/granomet-batch" --sin-archivo -o "LOTE${i}_resultados.csv" "LOTE$i.csv" \
    "LOTE${i}_export.txt" >/dev/null 2>&1
  rm "LOTE$i.csv" "LOTE${i}_export.txt"
done
campaign=$(iconv -f CP1252 -t UTF-8 LOTE1_resultados.csv | sed -n 2p | cut -d, -f3 | tr -d '"')

timed() {  # WHAT COMMAND...
  local what=$1
  shift
  /usr/bin/time -f "%e s, %M KiB" -o time.txt "$@" >out.txt 2>err.txt || {
    cat err.txt >&2
    exit 1
  }
  printf '%-44s %s  (%s)\n' "$what" "$(cat time.txt)" "$(grep -m1 -E '^(Añadidos|[0-9]+ muestras?$)' out.txt || true)"
}
archive=(--archivo "$work/archivo.gpkg")
timed "importar $lots ficheros (archivo nuevo)" \
  "$build/app/granomet-archivo" importar "${archive[@]}" ./*_resultados.csv
timed "importar los mismos (nada nuevo)" \
  "$build/app/granomet-archivo" importar "${archive[@]}" ./*_resultados.csv
timed "listar --campaña $campaign --prof 10:50" \
  "$build/app/granomet-archivo" listar "${archive[@]}" --campaña "$campaign" --prof 10:50
timed "listar --prof 10:50 (todas las campañas)" \
  "$build/app/granomet-archivo" listar "${archive[@]}" --prof 10:50
echo "archivo: $(du -h archivo.gpkg | cut -f1)"
