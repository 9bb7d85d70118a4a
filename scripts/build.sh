#!/usr/bin/env bash
# Configures and builds one preset (release unless named) without a screen of build lines:
# nothing when nothing needs building, one line when the build takes a while, and the log's
# end when it fails.   usage: scripts/build.sh [PRESET]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
preset=${1:-release}
folder=$root/build/$preset
mkdir -p "$folder"
log=$folder/build.log
cd "$root"
{ cmake --preset "$preset" && cmake --build --preset "$preset" -j"$(nproc)"; } > "$log" 2>&1 &
builder=$!
for _ in $(seq 30); do kill -0 $builder 2> /dev/null || break; sleep 0.1; done
kill -0 $builder 2> /dev/null && echo "building Lumaro into build/$preset (the first time takes a few minutes; log: $log)" >&2
if ! wait $builder; then
  tail -n 40 "$log" >&2
  echo "the build failed; the whole log is $log" >&2
  exit 1
fi
