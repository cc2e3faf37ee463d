#!/usr/bin/env bash
# Makes the seed corpus: settings files of both versions (valid, short, wrong magic, wrong
# version) and INI texts, all written out byte by byte here.
set -euo pipefail
out="$(cd "$(dirname "$0")" && pwd)/corpus/qm_fuzz_settings"
mkdir -p "$out"
le32() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $(($1 >> 8 & 255)))\\x$(printf %02x $(($1 >> 16 & 255)))\\x$(printf %02x $(($1 >> 24 & 255)))"; }
le16() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $(($1 >> 8 & 255)))"; }
# Floats as bit patterns: 25.0, 1.0, 20.0, 100.0, 0.5236 (30 degrees), -666.0, 1.0.
floats4() { le32 0x41C80000; le32 0x3F800000; le32 0x41A00000; le32 0x42C80000; }
rot3() { le32 0x3F060A92; le32 0x3F060A92; le32 0; }
view3() { le32 0xC4268000; le32 0; le32 0x3F800000; }
{ printf QMST; le16 132; le16 0; floats4; for i in 2 1 1 1 0 4; do le32 $i; done; rot3; for i in 1 1 0; do le32 $i; done; view3; } >"$out/version132.stg"
{ printf QMST; le16 120; floats4; for i in 1 0 1 0 1 6; do le16 $i; done; rot3; for i in 8 2 65535; do le16 $i; done; view3; } >"$out/version120.stg"
head -c 50 "$out/version132.stg" >"$out/version132-short.stg"
head -c 40 "$out/version120.stg" >"$out/version120-short.stg"
{ printf QMSX; tail -c +5 "$out/version132.stg"; } >"$out/wrong-magic.stg"
{ printf QMST; le16 131; tail -c +7 "$out/version132.stg"; } >"$out/wrong-version.stg"
{ printf QMST; le16 132; le16 0; le32 0x7FC00000; le32 0x7F800000; le32 0xFF800000; le32 0x4F000000;
  for i in 7 -1 0 0 0 9; do le32 $i; done; le32 0x7F7FFFFF; le32 0xFF7FFFFF; le32 0x80000000;
  for i in 0 5 5; do le32 $i; done; view3; } >"$out/hostile-values.stg"
printf '[QUORVMESH]\r\nMeshtype=1\r\nDoLatitude=0\r\nDoLongitude=0\r\nMapAlt=25\r\nXrot=5\r\nYrot=-30\r\nOrient=-1\r\nMaxPolys=70000\r\n' >"$out/ini-values.ini"
printf '; comment\n[other]\nMeshtype=2\n[quorvmesh]\n meshres = "9" \nDiskFormat=0x7\nCylLen=4294967295\n[QUORVMESH]\nTooltype=\n' >"$out/ini-odd.ini"

# The pipeline target reads the same inputs; its picture's size comes from the last two
# bytes, so a few seeds carry a tail that makes a wide picture and a tall one.
pipe="$(dirname "$out")/qm_fuzz_settings_pipeline"
mkdir -p "$pipe"
cp "$out"/* "$pipe"/
{ cat "$out/hostile-values.stg"; printf '\x07\x3f'; } >"$pipe/hostile-values-wide.stg"
{ cat "$out/version132.stg"; printf '\x3f\x02'; } >"$pipe/version132-tall.stg"
printf '[QUORVMESH]\nMeshtype=2\nModelScale=99999\nMapAlt=-1\nCylLen=0\nBlackHoles=1\nDiskFormat=3\nOrient=9\n\x20\x20' >"$pipe/ini-huge.ini"
