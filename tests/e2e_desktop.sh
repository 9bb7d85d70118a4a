#!/usr/bin/env bash
# The show on a 1920 x 1080 desktop, with a window manager (openbox) and without: full screen
# at three drawing sizes and a window resized to an odd shape all show the 4:3 picture whole,
# centred and unstretched between black bars, the logo in its corner; a capture started in
# full screen writes frames of the drawing size, the same as offscreen; "-size" in a window.
set -u
lumaro=$1
source "$(dirname "$0")/e2e_common.sh"
source "$(dirname "$0")/e2e_x.sh"

# The metaballs among the stars: no black at the frame's edges, and the logo.
show_at=-start=316

for manager in wm none; do
  start_x 1920x1080 $manager
  for size in 640x480 800x600 1600x1200; do
    if start_show -nosound -w${size%x*} $show_at; then
      shoot root "$work/screen.png"
      check_picture "$work/screen.png" ${size%x*} ${size#*x} 1920 1080 "full screen at -w${size%x*} ($manager)"
      end_show "Escape in full screen"
    fi
  done

  # A window made wide and low, then tall and narrow, by hand.
  if start_show -nosound -window -w800 $show_at; then
    for shape in 1200x400 500x900; do
      xdotool windowsize --sync "$window" ${shape%x*} ${shape#*x} 2> /dev/null || xdotool windowsize "$window" ${shape%x*} ${shape#*x}
      sleep 0.7
      shoot "$window" "$work/window.png"
      read -r got _ <<< "$(identify -format '%w %h' "$work/window.png")"
      check_picture "$work/window.png" 800 600 ${shape%x*} ${shape#*x} "a window resized to $shape ($manager, ${got}px wide)"
    done
    end_show "Escape in a resized window"
  fi
done

# "-size" in a window: the window takes the frame's size and shows what the video would, the
# 4:3 show between bars, or filling the frame with -widescreen.
for wide in "" -widescreen; do
  if start_show -nosound -window -size=1280x720 $wide $show_at; then
    shoot "$window" "$work/sized.png"
    got=$(identify -format '%wx%h' "$work/sized.png")
    [ "$got" = 1280x720 ] || fail "a window for -size=1280x720 $wide is $got"
    if [ -n "$wide" ]; then shape="1280 720"; else shape="4 3"; fi
    check_picture "$work/sized.png" $shape 1280 720 "a window for -size=1280x720 $wide"
    end_show "Escape in a sized window"
  fi
done

# A capture in full screen under the window manager: the window fills the screen, the files
# hold the drawing size, and match those drawn offscreen.
start_x 1920x1080 wm
"$lumaro" -nosound -videosave -w640 -seed=2 -end=2.2 -videodir="$work/screen" 2> "$work/err" ||
  fail "a capture in full screen failed: $(cat "$work/err")"
"$lumaro" -headless -nosound -videosave -w640 -seed=2 -end=2.2 -videodir="$work/offscreen" 2> /dev/null
frames=$(ls "$work/screen" | grep -c 'tga$')
expected=$(ls "$work/offscreen" | grep -c 'tga$')
[ "$frames" -eq "$expected" ] || fail "a capture in full screen wrote $frames frames, offscreen $expected"
dimensions=$(identify -format '%wx%h' "$work/screen/000055.tga" 2>&1)
[ "$dimensions" = 640x480 ] || fail "a capture in full screen wrote $dimensions frames, not 640x480"
# (The window's GL and the offscreen one may round a few pixels differently: compare closely.)
psnr=$(compare -metric PSNR "$work/screen/000055.tga" "$work/offscreen/000055.tga" null: 2>&1)
awk -v p="$psnr" 'BEGIN { exit !(p + 0 > 40 || p == "inf") }' ||
  fail "a capture in full screen differs from the offscreen one: PSNR $psnr"

finish e2e_desktop
