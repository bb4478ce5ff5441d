#!/usr/bin/env bash
# Sets up and builds Granomet, then runs it on a copy of the example lot and export
# in build/ejemplo/, where the results file is written.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/tools/setup.sh"
work="$root/build/ejemplo"
mkdir -p "$work"
cp "$root/examples/LOTE12.csv" "$root/examples/LOTE12_export.txt" "$work/"
cd "$work"
"$root/build/app/granomet-batch" LOTE12.csv LOTE12_export.txt
echo "Carpeta de resultados: $work"
