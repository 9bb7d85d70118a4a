#!/usr/bin/env bash
# Installs what is needed, builds the program into build/release and plays the show from the
# folder you are in, so whatever it writes lands here. Options go to the program, e.g.
#   ./run.sh -window        ./run.sh -video=show.mp4        ./run.sh -headless -videosave -end=70
# "./run.sh -web" builds the browser's page instead and serves it on http://127.0.0.1:8000/.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
if [ "${1:-}" = -web ]; then
  [ $# -eq 1 ] || { echo "run.sh: -web takes no other options (the page takes them in its address)" >&2; exit 2; }
  exec bash "$here/scripts/web.sh" serve
fi
bash "$here/scripts/install-deps.sh"
bash "$here/scripts/build.sh" release
exec "$here/build/release/lumaro" "$@"
