#!/usr/bin/env bash
# ./run.sh builds before it plays: with nothing to rebuild, that step prints nothing.
# usage: tests/quiet_build.sh SOURCE BUILD (BUILD is SOURCE/build/PRESET, built already)
set -u
preset=$(basename "$2")
[ "$(cd "$2/../.." && pwd)" = "$(cd "$1" && pwd)" ] || { echo "not a preset's build folder: $2"; exit 77; }
said=$(bash "$1/scripts/build.sh" "$preset" 2>&1) || { echo "the build failed: $said"; exit 1; }
[ -z "$said" ] || { echo "a build with nothing to do said: $said"; exit 1; }
echo "quiet_build: all checks passed"
