#!/usr/bin/env bash
# A real window under Xvfb: title "Lumaro", Escape quits within a second, and the
# right-click menu's EXIT item quits too; a window destroyed by another client ends the
# run cleanly; full screen on a server with one mode draws the whole picture.
set -u
lumaro=$1
command -v Xvfb > /dev/null && command -v xdotool > /dev/null || { echo "Xvfb or xdotool missing"; exit 77; }
source "$(dirname "$0")/e2e_common.sh"
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp > "$work/xvfb.log" 2>&1 &
xvfb=$!
at_exit+=('kill $xvfb 2>/dev/null')
export DISPLAY=$display
for _ in $(seq 50); do xdotool getmouselocation > /dev/null 2>&1 && break; sleep 0.1; done

start_show() {
  "$lumaro" -window -nosound -w640 2> "$work/err" &
  show=$!
  window=$(timeout 20 xdotool search --sync --name '^Lumaro$' | head -1)
  [ -n "$window" ] || { fail "no window titled Lumaro: $(cat "$work/err")"; kill $show; return 1; }
  sleep 1  # let a few frames run
  xdotool windowfocus --sync "$window" 2>/dev/null || true
}

# Stopped within a second of the request, exit code 0.
expect_exit() {
  local what=$1
  for _ in $(seq 10); do kill -0 $show 2>/dev/null || break; sleep 0.1; done
  if kill -0 $show 2>/dev/null; then
    fail "$what did not end the show within a second"
    kill $show
  else
    wait $show
    rc=$?
    [ $rc -eq 0 ] || fail "$what: exit code $rc"
  fi
}

if start_show; then
  xdotool key --window "$window" space  # any other key does nothing
  sleep 0.3
  kill -0 $show 2>/dev/null || fail "a key other than Escape ended the show"
  xdotool key --window "$window" Escape
  expect_exit "Escape"
fi

if start_show; then
  # The popup opens at the pointer; its second row is EXIT.
  xdotool mousemove --window "$window" 100 100 click 3
  sleep 0.3
  xdotool key --window "$window" Escape  # closes only the popup
  sleep 0.3
  kill -0 $show 2>/dev/null || fail "Escape with the menu open ended the show"
  xdotool mousemove --window "$window" 100 100 click 3
  sleep 0.3
  xdotool mousemove --window "$window" 130 130 click 1
  expect_exit "the menu's EXIT"
fi

# Another X client destroys the window: a message and exit code 1, not an abort inside Xlib.
if start_show; then
  xdotool windowclose "$window" > /dev/null 2>&1
  for _ in $(seq 50); do kill -0 $show 2>/dev/null || break; sleep 0.1; done
  wait $show
  rc=$?
  [ $rc -eq 1 ] || fail "a window destroyed from outside: exit $rc ($(tail -2 "$work/err"))"
  grep -q "destroyed from outside" "$work/err" || fail "no word about the vanished window: $(cat "$work/err")"
fi

# Xvfb has one mode (1024 x 768), so the switch to 800 x 600 is refused: the window keeps
# 800 x 600 and the frames it draws are whole, the same as those drawn offscreen.
"$lumaro" -nosound -videosave -w800 -seed=2 -end=2.2 -videodir="$work/screen" 2> "$work/err" ||
  fail "full screen run failed: $(cat "$work/err")"
"$lumaro" -headless -nosound -videosave -w800 -seed=2 -end=2.2 -videodir="$work/offscreen" 2> /dev/null
# (The window's GL and the offscreen one round a few pixels differently: compare closely.)
psnr=$(compare -metric PSNR "$work/screen/000055.tga" "$work/offscreen/000055.tga" null: 2>&1)
awk -v p="$psnr" 'BEGIN { exit !(p + 0 > 40 || p == "inf") }' ||
  fail "full screen with a refused mode draws another picture: $(identify "$work/screen/000055.tga" 2>&1 | cut -d' ' -f3), PSNR $psnr"

finish e2e_window
