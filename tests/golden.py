#!/usr/bin/env python3
"""Golden frames: fixed moments of the show, rendered by the program at 320 x 240 (and the
README's moments again filling a 426 x 240 frame) with seed 1 on the fixed clock, kept as PNG files in tests/golden/ and compared with what it draws now.

  golden.py check  --program build/lumaro   exact on the renderer the frames were made with,
                                            within a tolerance on any other
  golden.py update --program build/lumaro   renders them anew, says which changed, and
                                            copies the README's pictures from the same run

Plain Python: the TGA frames are read and the PNG files written and read here.
"""
import argparse
import os
import struct
import subprocess
import sys
import tempfile
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
GOLDEN = os.path.join(HERE, 'golden')
DOCS = os.path.join(HERE, '..', 'docs', 'images')
WIDE = ['-size=426x240', '-widescreen']  # a 16:9 frame the show fills
RENDERER_FILE = 'renderer.txt'
# On another renderer: at most this share of pixels may differ by more than this many levels.
TOLERANCE_SHARE, TOLERANCE_LEVELS = 0.01, 24

# (name, demo second, README picture or None). Each is the first fixed-clock frame at or
# after its second, as "-start" takes it. At least three a scene, its fades and cuts among them.
FRAMES = [
    ('s01-card-edge-on', 0.5, None), ('s01-card-facing', 2.0, 'scene1'), ('s01-card-turning', 3.5, None),
    ('s02-cut-from-1', 4.0, None), ('s02-card', 6.0, 'scene2'), ('s02-card-turning', 7.2, None),
    ('s03-card-turning', 8.5, None), ('s03-card', 10.0, 'scene3'), ('s03-card-edge-on', 11.5, None),
    ('s04-first-frame', 12.0, None), ('s04-card', 16.0, 'scene4'), ('s04-half-faded', 19.5, None),
    ('s05-fading-in', 20.2, None), ('s05-plasma-title', 24.0, 'scene5'), ('s05-fading-out', 27.6, None),
    ('s06-fading-in', 28.3, None), ('s06-fountain', 31.52, 'scene6'), ('s06-fountain-full', 36.0, None),
    ('s06-before-cut', 39.96, None),
    ('s07-cut-from-6', 40.0, None), ('s07-fireworks', 42.4, 'scene7'), ('s07-fireworks-50', 50.0, None),
    ('s07-fireworks-62', 62.0, None),
    ('s08-sliding-in', 70.5, None), ('s08-caption', 77.5, None), ('s08-shell-fading', 83.0, None),
    ('s08-lights-and-trails', 110.0, 'scene8'), ('s08-flying-away', 129.6, None),
    ('s09-fading-in', 130.4, None), ('s09-tumbling', 150.0, 'scene9'), ('s09-settling', 171.0, None),
    ('s09-launch', 176.0, None), ('s09-flash', 180.5, None), ('s09-flash-swelling', 181.5, None),
    ('s09-scorched-planet', 185.0, None), ('s09-fading-out', 189.6, None),
    ('s10-fading-in', 190.5, None), ('s10-before-wrap', 193.52, None), ('s10-after-wrap', 193.56, None),
    ('s10-lattice', 200.0, 'scene10'), ('s10-fading-out', 219.6, None),
    ('s11-fading-in', 220.5, None), ('s11-ornament', 225.0, None), ('s11-ornament-235', 235.0, 'scene11'),
    ('s11-fading-out', 249.6, None),
    ('s12-fading-in', 250.5, None), ('s12-tunnel', 262.0, 'scene12'), ('s12-tunnel-270', 270.0, None),
    ('s12-tunnel-283', 283.0, None), ('s12-fading-out', 289.6, None),
    ('s13-fading-in', 290.5, None), ('s13-was-cracked-291', 291.03, None), ('s13-was-cracked-299', 299.07, None),
    ('s13-metaballs', 305.0, 'scene13'), ('s13-was-cracked-317', 317.19, None), ('s13-fading-out', 324.6, None),
    ('s14-fading-in', 325.3, None), ('s14-the-end', 326.5, 'scene14'), ('s14-fading-out', 327.7, None),
    ('blank-last-second', 328.5, None),
]
# The README's moment of each scene again, in the wide frame (pictures in docs/images/wide/).
WIDE_FRAMES = [('wide-' + name, second, 'wide/' + docs) for name, second, docs in FRAMES if docs]
ALL_FRAMES = FRAMES + WIDE_FRAMES


