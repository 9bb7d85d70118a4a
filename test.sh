#!/usr/bin/env bash
# Installs what is needed, builds everything into build/tests with warnings as errors and runs
# every test (headless: EGL, its own Xvfb), then the checked build: the tests again under
# ASan and UBSan, and the fuzzers.
set -eu
cd "$(dirname "$0")"
bash scripts/install-deps.sh test
cmake --preset tests > /dev/null
cmake --build --preset tests -j"$(nproc)"
ctest --preset tests -j"$(nproc)"
bash scripts/checked.sh
