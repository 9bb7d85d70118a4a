#!/usr/bin/env bash
# "-timedemo" from outside: the printed table for a range, its CSV twin and per-frame file,
# the frame count against a capture of the same range, ranges that end in the blank last
# second, an unwritable CSV and the refused combination with a capture. No timings are
# judged, only that they are consistent.
set -u
lumaro=$(realpath "$1")
source "$(dirname "$0")/e2e_common.sh"
cd "$work"

# The printed table, the CSV and the frame files against each other. Arguments: the printed
# output, the CSV, the scene labels expected in order, and the frames a capture of the range
# wrote.
check() {
  python3 - "$@" <<'PY'
import csv, os, re, sys
text = open(sys.argv[1]).read()
table, labels, captured = sys.argv[2], sys.argv[3].split(), int(sys.argv[4])
problems = []
def need(ok, what):
    if not ok: problems.append(what)
row = re.compile(r'^\s*(\S+)\s+(.+?)\s+(\d+)\s+([\d.]+)\s+([\d.]+)\s+([\d.]+)\s+([\d.]+)$')
printed = [m.groups() for m in map(row.match, text.splitlines()) if m]
need(re.search(r'^Lumaro timedemo at 320 x 240 on \S', text, re.M), "no title line with the size and renderer")
need(re.search(r'^wall time [\d.]+ s; start-up to the first frame \d+ ms; peak memory \d+ MB$', text, re.M),
     "no line with wall time, start-up and peak memory")
need([p[0] for p in printed] == labels + ['show'], f"rows {[p[0] for p in printed]}, expected {labels} and show")
for label, name, frames, median, p95, worst, fps in printed:
    median, p95, worst, fps = map(float, (median, p95, worst, fps))
    need(int(frames) > 0 and 0 < median <= p95 <= worst, f"row {label}: implausible times {median} {p95} {worst}")
    # fps is 1000 / median before either was rounded for print
    low, high = 1000 / (median + 0.005) - 0.05, 1000 / max(median - 0.005, 1e-9) + 0.05
    need(low <= fps <= high, f"row {label}: {fps} fps does not go with a median of {median} ms")
scenes = [p for p in printed if p[0] != 'show']
need(sum(int(p[2]) for p in scenes) == int(printed[-1][2]), "the show's frames are not the sum of its scenes'")
need(int(printed[-1][2]) == captured, f"{printed[-1][2]} frames timed, a capture of the range drew {captured}")

with open(table) as f:
    rows = list(csv.DictReader(f))
need(len(rows) == len(printed), f"{len(rows)} CSV rows, {len(printed)} printed")
for r, p in zip(rows, printed):
    need((r['scene'] == 'blank' and p[0] == '-') or r['scene'] == p[0], f"CSV scene {r['scene']} against {p[0]}")
    need(r['name'] == p[1] and int(r['frames']) == int(p[2]), f"CSV row {r['scene']} differs from the print")
    for key, value in zip(('median_ms', 'p95_ms', 'worst_ms', 'fps'), p[3:]):
        need(abs(float(r[key]) - float(value)) <= 0.051, f"CSV {key} {r[key]} against printed {value}")
show = rows[-1]
need(float(show['wall_s']) > 0 and float(show['startup_ms']) > 0 and float(show['peak_mb']) > 0,
     "the show row lacks wall time, start-up or peak memory")

stem, ext = os.path.splitext(table)
with open(stem + '-frames' + ext) as f:
    frames = list(csv.DictReader(f))
need(len(frames) == int(show['frames']), f"{len(frames)} per-frame lines for {show['frames']} frames")
clocks = [float(f['clock_s']) for f in frames]
need(clocks == sorted(clocks) and len(set(clocks)) == len(clocks), "per-frame clocks do not rise")
worst = max(float(f['ms']) for f in frames)
need(abs(worst - float(show['worst_ms'])) <= 0.001, "the show's worst frame is not the worst per-frame time")
for p in problems: print(p)
sys.exit(1 if problems else 0)
PY
}

# Frames a capture of the same range writes: the timedemo must time exactly as many.
captured() {
  rm -rf shots && "$lumaro" -headless -videosave -nosound -w320 -seed=1 "$@" -videodir=shots 2>/dev/null
  ls shots/*.tga | wc -l
}

# The first two seconds: scene 1 alone.
"$lumaro" -timedemo=first.csv -w320 -seed=1 -end=2 > first.out 2> first.err || fail "-timedemo -end=2 exited $?: $(cat first.err)"
check first.out first.csv "1" "$(captured -end=2)" || fail "the table of -end=2: $(cat first.out)"

# Across a scene change, and into the blank last second.
"$lumaro" -timedemo=cut.csv -w320 -seed=1 -start=189.5 -end=190.5 > cut.out || fail "-timedemo across scenes 9 and 10 exited $?"
check cut.out cut.csv "9 10" "$(captured -start=189.5 -end=190.5)" || fail "the table across 190 s: $(cat cut.out)"
"$lumaro" -timedemo=last.csv -w320 -seed=1 -start=327.5 > last.out || fail "-timedemo to the end exited $?"
check last.out last.csv "14 -" "$(captured -start=327.5)" || fail "the table of the last seconds: $(cat last.out)"

# A CSV that cannot be written is found before a frame is drawn; a table that cannot be
# written to stdout fails the run too.
"$lumaro" -timedemo=no/such/dir/t.csv -w320 -end=0.5 > bad.out 2> bad.err
[ $? -eq 1 ] || fail "an unwritable CSV did not exit 1"
grep -q "cannot write $work/no/such/dir/t.csv: no folder" bad.err || fail "no reason for the unwritable CSV: $(cat bad.err)"
[ ! -s bad.out ] || fail "the run went on with an unwritable CSV: $(cat bad.out)"
"$lumaro" -timedemo -w320 -end=0.5 > /dev/full 2> full.err
[ $? -eq 1 ] && grep -q "cannot write the timedemo's table" full.err || fail "a lost table exited 0: $(cat full.err)"

# Timing is not capture.
"$lumaro" -timedemo -videosave -end=1 > /dev/null 2> both.err
[ $? -eq 2 ] || fail "-timedemo with -videosave did not exit 2"
grep -q "timedemo" both.err || fail "no reason for refusing -timedemo with -videosave: $(cat both.err)"

finish e2e_timedemo
