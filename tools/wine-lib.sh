# The scripts' shared library, sourced by every script of tools/, tests/ and bench/: the
# checkout's folders, building targets of one preset, the Wine environment and the Wine loader
# for each job, and private virtual displays.
#
# Debian's /usr/bin/wine always starts the 32-bit loader when wine32 is installed, even for a
# 64-bit program, and on hosts that run no 32-bit code that loader cannot start at all. So a
# 64-bit program is started by the 64-bit loader directly, a 32-bit one through /usr/bin/wine,
# and chores in the prefix (wineboot, reg) by whichever loader runs here.

velmoria_tools=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
velmoria_root=$(cd "$velmoria_tools/.." && pwd)
wine32_loader=/usr/lib/wine/wine
wine64_loader=/usr/lib/wine/wine64
# The tests' Wine prefix, one per checkout.
tests_wineprefix=$velmoria_root/build/wineprefix

# ---- Building ------------------------------------------------------------------------------

# The build folder of a preset, as an absolute path: VELMORIA_BUILD_DIR when set (relative to
# the checkout), otherwise the preset's own.
build_dir_of() {
  local dir=${VELMORIA_BUILD_DIR:-build/$1}
  [[ $dir == /* ]] || dir=$velmoria_root/$dir
  echo "$dir"
}

# build_targets PRESET TARGET...: configures PRESET into its build folder and builds the
# targets there (two jobs at most; the machine is shared).
build_targets() {
  local preset=$1 dir
  shift
  dir=$(build_dir_of "$preset")
  (cd "$velmoria_root" && cmake --preset "$preset" -B "$dir" >/dev/null)
  cmake --build "$dir" -j2 --target "$@"
}

# ---- Wine ----------------------------------------------------------------------------------

# Code page 932 (the program's narrow strings are Shift-JIS), a quiet Wine without its .NET
# and HTML installers, and our own prefix (build/wineprefix unless WINEPREFIX names another).
wine_environment() {
  # VELMORIA_WINE_LOCALE picks another locale, and so other code pages (de_DE.UTF-8: 1252).
  export LC_ALL=${VELMORIA_WINE_LOCALE:-ja_JP.UTF-8}
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
  export WINEPREFIX=${WINEPREFIX:-$tests_wineprefix}
}

# Caches the probe's answer in the environment, so nested scripts ask only once.
host_runs_32bit() {
  if [ -z "${VELMORIA_HOST_RUNS_32BIT:-}" ]; then
    if "$velmoria_tools/host-runs-32bit" >/dev/null; then
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
  local machine
  machine=$(pe_machine "$1")
  if [ "$machine" = 8664 ]; then
    wine_loader=$wine64_loader
    export WINELOADER=$wine64_loader
  elif [ "$machine" = 014c ] || host_runs_32bit; then
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

# Lets Wine draw the frames and captions of the prefix's windows itself, as a virtual display
# has no window manager to draw them.
wine_draws_frames() {
  wine_chore reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wineserver -w
}

# Removes the folder in which the wineserver of $WINEPREFIX kept its socket (/tmp/wine-*/
# server-DEVICE-INODE, named after the prefix), which Wine leaves behind when the server ends.
# Call it once the server has ended.
forget_wine_server() {
  local device inode folder
  read -r device inode < <(stat -c '%D %i' "$WINEPREFIX" 2>/dev/null) || return 0
  for folder in /tmp/wine-*/"server-$device-$(printf '%x' "$inode")"; do
    [ -d "$folder" ] || continue
    rm -rf "$folder"
    rmdir "$(dirname "$folder")" 2>/dev/null || true
  done
}

# The Windows build that runs on this host: win32 where 32-bit code runs, win64 elsewhere.
# VELMORIA_BUILD=win32 or win64 picks one by hand.
playable_build() {
  if [ -n "${VELMORIA_BUILD:-}" ]; then
    case $VELMORIA_BUILD in
      win32 | win64) echo "$VELMORIA_BUILD" ;;
      *)
        echo "VELMORIA_BUILD is win32 or win64, not '$VELMORIA_BUILD'" >&2
        return 2
        ;;
    esac
  elif host_runs_32bit; then
    echo win32
  else
    echo win64
  fi
}

# ---- Virtual displays ----------------------------------------------------------------------

display_pid=

# Starts a private virtual display (Xvfb, 1600 x 1000) and points DISPLAY at it. Xvfb picks
# a free display number itself, so parallel runs never collide. stop_display ends it.
start_display() {
  local number_file number=
  number_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
  display_pid=$!
  for _ in $(seq 200); do
    number=$(head -n 1 "$number_file")
    [ -n "$number" ] && break
    sleep 0.05
  done
  rm -f "$number_file"
  if [ -z "$number" ]; then
    echo "Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=":$number"
}

stop_display() {
  if [ -n "$display_pid" ]; then
    kill "$display_pid" 2>/dev/null || true
    wait "$display_pid" 2>/dev/null || true
  fi
  display_pid=
}

# Called first by a script that needs a display: without one it runs again, whole, on a
# private display (tools/with-display), with the same arguments.
need_display() {
  if [ -z "${DISPLAY:-}" ]; then
    exec "$velmoria_tools/with-display" bash "$0" "$@"
  fi
}
