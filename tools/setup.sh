#!/usr/bin/env bash
# Installs what building, playing and testing Velmoria need on Debian 12 (as root).
# Quick when everything is already there.
set -euo pipefail
. "$(dirname "$0")/wine-lib.sh"

packages=(
  cmake make g++ git clang-format
  googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-i686 mingw-w64-i686-dev binutils-mingw-w64-i686
  g++-mingw-w64-x86-64 mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
  wine wine32:i386 wine64
  xvfb xauth xdotool x11-utils imagemagick
  locales fonts-ipafont-gothic
  fonts-horai-umefont
  librsvg2-bin python3 parallel
  emscripten node-acorn chromium
  libgsl-dev slurm-wlm munge iproute2
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [ "$status" = installed ] || missing+=("$p")
done
# The browser tests drive Chromium with puppeteer-core from npm (node and npm may come from
# another package source than Debian's; Debian's npm only when there is none).
command -v npm >/dev/null || missing+=(npm)

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  # A mirror caught mid-sync fails one index now and then; the others still serve the install.
  # A fresh machine's own start-up updates may hold the package lock for a while.
  lock=(-o DPkg::Lock::Timeout=600)
  apt-get update -qq "${lock[@]}" || apt-get update -qq "${lock[@]}" || echo "setup: apt-get update reported errors; installing from the lists it fetched"
  if ! apt-get install -y -qq "${lock[@]}" --no-install-recommends "${missing[@]}" >/dev/null; then
    # The i386 half can lag behind the amd64 one while a mirror syncs; without it the 32-bit
    # suite is skipped with its reason and the 64-bit one runs the same tests.
    others=()
    for p in "${missing[@]}"; do [[ $p == *:i386 ]] || others+=("$p"); done
    echo "setup: the full install failed; installing all but the 32-bit Wine"
    apt-get install -y -qq "${lock[@]}" --no-install-recommends "${others[@]}" >/dev/null
  fi
fi

# Wine's narrow-string calls use code page 932 only under a Japanese locale; the German one
# lets the world's tests check that rates read "." whatever the locale's decimal point.
for loc in ja_JP de_DE; do
  if ! locale -a 2>/dev/null | grep -qi "^$loc\.utf-\?8$"; then
    sed -i "s/^# *\($loc.UTF-8 UTF-8\)/\1/" /etc/locale.gen
    grep -q "^$loc.UTF-8 UTF-8" /etc/locale.gen || echo "$loc.UTF-8 UTF-8" >>/etc/locale.gen
    need_locale_gen=1
  fi
done
if [ -n "${need_locale_gen:-}" ]; then
  locale-gen >/dev/null
fi

# puppeteer-core for the browser tests, into tests/web/node_modules; it downloads no browser.
web_tests=$velmoria_root/tests/web
if [ ! -d "$web_tests/node_modules/puppeteer-core" ]; then
  echo "setup: npm ci in tests/web"
  (cd "$web_tests" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund >/dev/null)
fi
