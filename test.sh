#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test (headless: EGL, its own Xvfb),
# then the checked build: the tests again under ASan and UBSan, and the fuzzers.
set -eu
cd "$(dirname "$0")"
bash scripts/install-deps.sh test
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMARO_TESTS=ON -DLUMARO_BENCH=ON > /dev/null
cmake --build build -j"$(nproc)"
(cd build && ctest --output-on-failure -j"$(nproc)")
bash scripts/checked.sh
