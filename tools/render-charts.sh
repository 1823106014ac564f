#!/usr/bin/env bash
# Draws the README's charts with velmoria-sim --plot and renders them to PNG with rsvg-convert:
#   docs/chart-populations.png  the four populations of one game with the default fields
#   docs/chart-sweep.png        mean record with its min–max band over herbivores.birth
#                               (field 9, the herbivores' 寿命長 edit), 5 games each
#   docs/chart-heatmap.png      mean record over herbivores.birth and plants.birth, 3 games each
# Every game stops after 400 days at the latest, so 400 in a chart means "400 or more".
# Builds the simulator first. VELMORIA_BUILD_DIR (default build/native) chooses the build folder.
set -euo pipefail
. "$(dirname "$0")/wine-lib.sh"
cd "$velmoria_root"

tools/setup.sh
build_targets native velmoria-sim >/dev/null
sim=$(build_dir_of native)/sim/velmoria-sim

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$sim" --plot "$work/populations.svg" >/dev/null
"$sim" --vary herbivores.birth=0.1:0.05:0.4 --repeat 5 --days 400 \
  --plot "$work/sweep.svg" >/dev/null
"$sim" --vary herbivores.birth=0.1:0.1:0.5 --vary plants.birth=0.1:0.1:0.5 --repeat 3 \
  --days 400 --plot "$work/heatmap.svg" >/dev/null

for chart in populations sweep heatmap; do
  rsvg-convert --format png --output "docs/chart-$chart.png" "$work/$chart.svg"
  echo "docs/chart-$chart.png"
done
