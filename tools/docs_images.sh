#!/usr/bin/env bash
# Renews the golden frames (tests/golden/) and, from the same run, the README's pictures of
# every scene; then the artwork's contact sheet. Says which frames changed. Needs a build.
set -eu
cd "$(dirname "$0")/.."
build=${1:-build/tests}
python3 tests/golden.py update --program "$build/lumaro"
cp "$build/art/contact_sheet.png" docs/images/contact_sheet.png
