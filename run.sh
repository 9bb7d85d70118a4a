#!/usr/bin/env bash
# Installs what is needed, builds the program into build/release and plays the show from the
# folder you are in, so whatever it writes lands here. Options go to the program, e.g.
#   ./run.sh -window        ./run.sh -video=show.mp4        ./run.sh -headless -videosave -end=70
set -eu
here=$(cd "$(dirname "$0")" && pwd)
bash "$here/scripts/install-deps.sh"
(cd "$here" && cmake --preset release > /dev/null && cmake --build --preset release -j"$(nproc)")
exec "$here/build/release/lumaro" "$@"
