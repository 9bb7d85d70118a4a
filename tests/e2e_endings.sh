#!/usr/bin/env bash
# How runs end: every way a capture or a video can fail at its end gives exit 1, a message
# with the cause, and a last line that says what is on disk; signals end a run within
# seconds even when the encoder stalls; closed stderr changes nothing on disk; the video's
# name is a file name whatever it looks like.
set -u
lumaro=$(realpath "$1")
source "$(dirname "$0")/e2e_common.sh"
at_exit+=('pkill -P $$ 2>/dev/null' 'pkill -CONT -f "lumaro-stop-test" 2>/dev/null' 'pkill -f lumaro-stalled-probe' 'mountpoint -q "$work/small" && umount "$work/small"')
cd "$work"
export SDL_AUDIODRIVER=dummy
real_ffmpeg=$(command -v ffmpeg)
mkdir bin
frame=$((18 + 320 * 240 * 3))

# Stand-ins for ffmpeg: the real one, then a failing end.
fake() {  # NAME, what to do after the real encoder ran
  cat > "bin/$1" <<EOF
#!/usr/bin/env bash
case " \$* " in *" -encoders "*) exec "$real_ffmpeg" "\$@" ;; esac
"$real_ffmpeg" "\$@"
out="\${@: -1}"; out="\${out#file:}"
$2
EOF
  chmod +x "bin/$1"
}
fake exits1 'exit 1'
fake trailer 'truncate -s 1000 "$out"; echo "Error writing trailer of $out: No space left on device" >&2; exit 0'

# case: expected exit, a pattern the messages must hold, then the check of what is on disk.
run() {  # NAME EXPECTED-EXIT PATTERN COMMAND...
  local name=$1 expected=$2 pattern=$3
  shift 3
  "$@" > /dev/null 2> "$name.err"
  local rc=$?
  [ $rc -eq "$expected" ] || fail "$name: exit $rc, not $expected: $(cat "$name.err")"
  grep -qE -- "$pattern" "$name.err" || fail "$name: no '$pattern' in: $(cat "$name.err")"
}
frames_in() { ls "$1" 2> /dev/null | grep -c '^[0-9]*\.tga$'; }

# A directory at the video's name: refused before drawing, or, made while the video is
# recorded, the part file stays and says why.
mkdir taken.mp4
run dir-as-video 1 "cannot write .*taken.mp4: it is a directory" "$lumaro" -headless -w320 -end=0.4 -video=taken.mp4
[ -e taken.mp4.part ] && fail "dir-as-video: refused, yet a part file was made"
("$lumaro" -headless -w320 -end=4 -video=late.mp4 > /dev/null 2> late.err; echo $? > late.rc) &
for _ in $(seq 100); do [ -f late.mp4.part ] && break; sleep 0.05; done
mkdir late.mp4; wait
[ "$(cat late.rc)" -eq 1 ] && grep -q "cannot name the video .*late.mp4" late.err || fail "dir made late: $(cat late.err)"
[ -f late.mp4.part ] || fail "dir made late: the part file did not stay"

mkdir -p bin/exits1-dir bin/trailer-dir
cp bin/exits1 bin/exits1-dir/ffmpeg
cp bin/trailer bin/trailer-dir/ffmpeg
run encoder-exits-1 1 "exited with code 1" env PATH="$work/bin/exits1-dir:$PATH" "$lumaro" -headless -w320 -end=0.4 -video=e1.mp4
[ ! -e e1.mp4 ] && [ -e e1.mp4.part ] || fail "encoder-exits-1: a video was named, or its part went"
run bad-trailer 1 "Error writing trailer" env PATH="$work/bin/trailer-dir:$PATH" "$lumaro" -headless -w320 -end=0.4 -video=t.mp4
[ ! -e t.mp4 ] || fail "bad-trailer: the cut video was named t.mp4"

# A frame's name taken by a directory: the frames before it, and their sound, are what is on disk.
mkdir -p named/000005.tga
run name-taken 1 "cannot write .*000005.tga" "$lumaro" -headless -w320 -videosave -end=1 -videodir=named
grep -q "on disk: 4 frames, 000001.tga to 000004.tga" name-taken.err || fail "name-taken: $(tail -1 name-taken.err)"
[ "$(stat -c %s named/sound.wav)" -eq $((44 + 4 * 1920 * 8)) ] || fail "name-taken: sound.wav does not match 4 frames"

# The folder removed in the middle of the run.
("$lumaro" -headless -w320 -videosave -videodir=gone -end=120 > /dev/null 2> gone.err; echo $? > gone.rc) &
sleep 1.5; mv gone gone-away; rm -rf gone-away; wait
[ "$(cat gone.rc)" -eq 1 ] && grep -q "on disk: no frame" gone.err || fail "folder removed: $(cat gone.rc): $(cat gone.err)"

# A disk that fills near the end: the summary counts what is there, the track matches it.
mkdir small && mount -t tmpfs -o size=4m tmpfs small 2> /dev/null || echo "no tmpfs here: the full disk case is left out"
if mountpoint -q small; then
  run disk-full 1 "No space left on device" "$lumaro" -headless -w320 -videosave -end=1 -videodir=small/frames
  have=$(frames_in small/frames)
  grep -q "on disk: $have frames" disk-full.err || fail "disk-full: $have frames on disk, said: $(tail -1 disk-full.err)"
  wav=$(stat -c %s small/frames/sound.wav)
  [ "$wav" -eq $((44 + have * 1920 * 8)) ] || fail "disk-full: sound.wav has $wav bytes for $have frames"
  python3 - small/frames/sound.wav "$have" <<'PY' || fail "disk-full: sound.wav's header does not say its length"
