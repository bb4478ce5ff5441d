#!/usr/bin/env bash
# Times granomet from its start to its main window shown on a virtual display, over
# several starts, and prints each time and the median in milliseconds.
# Usage: tools/startup_time.sh [GRANOMET_BINARY] [STARTS]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
program=${1:-$root/build/app/granomet}
starts=${2:-10}

for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "Falta $tool (tools/setup.sh lo instala)." >&2; exit 1; }
done

display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true; rm -f "$display_file"' EXIT
for _ in $(seq 100); do
  [ -s "$display_file" ] && break
  sleep 0.05
done
export DISPLAY=":$(head -n1 "$display_file")"
unset QT_QPA_PLATFORM

times=()
for _ in $(seq "$starts"); do
  begin=$(date +%s%N)
  "$program" >/dev/null 2>&1 &
  pid=$!
  # xdotool answers in a few milliseconds, so polling adds little to the time.
  until xdotool search --onlyvisible --name '^Granomet 2016 \(v5\)$' >/dev/null 2>&1; do
    kill -0 "$pid" 2>/dev/null || { echo "granomet terminó sin mostrar la ventana" >&2; exit 1; }
  done
  end=$(date +%s%N)
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  times+=($(((end - begin) / 1000000)))
done

echo "Arranques (ms): ${times[*]}"
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
echo "Mediana (ms): ${sorted[$((${#sorted[@]} / 2))]}"
