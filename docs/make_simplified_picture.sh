#!/usr/bin/env bash
# Re-renders docs/simplified-terrain.png: a 256 x 256 terrain made by bench's make-terrain,
# written by quorvmesh --max-error as a solid and drawn with its triangles' edges over the
# shaded faces. Look at the picture before committing it.
# Usage: docs/make_simplified_picture.sh [native build folder, default build/native]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/native}
cmake --build "$build" --target quorvmesh make-terrain
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/simplify/make-terrain" 256 8 "$work/terrain.png"
"$build/cli/quorvmesh" "$work/terrain.png" -o "$work/terrain.stl" --width 100 --relief 18 \
    --max-error 0.36 --solid --base 3
scripts/render-stl "$work/terrain.stl" --out docs/simplified-terrain.png --size 560x380 \
    --view=25,35 --wire
echo docs/simplified-terrain.png
