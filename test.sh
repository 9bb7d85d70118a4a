#!/usr/bin/env bash
# Installs what is needed, builds everything into build/tests with warnings as errors and runs
# every test (headless: EGL, its own Xvfb), then the checked build: the tests again under
# ASan and UBSan, and the fuzzers; then the page for the browser and its test in headless
# Chromium; then the Windows build and its checks under Wine.
set -eu
cd "$(dirname "$0")"
bash scripts/install-deps.sh test
cmake --preset tests > /dev/null
cmake --build --preset tests -j"$(nproc)"
ctest --preset tests -j"$(nproc)"
bash scripts/checked.sh
LUMARO_WEB_NATIVE=build/tests bash scripts/web.sh test  # its generated files from the build above
LUMARO_WINDOWS_NATIVE=build/tests bash scripts/windows.sh test  # the same generated files
