#!/usr/bin/env bash
# Bad input from outside: a FIFO as the module, values outside the show, values of our
# options that look like switches, unknown arguments, no display, a full disk, Ctrl+C and
# SIGTERM in the middle of a capture, a link at a frame's name, and frames of an earlier run.
set -u
lumaro=$(realpath "$1")
song=$(realpath "$2")
source "$(dirname "$0")/e2e_common.sh"
at_exit+=('pkill -P $$ 2>/dev/null' 'mountpoint -q "$work/full" && umount "$work/full"')
cd "$work"
export SDL_AUDIODRIVER=dummy
frame=$((18 + 320 * 240 * 3))

# A FIFO named SongM.xm is not waited on: the show goes on silently and says why.
mkdir fifo && mkfifo fifo/SongM.xm
(cd fifo && timeout 20 "$(program_in "$PWD")" -headless -end=0.3 2> err)
rc=$?
[ $rc -eq 0 ] || fail "FIFO module: exit $rc"
grep -q "not a regular file" fifo/err || fail "FIFO module: $(cat fifo/err)"
# Other files that are no module say what they are.
mkdir -p empty noise folder/SongM.xm damaged
: > empty/SongM.xm
head -c 4000 /dev/urandom > noise/SongM.xm
python3 - "$song" damaged/SongM.xm <<'PY'
import sys
data = bytearray(open(sys.argv[1], 'rb').read())
data[60:64] = (70000).to_bytes(4, 'little')        # a header length no writer writes
open(sys.argv[2], 'wb').write(data)
PY
for case in empty:empty noise:"not an XM module" folder:"not a regular file" damaged:"damaged module"; do
  dir=${case%%:*}
  (cd "$dir" && timeout 20 "$(program_in "$PWD")" -headless -end=0.2 2> err)
  grep -q "${case#*:}" "$dir/err" || fail "$dir module: $(cat "$dir/err")"
done

# Values outside the show, or no numbers, are refused before anything starts (exit 2).
for bad in "-start=1e7 -videosave" "-start=inf -videosave" "-start=-5" "-end=0" "-end=400" "-start=9 -end=3" \
           "-seed=abc" "-seed=" "-seed=99999999999"; do
  timeout 10 "$lumaro" -headless -nosound $bad 2> bad.err
  rc=$?
  [ $rc -eq 2 ] || fail "'$bad': exit $rc"
  grep -q -- "${bad%% *}" bad.err || fail "'$bad': the value is not named: $(cat bad.err)"
done

# Values of our options are never read as switches.
"$lumaro" -headless -nosound -videosave -end=0.2 -videodir=take-w320 2> /dev/null
size=$(stat -c %s take-w320/000001.tga 2>/dev/null || echo 0)
[ "$size" -eq $((18 + 800 * 600 * 3)) ] || fail "-videodir=take-w320 changed the size ($size bytes)"
"$lumaro" -headless -nosound -videosave -w320 -end=0.4 -videodir=a-end=0.12 2> /dev/null
[ "$(ls a-end=0.12 | wc -l)" -ge 10 ] || fail "-videodir=a-end=0.12 stopped the run: $(ls a-end=0.12 | wc -l) frames"
"$lumaro" -headless -nosound -videosave -w320 -end=0.1 -videodir=x/-help > help.out 2> /dev/null
[ -f x/-help/000001.tga ] && ! grep -q usage help.out || fail "-videodir=x/-help printed help instead of rendering"

# An argument that holds no option is refused with its name (exit 2), and so is a size
# switch with more digits after it ("-w8000" holds "-w800" but is no size of ours).
for bad in -w700 -fast window -w8000 -w3200; do
  timeout 10 "$lumaro" -headless -nosound $bad -end=0.1 2> bad.err
  rc=$?
  [ $rc -eq 2 ] && grep -q -- "$bad" bad.err || fail "'$bad': exit $rc: $(cat bad.err)"
done
grep -q -- "not one of the sizes" <("$lumaro" -w700 2>&1) || fail "-w700 is not said to be no size"
"$lumaro" -headless 2> headless.err
rc=$?
[ $rc -eq 2 ] && grep -q -- "-headless draws where nobody sees it" headless.err || fail "-headless alone: exit $rc"

# No display: an error for a show nobody would see, offscreen with one line for a capture.
env -u DISPLAY -u WAYLAND_DISPLAY "$lumaro" -nosound -end=0.3 2> nodisplay.err
rc=$?
[ $rc -eq 1 ] && grep -q -- "-headless" nodisplay.err || fail "no display, no capture: exit $rc: $(cat nodisplay.err)"
env -u DISPLAY -u WAYLAND_DISPLAY "$lumaro" -nosound -videosave -w320 -end=0.2 -videodir=nodisplay 2> nodisplay.err
[ $? -eq 0 ] && grep -q "rendering offscreen" nodisplay.err || fail "no display, capturing: $(cat nodisplay.err)"

