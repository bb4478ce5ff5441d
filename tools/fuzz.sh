#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang-14, AddressSanitizer and
# UndefinedBehaviorSanitizer in build-fuzz/ and runs each for SECONDS (default 60).
#
#   tools/fuzz.sh [SECONDS] [TARGET...]      TARGET: field_reader lot_reader export_reader work_flow
#                                            statistics_table
#
# The corpus of each target stays in build-fuzz/corpus/TARGET/ between runs; it is
# seeded from examples/, from files granomet-gen writes at a few sizes and from
# fuzz/seeds/TARGET/. Crashes, leaks and hangs go to build-fuzz/findings/TARGET/;
# a finding, once fixed, is kept as a regression input in
# tests/fuzz/regressions/TARGET/, which the ordinary test run replays.
# FUZZ_JOBS=2 runs two targets at once (default one at a time).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out="$root/build-fuzz"
all_targets=(field_reader lot_reader export_reader work_flow statistics_table)

seconds=${1:-60}
if ! [[ "$seconds" =~ ^[0-9]+$ ]]; then
  echo "uso: tools/fuzz.sh [SEGUNDOS] [${all_targets[*]}]" >&2
  exit 2
fi
shift $(($# > 0 ? 1 : 0))
targets=("$@")
if [ "${#targets[@]}" -eq 0 ]; then
  targets=("${all_targets[@]}")
fi
for target in "${targets[@]}"; do
  if ! [[ " ${all_targets[*]} " == *" $target "* ]]; then
    echo "Objetivo desconocido: $target (hay: ${all_targets[*]})" >&2
    exit 2
  fi
done

# Input sizes: the field reader crosses its 64 KB chunks; a lot of 254 rows
# takes about 35 KB, an export sample line about 1.5 KB; the work flow carries a
# lot and an export; a results file's header and a few sample lines fit in 16 KB.
# Larger inputs only slow every mutation down.
declare -A max_len=(
  [field_reader]=98304 [lot_reader]=65536 [export_reader]=131072 [work_flow]=204800
  [statistics_table]=16384
)

gen="$root/build/tools/granomet-gen"
if ! command -v clang++-14 >/dev/null || [ ! -x "$gen" ]; then
  "$root/tools/setup.sh"  # installs clang and builds granomet-gen in build/
fi

sanitizers="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all"
CXX=clang++-14 cmake -S "$root" -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DGRANOMET_FUZZ=ON -DGRANOMET_BUILD_TESTS=OFF -DGRANOMET_BUILD_BENCHMARKS=OFF \
  -DCMAKE_CXX_FLAGS="$sanitizers -fno-omit-frame-pointer" >/dev/null
cmake --build "$out" --target "${targets[@]/%/_fuzz}"

# Seeds: generated pairs of lot and export files at a few sizes and shapes.
generated="$out/generated"
rm -rf "$generated"
make_pair() {  # NAME granomet-gen options...
  local name=$1
  shift
  "$gen" "$@" "$generated/$name" >/dev/null
}
make_pair s1 --samples 1
make_pair s12 --samples 12 --seed 2
make_pair s12c --samples 12 --trailing-comma --seed 3
make_pair s12mixed --samples 12 --mismatch 3 --other-lot 4 --all-shells 2 --seed 4
make_pair s7repeats --samples 7 --orders 5,5,7,1,2 --seed 5
make_pair s60 --samples 60 --seed 6
make_pair s254 --samples 254 --seed 7  # its lot only: the export is too large

seed() {  # TARGET NAME < bytes
  mkdir -p "$out/corpus/$1"
  local file="$out/corpus/$1/seed_$2"
  if [ ! -e "$file" ]; then
    cat >"$file"
  else
    cat >/dev/null
  fi
}
for target in "${targets[@]}"; do
  mkdir -p "$out/corpus/$target" "$out/findings/$target"
  if [ -d "$root/fuzz/seeds/$target" ]; then
    for file in "$root/fuzz/seeds/$target"/*; do
      seed "$target" "hand_$(basename "$file")" <"$file"
    done
  fi
done
pairs=("$root/examples:LOTE12") # folder:lot name
for folder in "$generated"/*; do
  pairs+=("$folder:LOTE12")
done
for pair in "${pairs[@]}"; do
  folder=${pair%%:*}
  lot="$folder/${pair##*:}.csv"
  export_file="$folder/${pair##*:}_export.txt"
  name=$(basename "$folder")
  lot_size=$(stat -c %s "$lot")
  export_size=$(stat -c %s "$export_file")
  seed lot_reader "$name" <"$lot"
  if [ "$export_size" -le "${max_len[export_reader]}" ]; then
    seed export_reader "$name" <"$export_file"
  fi
  # The field reader's first byte chooses the steps: one kind throughout, or a mixture.
  for choice in 0 2 3 5 7 65; do
    { printf "\\$(printf %03o "$choice")"; cat "$lot"; } | seed field_reader "${name}_lot_$choice"
    if [ "$export_size" -lt "${max_len[field_reader]}" ]; then
      { printf "\\$(printf %03o "$choice")"; cat "$export_file"; } |
        seed field_reader "${name}_export_$choice"
    fi
  done
  # One generous pair is enough for the work flow; small ones mutate faster.
  if [ $((lot_size + export_size)) -le 40000 ]; then
    for mark in , .; do
      { cat "$lot"; printf '@@EXPORT@@%s' "$mark"; cat "$export_file"; } |
        seed work_flow "${name}_$mark"
    done
  fi
done

# Scratch files in memory when the machine has a tmpfs, and a smaller ASan
# quarantine: both cut the time of every input.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
  export TMPDIR=/dev/shm
fi
export ASAN_OPTIONS="quarantine_size_mb=64:malloc_context_size=10${ASAN_OPTIONS:+:$ASAN_OPTIONS}"

run_target() {  # TARGET: fuzzes it, then prints its line of the summary into its log
  local target=$1
  local log="$out/logs/$target.log"
  local start end status=0
  start=$(date +%s)
  "$out/fuzz/${target}_fuzz" "$out/corpus/$target" \
    -max_total_time="$seconds" -max_len="${max_len[$target]}" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$out/findings/$target/" -print_final_stats=1 \
    -dict="$root/fuzz/granomet.dict" >"$log" 2>&1 || status=$?
  end=$(date +%s)
  local final executions rate cov ft corpus findings
  final=$(grep -E '^#[0-9]+.*cov: ' "$log" | tail -n 1 || true)
  executions=$(sed -n 's/^stat::number_of_executed_units: //p' "$log")
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$final")
  ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$final")
  corpus=$(find "$out/corpus/$target" -type f | wc -l)
  findings=$(find "$out/findings/$target" -type f | wc -l)
  printf '%-14s %5ss %12s ejec. %7s ejec./s  corpus %6s  cov %6s  ft %7s  hallazgos %s%s\n' \
    "$target" "$((end - start))" "${executions:-?}" "${rate:-?}" "$corpus" "${cov:-?}" \
    "${ft:-?}" "$findings" "$([ "$status" -ne 0 ] && echo "  (salida $status, ver $log)")" \
    >"$out/logs/$target.summary"
}

mkdir -p "$out/logs"
jobs_at_once=${FUZZ_JOBS:-1}
for target in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs_at_once" ]; do
    wait -n || true
  done
  echo "Fuzzing $target durante ${seconds}s (registro: build-fuzz/logs/$target.log)"
  run_target "$target" &
done
wait
# A target stopped by a finding cannot remove its scratch folder itself.
for folder in "${TMPDIR:-/tmp}"/granomet_fuzz_*; do
  if [ -d "$folder" ] && ! kill -0 "${folder##*_}" 2>/dev/null; then
    rm -rf "$folder"
  fi
done

echo
found=0
for target in "${targets[@]}"; do
  cat "$out/logs/$target.summary"
  if [ -n "$(find "$out/findings/$target" -type f -print -quit)" ]; then
    found=1
  fi
done
if [ "$found" -ne 0 ]; then
  echo
  echo "Hallazgos en build-fuzz/findings/: corrígelos y guarda cada entrada en tests/fuzz/regressions/OBJETIVO/."
  exit 1
fi
