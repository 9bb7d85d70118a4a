#!/usr/bin/env bash
# Regenerates the pictures the README shows: the artwork's contact sheet and one frame of
# each scene built so far. Needs a build (./test.sh or ./run.sh) and ImageMagick.
set -eu
cd "$(dirname "$0")/.."
out=docs/images
mkdir -p "$out"
cp build/art/contact_sheet.png "$out/contact_sheet.png"
frames=$(mktemp -d)
trap 'rm -rf "$frames"' EXIT
(cd build && ./lumaro -headless -nosound -videosave -w640 -seed=1 -end=42.5 -videodir="$frames")
# frame number = demo time / 0.04
for shot in "1:000050" "2:000150" "3:000250" "4:000400" "5:000600" "6:000788" "7:001060"; do
  scene=${shot%%:*}
  convert "$frames/${shot#*:}.tga" -auto-orient -resize 320x240 "$out/scene$scene.png"
done
echo "wrote $out"