def frame_number(second):
    """The fixed clock's first frame at or after a second, summed in single precision."""
    step = struct.unpack('f', struct.pack('f', 0.04))[0]
    target = struct.unpack('f', struct.pack('f', second))[0]
    clock, number = 0.0, 0
    while True:
        clock = struct.unpack('f', struct.pack('f', clock + step))[0]
        number += 1
        if clock >= target:
            return number


def read_tga(path):
    data = open(path, 'rb').read()
    width, height = struct.unpack('<HH', data[12:16])
    assert data[2] == 2 and data[16] == 24, path
    rows = []
    for y in range(height - 1, -1, -1):  # stored bottom row first
        row = data[18 + y * width * 3:18 + (y + 1) * width * 3]
        rgb = bytearray(len(row))
        rgb[0::3], rgb[1::3], rgb[2::3] = row[2::3], row[1::3], row[0::3]
        rows.append(bytes(rgb))
    return rows


def write_png(path, rows):
    def chunk(kind, body):
        return struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body))
    raw = b''.join(b'\0' + row for row in rows)
    header = struct.pack('>IIBBBBB', len(rows[0]) // 3, len(rows), 8, 2, 0, 0, 0)
    with open(path, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) + chunk(b'IDAT', zlib.compress(raw, 9)) +
                chunk(b'IEND', b''))


