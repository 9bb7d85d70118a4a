#!/usr/bin/env bash
# The whole show at 800 x 600, three ways, one after another on this machine: drawn only (the
# timedemo), drawn with TGA capture and its sound track, and made into an MP4 with its music.
# Prints each run's wall time and output size against rendering alone.
# usage: bench/capture.sh BUILD_DIR [SCRATCH_DIR]   (the TGA run needs about 12 GB there)
set -eu
build=$(realpath "$1")
scratch=$(mktemp -d "${2:-${TMPDIR:-/tmp}}/lumaro-bench.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
cd "$build"  # the program reads SongM.xm from its working directory
export SDL_AUDIODRIVER=dummy

now() { date +%s.%N; }
since() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.1f", b - a }'; }
megabytes() { du -sb "$1" | awk '{ printf "%.1f", $1 / 1e6 }'; }

echo "drawing only (-timedemo) ..." >&2
t=$(now); ./lumaro -timedemo -seed=1 > "$scratch/timedemo.txt"; render=$(since "$t")
echo "TGA capture (-videosave) ..." >&2
t=$(now); ./lumaro -headless -videosave -seed=1 -videodir="$scratch/frames" 2> "$scratch/videosave.err"; tga=$(since "$t")
tga_size=$(megabytes "$scratch/frames"); rm -rf "$scratch/frames"
echo "MP4 with sound (-video) ..." >&2
t=$(now); ./lumaro -video="$scratch/show.mp4" -seed=1 2> "$scratch/video.err"; mp4=$(since "$t")
mp4_size=$(megabytes "$scratch/show.mp4")

echo "the whole show (8,226 frames) at 800 x 600, $(nproc) cores, $(grep -o 'on .*' "$scratch/timedemo.txt" | head -1)"
awk -v r="$render" -v t="$tga" -v m="$mp4" -v ts="$tga_size" -v ms="$mp4_size" 'BEGIN {
  printf "%-26s %8s %9s %10s\n", "run", "wall s", "vs draw", "output MB"
  printf "%-26s %8.1f %9s %10s\n", "drawn only", r, "", "-"
  printf "%-26s %8.1f %+8.0f%% %10.1f   (goal: at most +15%%)\n", "TGA frames + sound.wav", t, 100 * (t - r) / r, ts
  printf "%-26s %8.1f %+8.0f%% %10.1f   (goal: under 329 s)\n", "MP4 with sound", m, 100 * (m - r) / r, ms
}'
