#!/usr/bin/env bash
# The same source draws byte-identical pictures; the Windows icon holds the desktop icon.
set -eu
artgen=$1
built=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$artgen" "$work" --icon "$work/lumaro.png" --ico "$work/lumaro.ico"
for file in "$built"/*.tga "$built"/lumaro.ico; do
  cmp "$file" "$work/$(basename "$file")"
done
echo "artwork is deterministic: $(ls "$built"/*.tga | wc -l) pictures identical"
# Its 256 px picture is the desktop icon's PNG; the smaller ones are PNGs of their size.
python3 - "$work/lumaro.ico" "$work/lumaro.png" <<'PY'
import struct, sys
ico, png = open(sys.argv[1], "rb").read(), open(sys.argv[2], "rb").read()
reserved, kind, count = struct.unpack_from("<HHH", ico)
assert (reserved, kind) == (0, 1), "not an icon file"
sizes = []
for i in range(count):
    w, h, _, _, planes, bits, length, offset = struct.unpack_from("<BBBBHHII", ico, 6 + 16 * i)
    picture = ico[offset:offset + length]
    assert len(picture) == length and picture[:8] == b"\x89PNG\r\n\x1a\n", "entry %d is no PNG" % i
    pw, ph = struct.unpack_from(">II", picture, 16)
    assert (pw, ph) == (w or 256, h or 256) and bits == 32, "entry %d says %dx%d, holds %dx%d" % (i, w, h, pw, ph)
    if pw == 256:
        assert picture == png, "the 256 px picture is not the desktop icon"
    sizes.append(pw)
assert sorted(sizes) == [16, 32, 48, 256], sizes
print("icon sizes", sorted(sizes))
PY