def unfilter(kind, row, prior):
    out = bytearray(row)
    for i in range(len(out)):
        left = out[i - 3] if i >= 3 else 0
        up = prior[i]
        corner = prior[i - 3] if i >= 3 else 0
        if kind == 1:
            out[i] = (out[i] + left) & 255
        elif kind == 2:
            out[i] = (out[i] + up) & 255
        elif kind == 3:
            out[i] = (out[i] + (left + up) // 2) & 255
        elif kind == 4:
            p = left + up - corner
            pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
            out[i] = (out[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else corner)) & 255
    return bytes(out)


def read_png(path):
    data = open(path, 'rb').read()
    at, idat, width, height = 8, b'', 0, 0
    while at < len(data):
        length, kind = struct.unpack('>I4s', data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if kind == b'IHDR':
            width, height, depth, colour = struct.unpack('>IIBB', body[:10])
            assert depth == 8 and colour == 2, path + ': not 8-bit RGB'
        elif kind == b'IDAT':
            idat += body
        at += 12 + length
    raw, stride, rows, prior = zlib.decompress(idat), width * 3, [], bytes(width * 3)
    for y in range(height):
        line = raw[y * (stride + 1):(y + 1) * (stride + 1)]
        prior = unfilter(line[0], line[1:], prior) if line[0] else line[1:]
        rows.append(prior)
    return rows


def difference(a, b):
    """(pixels that differ at all, pixels that differ by more than the tolerance, largest difference)."""
    differ = beyond = largest = 0
    for row_a, row_b in zip(a, b):
        if row_a == row_b:
            continue
        for x in range(0, len(row_a), 3):
            d = max(abs(row_a[x + k] - row_b[x + k]) for k in range(3))
            differ += d > 0
            beyond += d > TOLERANCE_LEVELS
            largest = max(largest, d)
    return differ, beyond, largest


def render_set(program, frames, options, scratch):
    seconds = ','.join('%g' % second for _, second, _ in frames)
    command = [program, '-headless', '-nosound', '-seed=1', '-stills=' + seconds, '-videodir=' + scratch] + options
    subprocess.run(command, check=True, stderr=subprocess.DEVNULL)
    return {name: read_tga(os.path.join(scratch, '%06d.tga' % frame_number(second))) for name, second, _ in frames}


def render(program, scratch):
    """Every golden frame, one run of the program for each frame size; returns {name: rows}."""
    frames = render_set(program, FRAMES, ['-w320'], os.path.join(scratch, '4x3'))
    frames.update(render_set(program, WIDE_FRAMES, WIDE, os.path.join(scratch, 'wide')))
    return frames


def renderer(program):
    out = subprocess.run([program, '-headless', '-timedemo', '-end=0.04'], check=True, capture_output=True, text=True)
    return out.stdout.splitlines()[0].split(' on ', 1)[1]


def check(program):
    reference = open(os.path.join(GOLDEN, RENDERER_FILE)).read().strip()
    here = renderer(program)
    exact = here == reference
    print('golden frames on %s: %s' % (here, 'exact' if exact else 'within %d levels on all but %g%% of pixels'
                                       % (TOLERANCE_LEVELS, TOLERANCE_SHARE * 100)))
    failures = 0
    with tempfile.TemporaryDirectory() as scratch:
        frames = render(program, scratch)
    for name, second, docs in ALL_FRAMES:
        golden = read_png(os.path.join(GOLDEN, name + '.png'))
        differ, beyond, largest = difference(frames[name], golden)
        pixels = len(golden) * len(golden[0]) // 3
        if (differ if exact else beyond) > (0 if exact else TOLERANCE_SHARE * pixels):
            failures += 1
            print('FAIL %s (%.2f s): %d pixels differ, %d by more than %d levels, at most %d' %
                  (name, second, differ, beyond, TOLERANCE_LEVELS, largest))
        if docs and open(os.path.join(DOCS, docs + '.png'), 'rb').read() != \
                open(os.path.join(GOLDEN, name + '.png'), 'rb').read():
            failures += 1
            print('FAIL docs/images/%s.png is not the golden frame %s' % (docs, name))
    print('%d golden frames, %d failed' % (len(ALL_FRAMES), failures))
    return failures == 0


def update(program):
    os.makedirs(GOLDEN, exist_ok=True)
    os.makedirs(os.path.join(DOCS, 'wide'), exist_ok=True)
    with tempfile.TemporaryDirectory() as scratch:
        frames = render(program, scratch)
    changed = 0
    for name, second, docs in ALL_FRAMES:
        path = os.path.join(GOLDEN, name + '.png')
        if os.path.exists(path):
            differ, beyond, largest = difference(frames[name], read_png(path))
            if differ:
                changed += 1
                print('changed %s (%.2f s): %d pixels, %d by more than %d levels, at most %d' %
                      (name, second, differ, beyond, TOLERANCE_LEVELS, largest))
        else:
            changed += 1
            print('new %s (%.2f s)' % (name, second))
        write_png(path, frames[name])
        if docs:
            write_png(os.path.join(DOCS, docs + '.png'), frames[name])
    known = {name + '.png' for name, _, _ in ALL_FRAMES} | {RENDERER_FILE}
    for stale in sorted(set(os.listdir(GOLDEN)) - known):
        os.remove(os.path.join(GOLDEN, stale))
        print('removed %s' % stale)
    with open(os.path.join(GOLDEN, RENDERER_FILE), 'w') as f:
        f.write(renderer(program) + '\n')
    print('%d golden frames, %d changed' % (len(ALL_FRAMES), changed))


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument('mode', choices=['check', 'update'])
    parser.add_argument('--program', required=True)
    args = parser.parse_args()
    program = os.path.abspath(args.program)
    if args.mode == 'update':
        update(program)
        return 0
    return 0 if check(program) else 1


if __name__ == '__main__':
    sys.exit(main())
