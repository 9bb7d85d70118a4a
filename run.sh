#!/usr/bin/env bash
# Installs what is needed, builds, and plays the show. Options go to the program, e.g.
#   ./run.sh -window        ./run.sh -headless -videosave -w640 -end=70
set -eu
cd "$(dirname "$0")"
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DLUMARO_TESTS=OFF -DLUMARO_BENCH=OFF > /dev/null
cmake --build build -j"$(nproc)"
cd build  # the music module SongM.xm is read from the working directory
exec ./lumaro "$@"
