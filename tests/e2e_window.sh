#!/usr/bin/env bash
# A real window under Xvfb: title "Lumaro", Escape quits within a second, and the
# right-click menu's EXIT item quits too.
set -u
lumaro=$1
command -v Xvfb > /dev/null && command -v xdotool > /dev/null || { echo "Xvfb or xdotool missing"; exit 77; }
work=$(mktemp -d)
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp > "$work/xvfb.log" 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdotool getmouselocation > /dev/null 2>&1 && break; sleep 0.1; done
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

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

if [ $failures -eq 0 ]; then echo "e2e_window: all checks passed"; else echo "e2e_window: $failures failed"; fi
[ $failures -eq 0 ]
