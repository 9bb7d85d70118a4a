#!/usr/bin/env bash
# A real window under Xvfb with a window manager: title "Lumaro" and the desktop entry's
# icon, Escape quits within a second, the right-click menu opens inside the window at each corner and its items work,
# a window destroyed by another client ends the run cleanly, and the player's keys: Space
# holds picture and clock, Left and Right land on scene starts, F toggles full screen,
# "-loop" plays on; a minimised window draws nothing; Escape cuts a recording short, and says so.
set -u
lumaro=$1
source "$(dirname "$0")/e2e_common.sh"
source "$(dirname "$0")/e2e_x.sh"
start_x 1920x1080 wm

key() {
  press "$@"
  pause 0.4
}
shot() { timeout 10 import -window "$window" "$1" || fail "no screenshot of the window ($1)"; }
# How far apart two pictures are (PSNR in dB, "inf" when equal).
psnr() { compare -metric PSNR "$1" "$2" null: 2>&1 | cut -d' ' -f1; }
at_least() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a == "inf" || a + 0 >= b) }'; }
# The CPU seconds the show has used.
cpu_seconds() { awk -v hz="$(getconf CLK_TCK)" '{ print ($14 + $15) / hz }' /proc/$show/stat; }

# The window's icon (_NET_WM_ICON: width, height, then ARGB pixels) is the picture the
# install gives the desktop entry, the art generator's lumaro.png beside the program.
icon_matches() {
  xprop -id "$window" -notype -f _NET_WM_ICON 32c _NET_WM_ICON | tr -d '\n' > "$work/icon.txt"
  convert "$1" -depth 8 rgba:"$work/icon.rgba" || return 1
  python3 - "$work/icon.txt" "$work/icon.rgba" "$(identify -format '%w %h' "$1")" <<'PY'
import sys
text, rgba, size = open(sys.argv[1]).read(), open(sys.argv[2], 'rb').read(), sys.argv[3].split()
if '=' not in text:
    sys.exit('the window has no icon')
values = [int(v) for v in text.split('=', 1)[1].split(',')]
width, height = values[0], values[1]
if [width, height] != [int(size[0]), int(size[1])]:
    sys.exit(f'the icon is {width} x {height}, the picture {size[0]} x {size[1]}')
worst = 0
for i, argb in enumerate(values[2:2 + width * height]):
    got = [(argb >> 16) & 255, (argb >> 8) & 255, argb & 255, argb >> 24]
    worst = max([worst] + [abs(a - b) for a, b in zip(got, rgba[i * 4:i * 4 + 4])])
if worst > 2:
    sys.exit(f'the icon differs from the picture by up to {worst} in a channel')
PY
}

# Escape, and Escape with the menu open (closes only the menu); the menu's EXIT.
if start_show -window -nosound -w640; then
  verdict=$(icon_matches "$(dirname "$lumaro")/art/lumaro.png" 2>&1) || fail "the window's icon: $verdict"
  key Escape
  for _ in $(seq "$(waits 10)"); do kill -0 $show 2> /dev/null || break; sleep 0.1; done
  kill -0 $show 2> /dev/null && fail "Escape did not end the show within $slow s"
  wait $show || fail "Escape: exit code $?"
fi
if start_show -window -nosound -w640; then
  xdotool mousemove --window "$window" 100 100 click 3
  key Escape
  kill -0 $show 2> /dev/null || fail "Escape with the menu open ended the show"
  xdotool mousemove --window "$window" 100 100 click 3 sleep 0.3 mousemove --window "$window" 130 130 click 1
  for _ in $(seq "$(waits 10)"); do kill -0 $show 2> /dev/null || break; sleep 0.1; done
  wait $show || fail "the menu's EXIT: exit code $?"
fi

# The menu at each corner of a small window lies inside it (its dark box whole), and the
# item in the far corner works: "1600 X 1200" makes a 4:3 window fitted to the screen.
menu_share() {
  convert "$1" -fx 'abs(r * 255 - 20) < 2 && abs(g * 255 - 25.5) < 2 && abs(b * 255 - 31) < 2 ? 1 : 0' \
    -format '%[fx:mean * w * h / (192 * 220)]' info:
}
if start_show -window -nosound -w320 -start=0.5; then
  for corner in "3 3" "316 3" "3 236" "316 236"; do
    xdotool mousemove --window "$window" $corner click 3
    sleep 0.4
    shot "$work/menu.png"
    share=$(menu_share "$work/menu.png")
    awk -v s="$share" 'BEGIN { exit !(s > 0.7) }' || fail "the menu opened at $corner shows $share of itself"
    [ "$corner" = "316 236" ] || key Escape
  done
  xdotool mousemove --window "$window" 216 228 click 1  # its last row, above the pointer
  sleep 1
  read -r width height <<< "$(xdotool getwindowgeometry "$window" | awk '/Geometry/ { sub("x", " ", $2); print $2 }')"
  awk -v w="$width" -v h="$height" 'BEGIN { exit !(w >= 1000 && w * 3 == h * 4 && h <= 1080) }' ||
    fail "the menu's 1600 X 1200 at the window's corner made a ${width}x$height window"
  end_show "Escape after a menu size"
fi

# The player's keys, -loop and the minimised window follow the wall clock, which a
# sanitized build (several times slower to start and to draw) cannot keep up with: there
# they are left to the release build's run of this script.
timed=true
[ "$slow" = 1 ] || { timed=false; echo "keys, -loop and the minimised window: left to the release build"; }

