#!/usr/bin/env bash
# Videos for today's screens, from outside: a 1920 x 1080 video is tagged BT.709 at its rate
# and, decoded as its tags say, shows the frame the program drew; the 4:3 show has black bars
# of the right width and "-widescreen" none; a small video is tagged BT.601; "-videorate=60"
# counts its frames by 1/60 s, gives each 800 samples and shows what 25 fps shows at the
# same moment; the encoder runs behind the drawing, at the lowest priority.
set -u
lumaro=$(realpath "$1")
song=$(realpath "$2")
source "$(dirname "$0")/e2e_common.sh"
cp "$song" "$work/SongM.xm"
cd "$work"
export SDL_AUDIODRIVER=dummy

# Fixed-clock frames of a run to END at RATE frames a second.
frames_to() { fixed_frames 0 "$1" "$2" | cut -d' ' -f1; }
# The video stream's FIELDs, in the order asked.
probe() {
  local video=$1 field
  shift
  for field; do ffprobe -v error -select_streams v:0 -show_entries "stream=$field" -of default=nw=1:nk=1 "$video"; done |
    paste -sd' '
}
# PSNR (dB) of the first frame of VIDEO, decoded to RGB with MATRIX, against TGA.
first_frame_psnr() {
  ffmpeg -v error -y -i "$1" -frames:v 1 -vf "scale=in_color_matrix=$3:in_range=tv,format=rgb24" decoded.png
  convert "$2" -auto-orient drawn.png  # a TGA's rows start at the bottom
  compare -metric PSNR decoded.png drawn.png null: 2>&1 | cut -d' ' -f1
}
above() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a == "inf" || a + 0 > b) }'; }
# The mean level (0-255) of a picture's columns from X, W wide.
columns_mean() { convert "$1" -auto-orient -crop "${3}x100000+$2+0" -colorspace Gray -format '%[fx:255*mean]' info:; }

# HD: the 4:3 show in the middle of 1920 x 1080, tagged and converted as BT.709.
"$lumaro" -video=hd.mp4 -size=1920x1080 -seed=1 -start=42 -end=42.4 2> hd.err || fail "1080p video: $(cat hd.err)"
"$lumaro" -headless -nosound -videosave -size=1920x1080 -seed=1 -start=42 -end=42.04 -videodir=hd 2> /dev/null
hd_frame=$(ls hd/*.tga | head -1)
[ "$(probe hd.mp4 width height r_frame_rate)" = "1920 1080 25/1" ] || fail "1080p: $(probe hd.mp4 width height r_frame_rate)"
tags=$(probe hd.mp4 color_space color_primaries color_transfer color_range)
[ "$tags" = "bt709 bt709 bt709 tv" ] || fail "1080p colour tags: $tags"
db=$(first_frame_psnr hd.mp4 "$hd_frame" bt709)
above "$db" 38 || fail "1080p decoded as tagged: $db dB from the drawn frame"
wrong=$(first_frame_psnr hd.mp4 "$hd_frame" bt601)
above "$db" "$wrong" || fail "decoded with the other matrix it is no worse ($wrong dB against $db dB)"
# 1440 wide in the middle: 240 black columns each side, the picture right beside them.
for x in 0 1680; do
  [ "$(columns_mean "$hd_frame" $x 240)" = 0 ] || fail "1080p: the bar at $x is not black"
done
above "$(columns_mean "$hd_frame" 240 60)" 1 || fail "1080p: the picture does not start at column 240"

# Widescreen: the show fills the frame, the backdrop out to both edges.
"$lumaro" -headless -nosound -videosave -size=1280x720 -widescreen -seed=1 -start=42 -end=42.04 -videodir=wide 2> /dev/null
for x in 0 1240; do
  above "$(columns_mean "$(ls wide/*.tga | head -1)" $x 40)" 1 || fail "widescreen: black at the edge $x"
done

# Below 720 lines: BT.601, as players assume there.
"$lumaro" -headless -video=sd.mp4 -w640 -seed=1 -end=0.2 2> sd.err || fail "640 x 480 video: $(cat sd.err)"
[ "$(probe sd.mp4 color_space color_range)" = "smpte170m tv" ] || fail "sd tags: $(probe sd.mp4 color_space color_range)"

# 60 frames a second: the count, the sound, the same picture at the same moment.
count=$(frames_to 2 60)
"$lumaro" -headless -videosave -videorate=60 -w320 -seed=1 -end=2 -videodir=sixty 2> sixty.err || fail "-videorate=60: $(cat sixty.err)"
[ "$(ls sixty/*.tga | wc -l)" -eq "$count" ] || fail "60 fps to 2 s: $(ls sixty/*.tga | wc -l) frames, not $count"
[ "$(stat -c %s sixty/sound.wav)" -eq $((44 + count * 800 * 8)) ] || fail "60 fps: not 800 samples a frame"
"$lumaro" -headless -nosound -videosave -w320 -seed=1 -end=1.04 -videodir=twentyfive 2> /dev/null
# The caption card turns with the clock alone: frame 60 at 60 fps and frame 25 at 25 fps both
# show 1 s; the next frame at 25 fps shows it 1.8 degrees on.
same=$(compare -metric PSNR sixty/000060.tga twentyfive/000025.tga null: 2>&1 | cut -d' ' -f1)
next=$(compare -metric PSNR sixty/000060.tga twentyfive/000026.tga null: 2>&1 | cut -d' ' -f1)
above "$same" 45 || fail "1 s at 60 fps and at 25 fps differ: $same dB"
above "$same" "$next" || fail "1 s at 60 fps is no closer to 1 s at 25 fps ($same dB) than to 1.04 s ($next dB)"
"$lumaro" -headless -video=sixty.mp4 -videorate=60 -w320 -seed=1 -end=1 2> /dev/null || fail "60 fps video"
[ "$(probe sixty.mp4 r_frame_rate nb_frames)" = "60/1 $(frames_to 1 60)" ] || fail "60 fps video: $(probe sixty.mp4 r_frame_rate nb_frames)"

# The encoder gives way to the drawing: ffmpeg at niceness 19, the program at its own.
"$lumaro" -headless -video=nice.mp4 -w320 -seed=1 -end=4 2> nice.err &
program=$!
encoder_nice="" program_nice=""
for _ in $(seq 200); do
  if encoder=$(pgrep -P "$program" -f "ffmpeg .*pipe:3"); then  # not the check of its encoders
    encoder_nice=$(ps -o ni= -p "$encoder" | tr -d ' ')
    program_nice=$(ps -o ni= -p "$program" | tr -d ' ')
    break
  fi
  sleep 0.05
done
wait "$program" || fail "the video beside the priority check: $(cat nice.err)"
own_nice=$(ps -o ni= -p $$ | tr -d ' ')  # a test run under nice starts the program there too
[ "$encoder_nice" = 19 ] && [ "$program_nice" = "$own_nice" ] ||
  fail "niceness: encoder '$encoder_nice', program '$program_nice' (want 19 and $own_nice)"

finish e2e_formats
