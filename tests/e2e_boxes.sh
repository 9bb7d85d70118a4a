#!/usr/bin/env bash
# The original's message boxes under X: a stop signal while one is up ends the run as it
# would without the box, and a display without OpenGL gets a box that says so and what
# still works.
set -u
lumaro=$(realpath "$1")
source "$(dirname "$0")/e2e_common.sh"
source "$(dirname "$0")/e2e_x.sh"
at_exit+=('pkill -P $$ 2>/dev/null')
cd "$work"
start_x 1024x768

# box_up CAPTION: waits up to 20 s for a window of that name (SDL's boxes name theirs in a
# way xdotool's search misses); prints its id.
box_up() {
  local _ id
  for _ in $(seq 200); do
    id=$(xwininfo -root -tree | grep -F "\"$1\":" | awk '{ print $1 }' | head -1)
    [ -n "$id" ] && echo "$id" && return 0
    sleep 0.1
  done
  return 1
}
# ended_by SIGNAL NAME: the windowed show $show ended by SIGNAL within 5 s; its exit code
# in $ended (empty if it did not end).
ended_by() {
  kill -"$1" $show
  ended=""
  for _ in $(seq "$(waits 50)"); do kill -0 $show 2> /dev/null || break; sleep 0.1; done
  if kill -0 $show 2> /dev/null; then
    fail "$2: still running 5 s after SIG$1: $(cat "$work/$2.err")"
    kill -KILL $show
    wait $show
    return
  fi
  wait $show
  ended=$?
}
# The exit code a signal gives a windowed show without any box.
plain_exit() {  # SIGNAL
  "$lumaro" -window -nosound -end=60 2> "$work/plain.err" &
  show=$!
  timeout 20 xdotool search --sync --all --pid $show --name '^Lumaro$' > /dev/null
  ended_by "$1" plain
  expected=$ended
}

# A box up at start-up: the module's (an empty SongM.xm beside the program) and the audio
# device's retry box (no driver). Each signal ends the run as it would without the box.
mkdir empty && : > empty/SongM.xm
program=$(program_in "$work/empty")
for case in "module:Fehler beim laden des Modules:TERM:dummy" "audio:Fehler beim Initialisieren:INT:nonexistent" \
  "module-hup:Fehler beim laden des Modules:HUP:dummy"; do
  IFS=: read -r name caption signal driver <<< "$case"
  plain_exit "$signal"
  (cd empty && SDL_AUDIODRIVER=$driver exec "$program" -window -end=60 2> "$work/$name.err") &
  show=$!
  if ! box_up "$caption" > /dev/null; then
    fail "$name: no box captioned '$caption': $(cat "$work/$name.err") $(x_state)"
    kill -KILL $show
    wait $show
    continue
  fi
  ended_by "$signal" "$name"
  [ -n "$ended" ] && [ "$ended" = "$expected" ] ||
    fail "$name: SIG$signal with the box up: exit '$ended', without the box $expected"
done
pgrep -f "^lumaro Fehler" > /dev/null && fail "a box was left on the screen"

# Without GLX: the original's box, a line that names OpenGL and what works offscreen.
start_x 1024x768 - -extension GLX
# answer_error NAME: the show $show puts up an ERROR box; OK answers it and the run ends.
# Its exit code in $rc.
answer_error() {
  if box=$(box_up ERROR); then
    xdotool key --window "$box" Return 2> /dev/null  # no window manager: xdotool grumbles about the focus
  else
    fail "$1: no box captioned ERROR: $(cat "$work/$1.err") $(x_state)"
  fi
  for _ in $(seq "$(waits 50)"); do kill -0 $show 2> /dev/null || break; sleep 0.1; done
  kill -0 $show 2> /dev/null && { fail "$1: the box did not end the run"; kill -KILL $show; }
  wait $show
  rc=$?
}
"$lumaro" -window -nosound -end=1 2> "$work/noglx.err" &
show=$!
answer_error noglx
line=$(grep "^ERROR: " "$work/noglx.err")
[ $rc -eq 1 ] && [[ "$line" == "ERROR: Can't Find A Suitable PixelFormat. "*OpenGL*-video*-videosave* ]] ||
  fail "without GLX: exit $rc: $(cat "$work/noglx.err")"
"$lumaro" -headless -w320 -nosound -videosave -end=0.2 -videodir=frames 2> "$work/offscreen.err" ||
  fail "without GLX, offscreen: $(cat "$work/offscreen.err")"

# No window at all (SDL refuses every one): the original's "Window Creation Error.".
cat > nowindow.c <<'C'
void* SDL_CreateWindow(const char* title, int x, int y, int w, int h, unsigned flags) {
  (void)title, (void)x, (void)y, (void)w, (void)h, (void)flags;
  return 0;
}
C
if cc -shared -fPIC -o nowindow.so nowindow.c; then
  ASAN_OPTIONS="${ASAN_OPTIONS:-}:verify_asan_link_order=0" LD_PRELOAD="$work/nowindow.so" \
    "$lumaro" -window -nosound -end=1 2> "$work/nowindow.err" &
  show=$!
  answer_error nowindow
  [ $rc -eq 1 ] && grep -qx "ERROR: Window Creation Error." "$work/nowindow.err" ||
    fail "no window: exit $rc: $(cat "$work/nowindow.err")"
else
  fail "cannot build the stand-in that refuses windows"
fi

finish e2e_boxes