# Space holds the picture and the clock: a run to 14 s started at 10 outlasts three
# seconds paused, then ends on time once going on.
if $timed && start_show -window -nosound -w320 -start=10 -end=14; then
  key space
  shot "$work/paused1.png"
  sleep 1
  shot "$work/paused2.png"
  [ "$(psnr "$work/paused1.png" "$work/paused2.png")" = inf ] || fail "the picture moved while paused"
  sleep 2
  kill -0 $show 2> /dev/null || fail "the show ended while paused"
  key space
  sleep 0.5
  shot "$work/going.png"
  [ "$(psnr "$work/paused2.png" "$work/going.png")" != inf ] || fail "the picture stood still after Space again"
  for _ in $(seq 40); do kill -0 $show 2> /dev/null || break; sleep 0.1; done
  kill -0 $show 2> /dev/null && { fail "the show did not end on time after the pause"; kill $show; }
  wait $show || fail "a paused run: exit code $?"
fi

# Left and Right, paused: each lands on a scene's start, drawn as a run from there draws it.
"$lumaro" -headless -nosound -w320 -stills=8,12 -videodir="$work/stills" 2> /dev/null
if $timed && start_show -window -nosound -w320 -start=13.5; then
  key space
  # (A still "at" a second is the first frame of the fixed clock not before it.)
  read -r at8 at12 <<< "$(ls "$work/stills" | tr '\n' ' ')"
  for step in "Left 8 $at8" "Right 12 $at12" "Right 20 -" "Left 12 $at12"; do
    read -r direction second still <<< "$step"
    key "$direction"
    shot "$work/jump.png"
    [ "$still" = - ] && continue
    convert "$work/stills/$still" "$work/still.png"
    quality=$(psnr "$work/jump.png" "$work/still.png")
    at_least "$quality" 30 || fail "$direction did not land on $second s (PSNR $quality against it)"
  done
  # F: full screen and back.
  key f
  sleep 0.5
  read -r width _ <<< "$(xdotool getwindowgeometry "$window" | awk '/Geometry/ { sub("x", " ", $2); print $2 }')"
  [ "$width" = 1920 ] || fail "F did not fill the screen (${width} wide)"
  key f
  sleep 0.5
  read -r width _ <<< "$(xdotool getwindowgeometry "$window" | awk '/Geometry/ { sub("x", " ", $2); print $2 }')"
  [ "$width" = 320 ] || fail "F again did not give back the window (${width} wide)"
  end_show "Escape after the jumps"
fi

# "-loop": the metaballs among the stars, then "The End", then the stars again.
if $timed && settle=0.2 start_show -window -nosound -w320 -loop -start=321.5 -end=325.6; then
  seen=""
  for _ in $(seq 30); do
    shot "$work/loop.png"
    blue=$(convert "$work/loop.png" -crop 320x60+0+0 +repage -format '%[fx:mean.b]' info:)
    seen+=$(awk -v b="$blue" 'BEGIN { print (b > 0.06 ? "s" : "e") }')
    sleep 0.2
  done
  [[ $seen =~ s+e+s+ ]] || fail "-loop did not start the show again: stars (s) and end card (e) seen as $seen"
  end_show "Escape while looping"
fi

# Minimised, nothing is drawn (a few per cent of a core); shown again, the show goes on.
if $timed && start_show -window -nosound -w640 -start=50; then
  xdotool windowminimize --sync "$window" 2> /dev/null
  # Measured once the window is off the screen and the show has had time to notice.
  for _ in $(seq 50); do xwininfo -id "$window" 2> /dev/null | grep -q IsViewable || break; sleep 0.1; done
  sleep 1
  before=$(cpu_seconds)
  sleep 2
  used=$(awk -v a="$before" -v b="$(cpu_seconds)" 'BEGIN { print b - a }')
  awk -v u="$used" 'BEGIN { exit !(u < 0.3) }' || fail "a minimised window used $used s of CPU in 2 s"
  xdotool windowactivate --sync "$window" 2> /dev/null
  sleep 1
  shot "$work/back.png"
  read -r _ _ _ _ <<< "$(content_box "$work/back.png")" || true
  end_show "Escape after minimising"
fi

# Escape while recording a video in the window: the cut video stays FILE.part, the last line
# says it was stopped and when, and the exit code says so too.
if settle=2 start_show -window -w320 -video="$work/cut.mp4"; then
  press Escape
  for _ in $(seq 50); do kill -0 $show 2> /dev/null || break; sleep 0.1; done
  wait $show
  rc=$?
  [ $rc -eq 3 ] || fail "Escape while recording: exit $rc, not 3 ($(tail -1 "$work/err"))"
  [ -s "$work/cut.mp4.part" ] && [ ! -e "$work/cut.mp4" ] || fail "Escape while recording: $(ls "$work" | grep cut)"
  ffprobe -v error -f mp4 "$work/cut.mp4.part" || fail "the cut video does not play"
  grep -q "stopped at demo time" "$work/err" || fail "Escape while recording: $(tail -1 "$work/err")"
fi

# Another X client destroys the window: a message and exit code 1, not an abort inside Xlib.
if start_show -window -nosound -w640; then
  xdotool windowclose "$window" > /dev/null 2>&1
  for _ in $(seq 50); do kill -0 $show 2> /dev/null || break; sleep 0.1; done
  wait $show
  rc=$?
  [ $rc -eq 1 ] || fail "a window destroyed from outside: exit $rc ($(tail -2 "$work/err"))"
  grep -q "destroyed from outside" "$work/err" || fail "no word about the vanished window: $(cat "$work/err")"
fi

finish e2e_window
