#!/usr/bin/env bash
# granomet-batch.exe and granomet-informe.exe under Wine write the same bytes as the
# Linux programs: the results file, the printed listing and the statistics table,
# for every lot of the examples and of tests/data, with a decimal point and with a
# decimal comma, and with names outside ASCII (a folder "Bahía", "resultadoñ.csv");
# in a console window, text with its accents; names of devices refused; the map
# layers, for which the Windows build has no GDAL, refused; the archive, for which it
# has no SQLite, refused with --archivo, --sin-archivo accepted, and otherwise not
# mentioned (the Linux program, run without archiving, prints the same).
# Usage: windows_batch_test.sh LINUX_BUILD WINDOWS_BUILD SOURCE_DIR
# WINEPREFIX names the test prefix; the decimal mark is set in its registry.
set -euo pipefail
linux=${1:?LINUX_BUILD} windows=${2:?WINDOWS_BUILD} source=${3:?SOURCE_DIR}
wine=${GRANOMET_WINE:-wine}
: "${WINEPREFIX:?the test prefix}"

work=$(mktemp -d)
trap 'rm -rf "$work"; "$wine" reg add "HKCU\\Control Panel\\International" /v sDecimal /d . /f >/dev/null 2>&1 || true' EXIT

set_windows_mark() {
  "$wine" reg add 'HKCU\Control Panel\International' /v sDecimal /d "$1" /f >/dev/null 2>&1
}
# The date a results line carries is the day it was written.
undated() {
  sed -E 's#"[0-9]{2}/[0-9]{2}/[0-9]{4}"#"@FECHA@"#g' "$1"
}

failures=0
compare() {  # WHAT LINUX_FILE WINDOWS_FILE
  if ! cmp -s <(undated "$2") <(undated "$3"); then
    echo "DIFFERENT: $1"
    diff <(undated "$2") <(undated "$3") | head -5
    failures=$((failures + 1))
  fi
}

cases=(
  "examples/LOTE12.csv examples/LOTE12_export.txt"
  "tests/data/batch/mixed/LOTE20.csv tests/data/batch/mixed/LOTE20_export.txt"
  "tests/data/batch/edited/LOTE8.csv tests/data/batch/edited/LOTE8_export.txt"
)
checked=0
for case in "${cases[@]}"; do
  read -r lot exported <<<"$case"
  for mark in . ,; do
    locale=C mark_name=punto
    [ "$mark" = , ] && locale=es_ES.UTF-8 mark_name=coma
    # No dot at the end of a folder name: Windows drops it.
    folder="$work/$(basename "$lot" .csv)_$mark_name/Bahía"
    mkdir -p "$folder"
    cp "$source/$lot" "$source/$exported" "$folder/"
    cd "$folder/.."
    names="Bahía/$(basename "$lot") Bahía/$(basename "$exported")"
    env -u LC_NUMERIC -u LANG LC_ALL=$locale "$linux/app/granomet-batch" --sin-archivo -o linux.csv $names \
      >linux.txt 2>linux.err || true
    set_windows_mark "$mark"
    "$wine" "$windows/app/granomet-batch.exe" -o resultadoñ.csv $names >windows.txt 2>windows.err || true
    what="$(basename "$lot") with '$mark'"
    compare "$what: results file" linux.csv resultadoñ.csv
    sed -i 's/^linux.csv HA SIDO/resultadoñ.csv HA SIDO/' linux.txt
    compare "$what: listing" linux.txt windows.txt
    compare "$what: messages" linux.err windows.err

    # Both tables from the same results file, so they name the same file.
    mv resultadoñ.csv Bahía/
    env -u LC_NUMERIC -u LANG LC_ALL=$locale "$linux/app/granomet-informe" -o tabla_linux.csv \
      Bahía/resultadoñ.csv >/dev/null
    "$wine" "$windows/app/granomet-informe.exe" -o tablañ.csv Bahía/resultadoñ.csv >/dev/null
    compare "$what: statistics table" tabla_linux.csv tablañ.csv
    checked=$((checked + 1))
  done
done
# A name Windows takes for a device is refused by both programs, never announced as written.
for run in "granomet-batch.exe -o NUL.csv $names" "granomet-informe.exe -o com1 Bahía/resultadoñ.csv" \
  "granomet-informe.exe -o Aux.tabla.csv Bahía/resultadoñ.csv"; do
  # shellcheck disable=SC2086  # the program and its arguments
  if "$wine" "$windows/app/"$run >device.txt 2>&1 || ! grep -q "reserva ese nombre" device.txt; then
    echo "DIFFERENT: $run"
    head -3 device.txt
    failures=$((failures + 1))
  fi
done

# Built without SQLite, granomet-batch.exe keeps no archive: --archivo is a wrong
# argument saying why, and writes nothing; --sin-archivo runs as before.
if "$wine" "$windows/app/granomet-batch.exe" --archivo archivo.gpkg -o archivado.csv $names \
  >archive.txt 2>&1 || [ $? -ne 2 ] || ! grep -q "sin SQLite" archive.txt || [ -e archivado.csv ] ||
  [ -e archivo.gpkg ]; then
  echo "DIFFERENT: granomet-batch.exe --archivo"
  head -3 archive.txt
  failures=$((failures + 1))
fi
"$wine" "$windows/app/granomet-batch.exe" --sin-archivo -o sin_archivo.csv $names >sin_archivo.txt \
  2>sin_archivo.err || true
sed -i 's/^sin_archivo.csv HA SIDO/resultadoñ.csv HA SIDO/' sin_archivo.txt
compare "granomet-batch.exe --sin-archivo: listing" windows.txt sin_archivo.txt
compare "granomet-batch.exe --sin-archivo: messages" windows.err sin_archivo.err

# Built without GDAL, the map layers are refused with a message saying why, and
# no layer is written.
for run in "granomet-informe.exe -g muestras.gpkg Bahía/resultadoñ.csv" \
  "granomet-informe.exe -p informe.pdf --fondo costa.geojson Bahía/resultadoñ.csv"; do
  # shellcheck disable=SC2086  # the program and its arguments
  if "$wine" "$windows/app/"$run >layers.txt 2>&1 || ! grep -q "sin GDAL" layers.txt ||
    [ -e muestras.gpkg ]; then
    echo "DIFFERENT: $run"
    head -3 layers.txt
    failures=$((failures + 1))
  fi
done

# In a console the accents show as such, whatever its code page (a terminal, which
# Wine makes a console of; its cursor codes and CRs are dropped).
if command -v script >/dev/null; then
  cd "$work"
  LANG=C.UTF-8 script -qc "'$wine' '$windows/app/granomet-informe.exe' --help" /dev/null |
    sed 's/\x1b\[[?0-9;]*[a-zA-Z]//g' | tr -d '\r' >console.txt
  if ! grep -q "estadísticos de cada muestra" console.txt; then
    echo "DIFFERENT: accents in a console"
    head -5 console.txt
    failures=$((failures + 1))
  fi
fi
echo "$checked cases compared, $failures differences"
[ "$failures" -eq 0 ] && [ "$checked" -eq 6 ]
