#!/usr/bin/env bash
# Times running ticks of the simulation screen at full load under Wine on a private virtual
# display: dots composed in memory against one text call per dot, in the same run.
# Usage: bench/tick.sh [ticks per figure] [runs]   (defaults: 20 ticks, 3 runs)
# VELMORIA_BUILD picks win32 or win64 (default: the one this host runs, 32-bit where it can);
# VELMORIA_BUILD_DIR the build folder (default build/<that build>); WINEPREFIX the Wine prefix.
set -euo pipefail
. "$(dirname "$0")/../tools/wine-lib.sh"
preset=$(playable_build)
ticks=${1:-20}
runs=${2:-3}

build_targets "$preset" tick_benchmark >/dev/null
for run in $(seq "$runs"); do
  echo "== run $run of $runs (load: $(cut -d' ' -f1-3 /proc/loadavg)) =="
  "$velmoria_tools/with-display" "$velmoria_tools/wine-run" \
    "$(build_dir_of "$preset")/bench/tick_benchmark.exe" "$ticks"
done
