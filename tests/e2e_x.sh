# Sourced by the desktop end-to-end scripts, after e2e_common.sh: an X server of a given
# size (Xvfb), a window manager on it or not, the show started in it, and screenshots read
# with ImageMagick.
command -v Xvfb > /dev/null && command -v xdotool > /dev/null && command -v convert > /dev/null ||
  { echo "Xvfb, xdotool or ImageMagick missing"; exit 77; }

xvfb=""
wm=""
# How many times slower than a release build the program runs here: the checked build
# (sanitizers) sets LUMARO_E2E_SLOW, and the waits for the show stretch by it.
slow=${LUMARO_E2E_SLOW:-1}
waits() { echo $(($1 * slow)); }  # a count of 0.1 s polls
pause() { sleep "$(awk -v s="$1" -v k="$slow" 'BEGIN { print s * k }')"; }
# start_x WIDTHxHEIGHT [wm|-] [XVFB-OPTION...]: a new server on a free display, the window
# manager if asked.
start_x() {
  stop_x
  # Xvfb picks the free display itself and names it once it listens: a number chosen here
  # could be taken by another test's server in the meantime, and this test would draw there.
  # -noreset: the server stays as it is when its last client leaves; a reset between two
  # shows is a path where the server can fail, and the next show finds no display.
  rm -f "$work/display"
  Xvfb -displayfd 5 -screen 0 "$1x24" -nolisten tcp -noreset "${@:3}" 5> "$work/display" > "$work/xvfb.log" 2>&1 &
  xvfb=$!
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] && kill -0 $xvfb 2> /dev/null || { fail "Xvfb did not start: $(cat "$work/xvfb.log")"; exit 1; }
  export DISPLAY=:$(head -n1 "$work/display")
  if [ "${2:-}" = wm ]; then
    command -v openbox > /dev/null || { echo "openbox missing"; exit 77; }
    openbox --sm-disable > "$work/wm.log" 2>&1 &
    wm=$!
    # The manager owns the screen once it has set up its own check window.
    for _ in $(seq 50); do xprop -root _NET_SUPPORTING_WM_CHECK 2> /dev/null | grep -q window && break; sleep 0.1; done
  fi
}
stop_x() {
  [ -n "$wm" ] && kill "$wm" 2> /dev/null && wait "$wm" 2> /dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2> /dev/null && wait "$xvfb" 2> /dev/null
  wm=""
  xvfb=""
}
at_exit+=('stop_x')
# x_state: a line on the server, for a failure that may be its doing.
x_state() {
  if kill -0 "$xvfb" 2> /dev/null; then echo "(Xvfb on $DISPLAY is running)"
  else echo "(Xvfb on $DISPLAY has ended: $(tail -3 "$work/xvfb.log" | tr '\n' ' '))"; fi
}

# start_show ARGS...: the show in the background ($show), its window found ($window).
start_show() {
  "$lumaro" "$@" 2> "$work/err" &
  show=$!
  window=$(timeout 20 xdotool search --sync --name '^Lumaro$' | head -1)
  if [ -z "$window" ]; then
    kill $show 2> /dev/null
    wait $show
    fail "no window titled Lumaro ($*), exit code $?: $(cat "$work/err") $(x_state)"
    return 1
  fi
  pause "${settle:-1.5}"  # the first frames drawn, the window manager done
}
# press KEY...: the keys pressed in the show's window and released. With the window focused
# xdotool fakes real key presses, and its own release fails once the window has gone (as
# after Escape): the key would stay down and end the next show the moment it gets focus.
# The release is therefore sent on its own, to whatever has the focus.
press() {
  xdotool keydown --window "$window" "$@" 2> /dev/null
  xdotool keyup "$@" 2> /dev/null
}
# end_show: Escape, and the exit code 0 within two seconds.
end_show() {
  press Escape
  for _ in $(seq "$(waits 20)"); do kill -0 $show 2> /dev/null || break; sleep 0.1; done
  if kill -0 $show 2> /dev/null; then
    fail "${1:-Escape} did not end the show within $((2 * slow)) seconds"
    kill $show
  fi
  wait $show
  local rc=$?
  [ $rc -eq 0 ] || fail "${1:-the show}: exit code $rc ($(tail -2 "$work/err"))"
}

# shoot WINDOW FILE: a screenshot of WINDOW (or root) once the show has put a picture in it,
# taken again while it is still all black, for up to 10 s: the window is black from its
# start until the first frame, after start-up and catching up to "-start" on a busy machine.
shoot() {
  local _ y
  for _ in $(seq "$(waits 100)"); do
    timeout 10 import -window "$1" "$2" 2> /dev/null
    read -r _ _ _ y <<< "$(content_box "$2" 2> /dev/null)"
    [ -n "$y" ] && [ "$y" != -1 ] && return
    sleep 0.1
  done
}
# The box of what is not black in a picture: "WIDTH HEIGHT X Y".
content_box() {
  convert "$1" -fuzz 3% -trim -format '%w %h %X %Y' info: | tr -d +
}
# The share of a region's pixels in the logo's blue: "W H X Y" of the region.
logo_share() {
  convert "$1" -crop "$2x$3+$4+$5" +repage -fx 'b > 0.45 && b - r > 0.25 ? 1 : 0' -format '%[fx:mean]' info:
}
# check_picture PNG FRAME_W FRAME_H AREA_W AREA_H WHAT: the frame shown whole in the area,
# centred, at its own shape, black around it, the logo at its bottom left.
check_picture() {
  local png=$1 what=$6
  read -r ew eh ex ey <<< "$(awk -v fw="$2" -v fh="$3" -v aw="$4" -v ah="$5" 'BEGIN {
    w = aw; h = int(aw * fh / fw); if (h > ah) { h = ah; w = int(ah * fw / fh) }
    print w, h, int((aw - w) / 2), int((ah - h) / 2) }')"
  read -r w h x y <<< "$(content_box "$png")"
  [ -n "$y" ] || { fail "$what: no picture to check"; return; }
  awk -v w="$w" -v h="$h" -v x="$x" -v y="$y" -v ew="$ew" -v eh="$eh" -v ex="$ex" -v ey="$ey" -v fw="$2" -v fh="$3" \
    'function d(a, b) { return a > b ? a - b : b - a }
     BEGIN { exit !(d(w, ew) <= 3 && d(h, eh) <= 3 && d(x, ex) <= 3 && d(y, ey) <= 3 &&
                    d(w / h, fw / fh) <= 0.01 * fw / fh) }' ||
    { fail "$what: the picture is ${w}x$h at $x,$y; whole and centred it is ${ew}x$eh at $ex,$ey"; return; }
  # The logo: its corner of the frame, against the same strip on the right.
  local lw=$((ew / 4)) lh=$((eh / 14))
  local left right
  left=$(logo_share "$png" $lw $lh $((ex + ew / 50)) $((ey + eh - lh - eh / 100)))
  right=$(logo_share "$png" $lw $lh $((ex + ew - lw - ew / 50)) $((ey + eh - lh - eh / 100)))
  awk -v l="$left" -v r="$right" 'BEGIN { exit !(l > 0.05 && l > 4 * r) }' ||
    fail "$what: no logo at the bottom left (its blue in $left of the corner, $right on the right)"
}
