#!/usr/bin/env bash
# What making a video costs beside drawing, one run after another on this machine.
#   800 x 600, 25 fps: drawn only (the timedemo), made into an MP4 with its music, and drawn
#   into TGA files and sound.wav (last: 12 GB of writing would slow the run after it); the
#   MP4's cost against drawing alone, its size, and its PSNR against the TGA frames (both in
#   4:2:0, the frames converted exactly) on the fireworks (40-50 s) and the tunnel (270-272 s).
#   1920 x 1080 widescreen (with "full"): drawn only, and MP4s at 25 and 60 fps.
# usage: bench/capture.sh BUILD_DIR [SCRATCH_DIR] [full]
#   (the TGA run needs about 12 GB in SCRATCH_DIR; "full" adds about half an hour on 2 cores)
set -eu
build=$(realpath "$1")
scratch=$(mktemp -d "${2:-${TMPDIR:-/tmp}}/lumaro-bench.XXXXXX")
full=${3:-}
trap 'rm -rf "$scratch"' EXIT
cd "$build"  # the program reads SongM.xm from its working directory
export SDL_AUDIODRIVER=dummy

now() { date +%s.%N; }
since() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.1f", b - a }'; }
megabytes() { du -sb "$1" | awk '{ printf "%.1f", $1 / 1e6 }'; }
row() { awk -v n="$1" -v t="$2" -v r="$3" -v s="$4" 'BEGIN { printf "%-34s %8.1f %8.2fx %10s\n", n, t, t / r, s }'; }
# Average PSNR of VIDEO against the TGA frames in DIR.
psnr() {
  local first
  first=$(ls "$2" | grep -m1 '\.tga$' | cut -d. -f1)
  ffmpeg -hide_banner -i "$1" -framerate 25 -start_number "$first" -i "$2/%06d.tga" -lavfi \
    "[1]scale=flags=accurate_rnd:out_color_matrix=bt601:out_range=tv,format=yuv420p[r];[0][r]psnr=shortest=1" \
    -f null - 2>&1 | grep -o 'average:[0-9.]*' | cut -d: -f2
}
timed() {  # timed NAME command...: wall seconds into $seconds
  echo "$1 ..." >&2
  local t
  sync  # the last run's writing back to disk must not load this one
  t=$(now)
  shift
  "$@" > /dev/null 2> "$scratch/last.err" || { cat "$scratch/last.err" >&2; exit 1; }
  seconds=$(since "$t")
}

timed "drawing only (-timedemo)" ./lumaro -timedemo -seed=1
draw=$seconds
timed "MP4 with sound (-video)" ./lumaro -video="$scratch/show.mp4" -seed=1
mp4=$seconds
mp4_size=$(megabytes "$scratch/show.mp4")
timed "TGA capture (-videosave)" ./lumaro -headless -videosave -seed=1 -videodir="$scratch/frames"
tga=$seconds
tga_size=$(megabytes "$scratch/frames")
rm -rf "$scratch/frames"
sync

echo "quality: fireworks and tunnel ..." >&2
quality=""
for range in "40 50" "270 272"; do
  set -- $range
  ./lumaro -headless -nosound -videosave -seed=1 -start="$1" -end="$2" -videodir="$scratch/q$1" 2> /dev/null
  ./lumaro -video="$scratch/q$1.mp4" -seed=1 -start="$1" -end="$2" 2> /dev/null
  quality="$quality $1-$2 s: $(psnr "$scratch/q$1.mp4" "$scratch/q$1") dB;"
done

echo "the whole show (8,226 frames) at 800 x 600, $(nproc) cores"
printf "%-34s %8s %9s %10s\n" "run" "wall s" "vs draw" "output MB"
row "drawn only" "$draw" "$draw" "-"
row "TGA frames + sound.wav" "$tga" "$draw" "$tga_size"
row "MP4 with sound" "$mp4" "$draw" "$mp4_size"
echo "MP4 PSNR against the frames:$quality"

[ "$full" = full ] || exit 0
hd=(-size=1920x1080 -widescreen -seed=1)
timed "1080p drawing only" ./lumaro -timedemo "${hd[@]}"
hd_draw=$seconds
timed "1080p25 MP4" ./lumaro -video="$scratch/hd25.mp4" "${hd[@]}"
hd25=$seconds
timed "1080p60 MP4" ./lumaro -video="$scratch/hd60.mp4" -videorate=60 "${hd[@]}"
hd60=$seconds
echo "the whole show at 1920 x 1080, widescreen"
row "drawn only, 25 fps" "$hd_draw" "$hd_draw" "-"
row "MP4 with sound, 25 fps" "$hd25" "$hd_draw" "$(megabytes "$scratch/hd25.mp4")"
row "MP4 with sound, 60 fps" "$hd60" "$hd_draw" "$(megabytes "$scratch/hd60.mp4")"