# A link at a frame's name is replaced, not followed.
mkdir linked && echo "keep me" > target && ln -s "$work/target" linked/000002.tga
"$lumaro" -headless -nosound -videosave -w320 -end=0.1 -videodir=linked 2> /dev/null
[ "$(cat target)" = "keep me" ] || fail "the link's target was overwritten"
[ -f linked/000002.tga ] && [ ! -L linked/000002.tga ] || fail "the link is still there"

# Frames of an earlier, longer run: a warning first, and a summary of what this run wrote.
"$lumaro" -headless -nosound -videosave -w320 -end=1 -videodir=again 2> /dev/null
"$lumaro" -headless -nosound -videosave -w320 -end=0.5 -videodir=again 2> again.err
grep -q "already holds 25 numbered frames (000001.tga to 000025.tga)" again.err ||
  fail "no warning of old frames: $(cat again.err)"
grep -q "wrote 13 frames, 000001.tga to 000013.tga" again.err || fail "no summary: $(cat again.err)"

# Ctrl+C and SIGTERM mid-capture: 130 and 143, where it stopped, every frame up to there whole.
for signal in INT:130 TERM:143; do
  "$lumaro" -headless -nosound -videosave -w320 -videodir="stop${signal%%:*}" 2> stop.err &
  pid=$!
  for _ in $(seq 100); do [ -f "stop${signal%%:*}/000030.tga" ] && break; sleep 0.1; done
  kill -"${signal%%:*}" $pid
  wait $pid
  rc=$?
  [ $rc -eq "${signal#*:}" ] || fail "SIG${signal%%:*} mid-capture: exit $rc"
  last=$(sed -n 's/.*interrupted at demo time .* to \([0-9]*\)\.tga .*/\1/p' stop.err)
  [ -n "$last" ] && [ "$(ls "stop${signal%%:*}" | tail -1)" = "$last.tga" ] || fail "SIG${signal%%:*}: $(cat stop.err)"
  for f in "stop${signal%%:*}"/*; do [ "$(stat -c %s "$f")" -eq $frame ] || fail "$f is not whole"; done
done

# A full disk: the run stops with exit 1 naming the file; every frame left is whole.
if [ "$(id -u)" -eq 0 ] && mkdir full && mount -t tmpfs -o size=3M tmpfs full 2> /dev/null; then
  "$lumaro" -headless -nosound -videosave -w320 -progress -videodir=full 2> full.err
  rc=$?
  [ $rc -eq 1 ] || fail "full disk: exit $rc"
  grep -q "No space left on device" full.err && grep -q "\.tga" full.err || fail "full disk: $(tail -2 full.err)"
  for f in full/*; do [ "$(stat -c %s "$f")" -eq $frame ] || fail "$f was left half-written"; done
  # and no progress line after the error
  tail -c 300 full.err | tr '\r' '\n' | tail -1 | grep -q "^frame" && fail "a progress line after the error"
  umount full
else
  echo "skipped the full-disk case (needs root to mount a tmpfs)"
fi

# Values with spaces land at the whole path; a value given twice or empty is refused.
mkdir -p "my videos"
"$lumaro" -headless -w320 -end=0.3 "-video=my videos/show one.mp4" 2> /dev/null || fail "a video name with spaces"
[ -f "my videos/show one.mp4" ] || fail "the video with a space in its name is not where asked: $(ls "my videos")"
"$lumaro" -headless -nosound -w320 -end=0.2 -videosave "-videodir=my videos/frames here" 2> /dev/null
[ -f "my videos/frames here/000001.tga" ] || fail "frames in a folder with spaces are not where asked"
"$lumaro" -w320 -end=0.2 "-timedemo=my videos/t d.csv" > /dev/null 2>&1
[ -f "my videos/t d.csv" ] && [ -f "my videos/t d-frames.csv" ] || fail "the timedemo's CSV with spaces: $(ls "my videos")"
for twice in "-end=1 -end=abc" "-seed=1 -seed=2" "-videodir= -videosave"; do
  timeout 10 "$lumaro" -headless $twice 2> twice.err
  rc=$?
  [ $rc -eq 2 ] || fail "'$twice': exit $rc, not 2: $(cat twice.err)"
done

# The everyday answers: help, version, an argument that holds no option.
for help in -h -help --help; do
  out=$("$lumaro" $help 2>&1)
  [ $? -eq 0 ] && echo "$out" | grep -q "^usage: lumaro" || fail "$help: $out"
done
"$lumaro" --version | grep -q "^lumaro [0-9]*\.[0-9]*\.[0-9]*$" || fail "--version: $("$lumaro" --version)"
"$lumaro" -version > /dev/null || fail "-version exited $?"
timeout 10 "$lumaro" hello 2> word.err
[ $? -eq 2 ] && grep -q "'hello' is no option" word.err || fail "an argument with no option: $(cat word.err)"

# A capture never opens the audio device: a broken driver raises no dialog and the track is there.
SDL_AUDIODRIVER=nonexistent "$lumaro" -headless -w320 -videosave -end=0.5 -videodir=nodevice 2> nodevice.err ||
  fail "capture with a broken audio driver exited $?"
! grep -q "Fehler" nodevice.err && [ -s nodevice/sound.wav ] || fail "capture touched the audio device: $(cat nodevice.err)"

finish e2e_robust
