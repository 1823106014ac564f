#!/usr/bin/env bash
# Times velmoria-sim sweeps with one job and with every core, in the same run, and prints
# games per second and the ratio: a sweep of games with the default fields, and one of heavy
# games (tens of thousands of individuals per level, stopped after 120 days). Checks that both
# job counts write the same table. Usage: bench/sweep.sh [runs] (default 1).
# VELMORIA_BUILD_DIR picks the native build folder (default build/native).
set -euo pipefail
. "$(dirname "$0")/../tools/wine-lib.sh"
runs=${1:-1}
build_targets native velmoria-sim >/dev/null
sim=$(build_dir_of native)/sim/velmoria-sim
cores=$(nproc)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

default_sweep=(--vary herbivores.population=1000:100:2900 --repeat 50)
heavy_sweep=(--vary plants.population=18000:100:19900 --days 120
  -- 1000 0.5 0.2 5000 0.5 0.3 10000 0.5 0.6 19999 0.5 0.5 0.1 0.1 0.1 0.1)

# seconds JOBS TABLE SWEEP...: runs the sweep and prints its wall time in seconds.
seconds() {
  local jobs=$1 table=$2
  shift 2
  local start end
  start=$(date +%s.%N)
  "$sim" --jobs "$jobs" --table "$table" "$@" 2>&1 >/dev/null
  end=$(date +%s.%N)
  awk -v a="$start" -v b="$end" 'BEGIN { print b - a }'
}

bench() {
  local name=$1
  shift
  local games one all
  one=$(seconds 1 "$work/one.csv" "$@")
  all=$(seconds "$cores" "$work/all.csv" "$@")
  cmp -s "$work/one.csv" "$work/all.csv" || { echo "tables differ for $name" >&2; exit 1; }
  games=$(($(grep -vc '^#' "$work/one.csv") - 1))  # less the settings lines and the header
  awk -v name="$name" -v games="$games" -v one="$one" -v all="$all" -v cores="$cores" 'BEGIN {
    printf "%-8s %4d games  1 job: %7.1f games/s  %d jobs: %7.1f games/s  ratio %.2fx\n",
      name, games, games / one, cores, games / all, one / all }'
}

for run in $(seq "$runs"); do
  echo "== run $run of $runs (load: $(cut -d' ' -f1-3 /proc/loadavg)) =="
  bench default "${default_sweep[@]}"
  bench heavy "${heavy_sweep[@]}"
done
