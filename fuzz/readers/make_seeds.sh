#!/usr/bin/env bash
# Makes the seed corpora: small valid pictures of every kind the readers take, written by
# ImageMagick and libtiff's tools, plus the damaged files of tests/data/readers/crashers.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
top="$(cd "$here/../.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
bmp="$here/corpus/qm_fuzz_bmp"
tif="$here/corpus/qm_fuzz_tiff"
screen="$here/corpus/qm_fuzz_palette_screen"
mkdir -p "$bmp" "$tif" "$screen"
/usr/bin/convert -size 9x5 gradient:red-blue "$work/src.ppm"
c() { /usr/bin/convert "$work/src.ppm" "$@"; }
c -monochrome BMP3:"$bmp/1bit.bmp"
c -colors 12 -type Palette -compress None BMP3:"$bmp/4bit.bmp"
c -colors 40 -type Palette -compress None BMP3:"$bmp/8bit.bmp"
c -colors 40 -type Palette -compress RLE BMP3:"$bmp/8bit-rle.bmp"
c -type TrueColor BMP3:"$bmp/24bit.bmp"
c -type TrueColor BMP:"$bmp/24bit-v5.bmp"
c -monochrome -depth 1 -compress None "$tif/1bit.tif"
c -colors 12 -type Palette -depth 4 -compress None "$tif/4bit-palette.tif"
c -colors 40 -type Palette -depth 8 -compress RLE "$tif/8bit-palette-packbits.tif"
c -colorspace Gray -depth 8 -define tiff:rows-per-strip=2 -compress None "$tif/8bit-gray-strips.tif"
c -type TrueColor -depth 8 -compress RLE "$tif/24bit-packbits.tif"
/usr/bin/tiffcp -B -c packbits -r 2 "$tif/24bit-packbits.tif" "$tif/24bit-big-endian.tif"
c -type TrueColor -depth 8 -compress LZW "$tif/24bit-lzw.tif"
cp "$top"/tests/data/readers/crashers/*.bmp "$bmp/"
cp "$top"/tests/data/readers/crashers/*.tif "$tif/"
# The palette screen works hardest on 24-bit pictures; a few others and damaged files too.
c -type TrueColor BMP3:"$screen/24bit.bmp"
c -type TrueColor -depth 8 -compress RLE "$screen/24bit-packbits.tif"
/usr/bin/convert -size 40x30 plasma:fractal -seed 7 -type TrueColor BMP3:"$screen/24bit-many-colors.bmp"
/usr/bin/convert -size 1x1 xc:gray50 -type TrueColor BMP3:"$screen/24bit-one-pixel.bmp"
cp "$bmp/8bit.bmp" "$tif/4bit-palette.tif" "$tif/1bit.tif" "$screen/"
cp "$top"/tests/data/readers/crashers/tif-claims-20000x20000-in-a-tiny-file.tif "$screen/"
cp "$top"/tests/data/readers/crashers/bmp-pixels-missing.bmp "$screen/"