import struct, sys
data = open(sys.argv[1], 'rb').read(44)
assert struct.unpack('<I', data[40:44])[0] == int(sys.argv[2]) * 1920 * 8
PY
fi

# Closed stderr: the progress line and messages go nowhere, not into a frame or the track.
"$lumaro" -headless -w320 -videosave -end=1 -seed=2 -videodir=open -progress 2> /dev/null
"$lumaro" -headless -w320 -videosave -end=1 -seed=2 -videodir=closed -progress 2>&-
for f in open/*; do cmp -s "$f" "closed/$(basename "$f")" || fail "closed stderr changed $(basename "$f")"; done

# Signals: SIGHUP ends a capture as SIGTERM does; SIGINT with a stopped encoder ends the run
# within seconds, and no encoder is left behind.
("$lumaro" -headless -w320 -videosave -videodir=hup > /dev/null 2> hup.err; echo $? > hup.rc) &
sleep 1.5; pkill -HUP -f "lumaro -headless -w320 -videosave -videodir=hup"; wait
[ "$(cat hup.rc)" -eq 129 ] && grep -q "interrupted at demo time" hup.err || fail "SIGHUP: $(cat hup.rc): $(cat hup.err)"
[ "$(stat -c %s hup/sound.wav)" -eq $((44 + $(frames_in hup) * 1920 * 8)) ] || fail "SIGHUP: the track does not match"
ls hup | grep -q part && fail "SIGHUP left a part file: $(ls hup | grep part)"
("$lumaro" -headless -w320 -video=lumaro-stop-test.mp4 > /dev/null 2> stop.err; echo $? > stop.rc) &
sleep 1.5
pkill -STOP -f "lumaro-stop-test"; sleep 0.3; pkill -CONT -f "lumaro -headless"  # only ffmpeg stays stopped
started=$(date +%s)
pkill -INT -f "lumaro -headless -w320 -video=lumaro-stop-test"; wait
took=$(( $(date +%s) - started ))
[ "$(cat stop.rc)" -eq 130 ] && [ $took -le 8 ] || fail "SIGINT, stalled encoder: exit $(cat stop.rc) after $took s"
pgrep -f "lumaro-stop-test" > /dev/null && fail "an encoder was left running"

# A stalled ffprobe: SIGTERM to the program, or Ctrl+C to the terminal's process group, ends
# the run within seconds as interrupted, and no ffprobe is left behind.
real_ffprobe=$(command -v ffprobe)
mkdir bin/stalled-probe
cat > bin/stalled-probe/ffprobe <<EOF
#!/usr/bin/env bash
case " \$* " in *" -version "*) exec "$real_ffprobe" "\$@" ;; esac
touch "$work/probing"
exec -a lumaro-stalled-probe sleep 60
EOF
chmod +x bin/stalled-probe/ffprobe
for signal in TERM:143 INT:130; do
  name=SIG${signal%%:*}
  rm -f probing probe.rc
  # setsid: a process group of its own, as a terminal gives the command it runs
  (env PATH="$work/bin/stalled-probe:$PATH" setsid "$lumaro" -headless -w320 -end=0.4 -video=probe.mp4 \
    > /dev/null 2> probe.err; echo $? > probe.rc) &
  for _ in $(seq 300); do [ -e probing ] && break; sleep 0.1; done
  [ -e probing ] || fail "$name, stalled ffprobe: it never ran: $(cat probe.err)"
  group=$(pgrep -f "lumaro -headless -w320 -end=0.4 -video=probe.mp4")
  started=$(date +%s)
  if [ $name = SIGINT ]; then kill -INT -- -"$group"; else kill -TERM "$group"; fi
  for _ in $(seq 100); do [ -e probe.rc ] && break; sleep 0.1; done
  took=$(($(date +%s) - started))
  [ "$(cat probe.rc 2> /dev/null)" = "${signal##*:}" ] && [ $took -le 10 ] ||
    fail "$name, stalled ffprobe: exit $(cat probe.rc 2> /dev/null) after $took s: $(cat probe.err)"
  tail -1 probe.err | grep -q "interrupted" || fail "$name, stalled ffprobe: the last line is: $(tail -1 probe.err)"
  pgrep -f lumaro-stalled-probe > /dev/null && fail "$name: a stalled ffprobe was left running"
  pkill -f lumaro-stalled-probe
  wait
done

# Names that look like options or protocols are file names.
"$lumaro" -headless -w320 -end=0.3 "-video=-x.mp4" 2> /dev/null && [ -f ./-x.mp4 ] || fail "-video=-x.mp4 did not land as -x.mp4"
"$lumaro" -headless -w320 -end=0.3 "-video=file:f.mp4" 2> /dev/null && [ -f "file:f.mp4" ] || fail "-video=file:f.mp4 did not land as file:f.mp4"
[ ! -e f.mp4 ] && [ ! -e f.mp4.part ] || fail "ffmpeg read file: as its protocol"

finish e2e_endings
