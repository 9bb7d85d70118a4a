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
# scene:demo second. Each shot runs from 1.5 s before it, so trails and flames have built up.
for shot in 1:2.0 2:6.0 3:10.0 4:16.0 5:24.0 6:31.52 7:42.4 8:110.0 9:150.0 10:200.0 11:235.0 12:262.0 13:305.0 14:326.5; do
  scene=${shot%%:*}
  at=${shot#*:}
  from=$(awk -v t="$at" 'BEGIN { s = t - 1.5; print (s < 0 ? 0 : s) }')
  rm -f "$frames"/*.tga
  (cd build && ./lumaro -headless -nosound -videosave -w640 -seed=1 -start="$from" -end="$at" -videodir="$frames")
  last=$(ls "$frames" | tail -1)
  convert "$frames/$last" -auto-orient -resize 320x240 -strip "$out/scene$scene.png"
done
echo "wrote $out"
