#!/usr/bin/env bash
# The same source draws byte-identical pictures.
set -eu
artgen=$1
built=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$artgen" "$work"
for file in "$built"/*.tga; do
  cmp "$file" "$work/$(basename "$file")"
done
echo "artwork is deterministic: $(ls "$built"/*.tga | wc -l) pictures identical"
