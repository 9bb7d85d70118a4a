# Sourced by the end-to-end scripts: a scratch directory removed at exit (after the
# clean-up steps a script adds to at_exit), a failure count, and the closing summary.
work=$(mktemp -d)
failures=0
at_exit=()
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
e2e_cleanup() {
  local step
  for step in "${at_exit[@]}"; do eval "$step"; done
  rm -rf "$work"
}
trap e2e_cleanup EXIT
# The program beside a folder's own SongM.xm (it looks beside itself first): a link, or a
# copy across file systems. Prints the program's path in the folder.
program_in() {
  ln -f "$lumaro" "$1/lumaro" 2> /dev/null || cp "$lumaro" "$1/lumaro"
  echo "$1/lumaro"
}
# fixed_frames START END [RATE]: "COUNT FIRST" of a fixed-clock run from START to END at RATE
# frames a second (25), the clock summed in single precision as the program sums it.
fixed_frames() {
  python3 - "$1" "$2" "${3:-25}" <<'PY'
import struct, sys
f = lambda v: struct.unpack('f', struct.pack('f', v))[0]
start, end, step = f(float(sys.argv[1])), f(float(sys.argv[2])), f(1 / f(float(sys.argv[3])))
clock, count, first = 0.0, 0, None
while True:
    clock = f(clock + step)
    if clock >= start:
        count += 1
        first = clock if first is None else first
    if clock >= end or clock >= f(329.0):
        break
print(count, repr(first))
PY
}
# The summary line; its status is the script's result when called last.
finish() {
  if [ $failures -eq 0 ]; then echo "$1: all checks passed"; else echo "$1: $failures failed"; fi
  [ $failures -eq 0 ]
}
