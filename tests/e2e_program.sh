#!/usr/bin/env bash
# The program from outside, headless: help, a full video-save run, frame numbering of a
# short run, capture failures, and a missing or damaged music module.
set -u
lumaro=$(realpath "$1")
song=$(realpath "$2")
source "$(dirname "$0")/e2e_common.sh"

"$lumaro" -help > "$work/help" || fail "-help exits non-zero"
grep -q -- "-videosave" "$work/help" || fail "-help does not list -videosave"

# A whole show, fixed steps, every frame written, and the music beside them as sound.wav
# (the audio device is SDL's dummy: the track never needs a real one).
export SDL_AUDIODRIVER=dummy
start=$(date +%s.%N)
(cd "$(dirname "$song")" && "$lumaro" -headless -videosave -w320 -seed=1 -videodir="$work/full") 2> "$work/full.err"
rc=$?
end=$(date +%s.%N)
[ $rc -eq 0 ] || fail "full video run exited $rc: $(tail -3 "$work/full.err")"
count=$(ls "$work/full" | grep -c '\.tga$')
[ "$count" -eq 8226 ] || fail "full video run wrote $count frames, not 8226"
[ -f "$work/full/000001.tga" ] && [ -f "$work/full/008226.tga" ] || fail "first or last frame file missing"
size=$(stat -c %s "$work/full/004000.tga")
[ "$size" -eq $((18 + 320 * 240 * 3)) ] || fail "frame file has $size bytes"
wav=$(stat -c %s "$work/full/sound.wav")
[ "$wav" -eq $((44 + 8226 * 1920 * 8)) ] || fail "sound.wav has $wav bytes, not 8226 frames of 1920 stereo samples"
grep -q "wrote 8226 frames, 000001.tga to 008226.tga" "$work/full.err" || fail "no summary of what the run wrote"
awk -v a="$start" -v b="$end" 'BEGIN { printf "full video-save run at 320x240: %.1f s\n", b - a }'
# The music: stereo, about -16 to -14 LUFS, true peaks below -1 dBFS (EBU R128, ffmpeg).
python3 - "$work/full/sound.wav" <<'PY' || fail "the music is not stereo"
import array, sys
samples = array.array('f', open(sys.argv[1], 'rb').read()[44:])
assert sum(abs(samples[i] - samples[i + 1]) for i in range(0, len(samples), 97 * 2)) > 100
PY
loudness=$(ffmpeg -hide_banner -nostats -i "$work/full/sound.wav" -af ebur128=peak=true -f null - 2>&1 | grep -E '^ +(I|Peak):')
lufs=$(echo "$loudness" | awk '/I:/ { print $2 }')
peak=$(echo "$loudness" | awk '/Peak:/ { print $2 }')
echo "music: $lufs LUFS integrated, true peak $peak dBFS"
awk -v i="$lufs" -v p="$peak" 'BEGIN { exit !(i >= -16.5 && i <= -13.5 && p < -1) }' || fail "loudness $lufs LUFS / peak $peak dBFS"
# A run from "-start" is the same show: its frames are the full run's byte for byte and its
# track is the same samples of the full run's track (inside the fireworks, the fire, the
# ornament and the metaballs).
for start in 45.0 150.3 222.0 300.5; do
  part="$work/part$start"
  (cd "$(dirname "$song")" && "$lumaro" -headless -videosave -w320 -seed=1 -start=$start \
    -end="$(awk -v s=$start 'BEGIN { print s + 1 }')" -videodir="$part") 2> /dev/null || fail "-start=$start run failed"
  frames=0
  for frame in "$part"/*.tga; do
    frames=$((frames + 1))
    cmp -s "$frame" "$work/full/$(basename "$frame")" || fail "-start=$start: $(basename "$frame") differs from the full run's"
  done
  [ $frames -eq 26 ] || fail "-start=$start wrote $frames frames, not 26"
  first=$(ls "$part" | grep -m1 '\.tga$')
  python3 - "$work/full/sound.wav" "$part/sound.wav" "${first%.tga}" <<'PY' || fail "-start=$start: the track is not the full run's"
import sys
full, part, first = open(sys.argv[1], 'rb').read()[44:], open(sys.argv[2], 'rb').read()[44:], int(sys.argv[3])
at = (first - 1) * 1920 * 8  # frame n sounds the samples from n - 1 frames into the show
assert len(part) == 26 * 1920 * 8 and part == full[at:at + len(part)]
PY
  rm -rf "$part"
done
rm -rf "$work/full"
unset SDL_AUDIODRIVER

# A short run has the frame numbers of a full one.
"$lumaro" -headless -nosound -videosave -w320 -start=3.9 -end=4.2 -videodir="$work/short" || fail "short run failed"
expected=$(python3 - <<'PY'
import struct
f = lambda v: struct.unpack('f', struct.pack('f', v))[0]
clock, n, names = 0.0, 0, []
while True:
    n += 1
    clock = f(clock + f(0.04))
    if clock < f(3.9):
        continue
    names.append('%06d.tga' % n)
    if clock >= f(4.2):
        break
print(' '.join(names))
PY
)
got=$(ls "$work/short" | tr '\n' ' ' | sed 's/ $//')
[ "$got" = "$expected" ] || fail "short run wrote [$got], expected [$expected]"

# A directory that cannot be made ends the run with code 1 and says why.
touch "$work/plain"
"$lumaro" -headless -nosound -videosave -w320 -videodir="$work/plain/frames" 2> "$work/dir.err"
rc=$?
[ $rc -eq 1 ] || fail "uncreatable video directory exited $rc"
grep -q "cannot create the video directory" "$work/dir.err" || fail "no message for the video directory"

# A frame that cannot be written stops the run with code 1, naming the file.
mkdir -p "$work/blocked/000003.tga"
"$lumaro" -headless -nosound -videosave -w320 -videodir="$work/blocked" 2> "$work/blocked.err"
rc=$?
[ $rc -eq 1 ] || fail "unwritable frame exited $rc"
grep -q "000003.tga" "$work/blocked.err" || fail "the unwritable frame is not named"
[ ! -e "$work/blocked/000004.tga" ] || fail "the run went on after a failed write"

# Music: with the module, missing, truncated and damaged. Each show runs to its end, code 0.
export SDL_AUDIODRIVER=dummy
mkdir -p "$work/good" "$work/missing" "$work/truncated" "$work/damaged"
cp "$song" "$work/good/SongM.xm"
head -c 500 "$song" > "$work/truncated/SongM.xm"
python3 - "$song" "$work/damaged/SongM.xm" <<'PY'
import random, sys
data = bytearray(open(sys.argv[1], 'rb').read())
random.seed(7)
for _ in range(3000):
    data[random.randrange(0, 6000)] = random.randrange(256)
open(sys.argv[2], 'wb').write(data)
PY
for case in good missing truncated damaged; do
  (cd "$work/$case" && "$(program_in "$PWD")" -headless -end=0.6 2> err)
  rc=$?
  [ $rc -eq 0 ] || fail "$case module: exit $rc: $(cat "$work/$case/err")"
  case $case in
    good) ! grep -q "Fehler" "$work/$case/err" || fail "good module reported: $(cat "$work/$case/err")" ;;
    missing|truncated) grep -q "Fehler beim laden des Modules" "$work/$case/err" || fail "$case module: no load message" ;;
  esac
  case $case in  # a missing module names every folder it was looked for in
    missing) grep -q "SongM.xm is in none of $work/missing, $work/share/lumaro, $work/missing" "$work/$case/err" ||
      fail "missing module: the folders are not named: $(cat "$work/$case/err")" ;;
  esac
done

# "-nosound" makes no audio call at all: a broken audio driver goes unnoticed.
(cd "$work/good" && SDL_AUDIODRIVER=nonexistent "$lumaro" -headless -nosound -end=0.3 2> err)
rc=$?
[ $rc -eq 0 ] || fail "-nosound run exited $rc"
! grep -q "Fehler" "$work/good/err" || fail "-nosound touched the audio layer: $(cat "$work/good/err")"

# Without "-nosound" a broken driver means the init dialog, answered Cancel headless: silent show.
(cd "$work/good" && SDL_AUDIODRIVER=nonexistent "$lumaro" -headless -end=0.3 2> err)
rc=$?
[ $rc -eq 0 ] || fail "silent fallback run exited $rc"
grep -q "Fehler beim Initialisieren" "$work/good/err" || fail "no init dialog for a broken audio driver"
# Under the original's text the box says in English what its buttons do.
grep -q "Fehler beim Initialisieren: .*OK .* again.*Cancel .* without sound" "$work/good/err" ||
  fail "the init dialog does not say what OK and Cancel do: $(cat "$work/good/err")"

# ALSA without a sound card prints its own lines; they are folded into our one message.
if [ ! -e /dev/snd ]; then
  (cd "$work/good" && SDL_AUDIODRIVER=alsa "$lumaro" -headless -end=0.3 2> err)
  ! grep -q "ALSA lib" "$work/good/err" && [ "$(wc -l < "$work/good/err")" -eq 1 ] &&
    grep -q "Fehler beim Initialisieren: .*ALSA" "$work/good/err" || fail "ALSA without a card: $(cat "$work/good/err")"
fi

finish e2e_program
