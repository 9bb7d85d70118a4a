#!/usr/bin/env bash
# Videos and sound tracks from outside: "-video" into an MP4 with ffprobe's view of it, the
# track of a "-start" range, "-loopsound" past the module's end, "-nosound", a missing
# encoder, an encoder killed mid-run, Ctrl+C mid-run, and threaded against frame-by-frame
# capture.
set -u
lumaro=$(realpath "$1")
song=$(realpath "$2")
source "$(dirname "$0")/e2e_common.sh"
at_exit+=('pkill -P $$ 2>/dev/null')
cp "$song" "$work/SongM.xm"
cd "$work"
export SDL_AUDIODRIVER=dummy

# -video: H.264 at 25 fps of the drawing size, AAC as long as the pictures.
"$lumaro" -video="$work/ten.mp4" -w640 -seed=1 -end=10 2> video.err || fail "-video exited $?: $(cat video.err)"
[ -f ten.mp4 ] && [ ! -e ten.mp4.part ] || fail "no ten.mp4, or its .part left behind"
read -r count first < <(fixed_frames 0 10)
ffprobe -v error -show_entries stream=codec_name,width,height,r_frame_rate,nb_frames,duration -of json ten.mp4 > probe.json
python3 - "$count" <<'PY' || fail "ffprobe's view of the video: $(cat probe.json)"
import json, sys
frames = int(sys.argv[1])
streams = {s['codec_name']: s for s in json.load(open('probe.json'))['streams']}
video, audio = streams['h264'], streams['aac']
assert (video['width'], video['height'], video['r_frame_rate']) == (640, 480, '25/1'), video
assert int(video['nb_frames']) == frames, (video, frames)
assert abs(float(video['duration']) - frames * 0.04) < 1e-3, video
assert abs(float(audio['duration']) - float(video['duration'])) <= 0.04, audio  # within one frame
PY
# Its first picture is the first captured frame.
"$lumaro" -headless -nosound -videosave -w640 -seed=1 -end=0.04 -videodir=first 2> /dev/null
ffmpeg -v error -i ten.mp4 -frames:v 1 -f rawvideo -pix_fmt rgb24 video.rgb
ffmpeg -v error -i first/000001.tga -f rawvideo -pix_fmt rgb24 frame.rgb
python3 - <<'PY' || fail "the video's first frame is not the captured one"
import math
a, b = open('video.rgb', 'rb').read(), open('frame.rgb', 'rb').read()
assert len(a) == len(b) == 640 * 480 * 3, (len(a), len(b))
mse = sum((x - y) ** 2 for x, y in zip(a, b)) / len(a)
psnr = 10 * math.log10(255 ** 2 / mse) if mse else 99
print('first frame PSNR %.1f dB' % psnr)
assert psnr > 30
PY

# A range's track starts at its first frame's module position and lasts its frames.
"$lumaro" -headless -videosave -w320 -seed=1 -start=3.9 -end=4.2 -videodir=range 2> /dev/null || fail "range run failed"
read -r count first < <(fixed_frames 3.9 4.2)
size=$(stat -c %s range/sound.wav)
[ "$size" -eq $((44 + count * 1920 * 8)) ] || fail "range track has $size bytes for $count frames"
# Past the module's end: looped music keeps playing, music played once falls silent.
rms() { python3 -c "
import array, sys
s = array.array('f', open(sys.argv[1], 'rb').read()[44:])[-2 * 4800:]
print('%.6f' % (sum(x * x for x in s) / len(s)) ** 0.5)" "$1"; }
"$lumaro" -headless -videosave -w320 -start=328.1 -videodir=once 2> /dev/null
"$lumaro" -headless -videosave -loopsound -w320 -start=328.1 -videodir=loop 2> /dev/null
once=$(rms once/sound.wav)
loop=$(rms loop/sound.wav)
awk -v a="$once" -v b="$loop" 'BEGIN { exit !(a == 0 && b > 0.001) }' || fail "past the end: once $once, looped $loop"
"$lumaro" -headless -nosound -videosave -w320 -end=0.2 -videodir=silent 2> /dev/null
[ ! -e silent/sound.wav ] || fail "-nosound wrote a track"

# Threaded capture, read straight or through pack buffers (as on a graphics card), writes
# exactly what frame-by-frame capture writes.
for way in direct pack sync; do
  "$lumaro" -readback=$way -headless -videosave -w320 -seed=3 -start=33 -end=36 -videodir=$way 2> /dev/null
  (cd $way && md5sum *) > $way.md5
done
[ "$(wc -l < sync.md5)" -gt 70 ] || fail "frame-by-frame capture wrote $(wc -l < sync.md5) files"
for way in direct pack; do
  cmp -s $way.md5 sync.md5 || fail "-readback=$way capture differs from frame-by-frame capture"
done

# No encoder: refused before any window or frame, nothing on disk.
PATH=/nonexistent "$lumaro" -video="$work/none.mp4" -end=1 2> none.err
rc=$?
[ $rc -eq 1 ] || fail "missing encoder exited $rc"
grep -q "ffmpeg" none.err || fail "missing encoder: no word of ffmpeg: $(cat none.err)"
ls none.mp4* > /dev/null 2>&1 && fail "missing encoder left a file"

# No module for the sound track: the run ends with the reason, and the encoder it had
# started with it (it once waited for the rest of its input, and the run for it, for ever).
mkdir nomodule
( cd nomodule && timeout 60 "$(program_in "$work/nomodule")" -headless -video=v.mp4 -w320 -end=1 2> ../nomodule.err )
rc=$?
[ $rc -eq 1 ] && grep -q "SongM.xm" nomodule.err || fail "-video without a module: exit $rc: $(cat nomodule.err)"
ls nomodule/v.mp4* > /dev/null 2>&1 && fail "-video without a module left a file"

# Wait until a video run has written some frames, then do something to it.
started() { for _ in $(seq 100); do [ -s "$1" ] && return 0; sleep 0.1; done; return 1; }
"$lumaro" -video="$work/killed.mp4" -w320 2> killed.err &
pid=$!
started killed.mp4.part && pkill -f "ffmpeg.*killed.mp4.part"
wait $pid
rc=$?
[ $rc -eq 1 ] || fail "killed encoder: exit $rc"
[ ! -e killed.mp4 ] || fail "killed encoder: a video was named killed.mp4"
grep -qE "the video encoder \(ffmpeg\) (exited with code [1-9]|was killed)" killed.err &&
  grep -q "killed.mp4.part is left as the encoder left it" killed.err ||
  fail "killed encoder: the message does not say how it ended or what is left: $(cat killed.err)"

"$lumaro" -video="$work/stopped.mp4" -w320 2> stopped.err &
pid=$!
started stopped.mp4.part && kill -INT $pid
wait $pid
rc=$?
[ $rc -eq 130 ] || fail "Ctrl+C exited $rc"
[ ! -e stopped.mp4 ] || fail "an interrupted video looks complete"
grep -q "stopped.mp4.part" stopped.err || fail "Ctrl+C does not say what is left: $(cat stopped.err)"

finish e2e_video
