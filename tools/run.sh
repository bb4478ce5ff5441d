#!/usr/bin/env bash
# Sets up and builds Granomet, then runs it on the example lot and export.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/tools/setup.sh"
cd "$root/examples"
exec "$root/build/app/granomet-batch" LOTE12.csv LOTE12_export.txt
