#!/usr/bin/env bash
# Rebuilds the title picture (resources/b.dat) and the icons (resources/*.ico) from
# make_pictures.cpp.
set -euo pipefail
cd "$(dirname "$0")/../.."
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
g++ -std=c++17 -O2 -Wall -Wextra -I world -o "$out/make_pictures" tools/pictures/make_pictures.cpp
"$out/make_pictures" resources
