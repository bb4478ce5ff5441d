#!/usr/bin/env bash
# Sets up and builds Granomet, then runs every test.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/tools/setup.sh"
ctest --test-dir "$root/build" --output-on-failure --timeout 600
