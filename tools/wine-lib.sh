# Picks the Wine loader for each job; sourced by the scripts that start Wine.
#
# Debian's /usr/bin/wine always starts the 32-bit loader when wine32 is installed, even for a
# 64-bit program, and on hosts that run no 32-bit code that loader cannot start at all. So a
# 64-bit program is started by the 64-bit loader directly, a 32-bit one through /usr/bin/wine,
# and chores in the prefix (wineboot, reg) by whichever loader runs here.

wine64_loader=/usr/lib/wine/wine64
wine_tools=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# Caches the probe's answer in the environment, so nested scripts ask only once.
host_runs_32bit() {
  if [ -z "${VELMORIA_HOST_RUNS_32BIT:-}" ]; then
    if "$wine_tools/host-runs-32bit" >/dev/null; then
      export VELMORIA_HOST_RUNS_32BIT=yes
    else
      export VELMORIA_HOST_RUNS_32BIT=no
    fi
  fi
  [ "$VELMORIA_HOST_RUNS_32BIT" = yes ]
}

# The machine field of a PE file's header: 8664 for x86-64, 014c for i386; empty otherwise.
pe_machine() {
  local file=$1 offset
  [ -f "$file" ] || return 0
  offset=$(od -An -t u4 -j 60 -N 4 "$file" 2>/dev/null | tr -d ' ')
  [ -n "$offset" ] || return 0
  [ "$(od -An -c -j "$offset" -N 2 "$file" 2>/dev/null | tr -d ' ')" = PE ] || return 0
  od -An -t x2 -j $((offset + 4)) -N 2 "$file" | tr -d ' '
}

# Sets wine_loader (and WINELOADER for the 64-bit one) to run the given program.
choose_wine_for() {
  if [ "$(pe_machine "$1")" = 8664 ]; then
    wine_loader=$wine64_loader
    export WINELOADER=$wine64_loader
  elif [ "$(pe_machine "$1")" = 014c ] || host_runs_32bit; then
    wine_loader=wine
  else
    wine_loader=$wine64_loader
    export WINELOADER=$wine64_loader
  fi
}

# Runs a Wine program of the prefix itself (wineboot, reg, ...) with a loader that runs here.
wine_chore() {
  if host_runs_32bit; then
    wine "$@"
  else
    WINELOADER=$wine64_loader "$wine64_loader" "$@"
  fi
}

# The Windows build that runs on this host: win32 where 32-bit code runs, win64 elsewhere.
# VELMORIA_BUILD=win32 or win64 picks one by hand.
playable_build() {
  if [ -n "${VELMORIA_BUILD:-}" ]; then
    echo "$VELMORIA_BUILD"
  elif host_runs_32bit; then
    echo win32
  else
    echo win64
  fi
}
