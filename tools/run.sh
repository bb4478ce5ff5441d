#!/usr/bin/env bash
# Sets up and builds Granomet, then starts its window in a copy of the example lot
# and export (build/ejemplo/), where the file dialog opens and the results file is
# written. Without a display it says so and runs the command-line driver there.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/tools/setup.sh"
work="$root/build/ejemplo"
mkdir -p "$work"
cp "$root/examples/LOTE12.csv" "$root/examples/LOTE12_export.txt" "$work/"
cd "$work"

has_display() {
  if [ -n "${QT_QPA_PLATFORM:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    return 0
  fi
  [ -n "${DISPLAY:-}" ] && { ! command -v xdpyinfo >/dev/null || xdpyinfo >/dev/null 2>&1; }
}

if has_display; then
  echo "Carpeta de trabajo: $work (elige LOTE12.csv y LOTE12_export.txt)"
  exec "$root/build/app/granomet"
fi

echo "No hay pantalla (DISPLAY vacío): en lugar de la ventana se ejecuta granomet-batch"
echo "con el ejemplo y se escribe lo que la ventana mostraría."
echo
# The example's run goes into an archive of the working folder, not the lab's.
"$root/build/app/granomet-batch" --archivo "$work/archivo.gpkg" LOTE12.csv LOTE12_export.txt
echo
echo "Carpeta de resultados: $work"
