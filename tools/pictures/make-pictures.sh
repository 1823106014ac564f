#!/usr/bin/env bash
# Rebuilds the title picture (resources/b.dat) and the icons (resources/*.ico) from
# make_pictures.cpp.
set -euo pipefail
. "$(dirname "$0")/../wine-lib.sh"
cd "$velmoria_root"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
g++ -std=c++17 -O2 -Wall -Wextra -I world -o "$out/make_pictures" tools/pictures/make_pictures.cpp \
  tools/pictures/bmp24.cpp
"$out/make_pictures" resources
