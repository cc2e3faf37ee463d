#!/usr/bin/env bash
# Re-renders the pictures of quorvmesh's solids and 16-bit heightmap into docs/.
# Builds quorvmesh, writes each model as binary STL into a temporary folder and draws it
# with scripts/render-stl. Look at the pictures before committing them.
# Usage: docs/make_solid_pictures.sh [build folder, default build/docs]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/docs}
[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" --target quorvmesh
tool="$build/cli/quorvmesh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

picture() { # NAME VIEW [quorvmesh arguments...]
    local name=$1 view=$2
    shift 2
    "$tool" -q -o "$work/$name.stl" "$@"
    scripts/render-stl "$work/$name.stl" --out "docs/$name.png" --size 480x360 --view="$view"
    echo "docs/$name.png"
}

picture solid-box 25,40 --solid --width 100 --relief 5 --base 2 --resolution 50
picture lithophane-tube 15,10 --mesh cylindrical --lithophane --width 70 --resolution 50
picture hollow-globe 25,-25 --mesh spherical --lithophane --width 70 --opening 24 --resolution 50
python3 docs/make_heightmap16.py "$work/hills16.png"
picture heightmap-16bit 20,35 "$work/hills16.png" --solid --width 100 --relief 260 --base 2
