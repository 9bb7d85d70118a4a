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
# The summary line; its status is the script's result when called last.
finish() {
  if [ $failures -eq 0 ]; then echo "$1: all checks passed"; else echo "$1: $failures failed"; fi
  [ $failures -eq 0 ]
}
