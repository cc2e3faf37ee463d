#!/usr/bin/env bash
# Makes the seed corpus of the picture decoders: small pictures of every kind they read,
# written by ImageMagick and libtiff's tools, plus a truncated one of each format.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
out="$here/corpus/qm_fuzz_pictures"
mkdir -p "$out"
/usr/bin/convert -size 9x5 gradient:yellow-blue "$work/src.ppm"
c() { /usr/bin/convert "$work/src.ppm" "$@"; }
c -colorspace Gray -threshold 50% -depth 1 PNG:"$out/gray1.png"
c -colorspace Gray -depth 16 PNG:"$out/gray16.png"
c -colors 12 PNG8:"$out/palette.png"
c -depth 8 PNG24:"$out/rgb8.png"
c -depth 16 -alpha set -channel A -fx 'i/w' PNG64:"$out/rgba16.png"
c -interlace PNG PNG32:"$out/rgba8-interlaced.png"
c -quality 90 "$out/colour.jpg"
c -colorspace Gray -quality 90 "$out/gray.jpg"
c -interlace JPEG -quality 90 "$out/progressive.jpg"
c -colorspace Gray -depth 8 -compress LZW "$out/gray8-lzw.tif"
c -depth 8 -compress Zip "$out/rgb8-deflate.tif"
c -colorspace Gray -depth 16 -compress None "$out/gray16.tif"
c -colorspace Gray -depth 32 -define quantum:format=floating-point -compress Zip "$out/float.tif"
/usr/bin/tiffcp -c lzw -t -w 16 -l 16 "$out/gray16.tif" "$out/gray16-tiled-lzw.tif"
/usr/bin/tiffcp -p separate -c zip "$out/rgb8-deflate.tif" "$out/rgb8-planes.tif"
for f in rgb8.png progressive.jpg gray16-tiled-lzw.tif; do
  head -c "$(($(stat -c %s "$out/$f") / 2))" "$out/$f" > "$out/truncated-$f"
done
