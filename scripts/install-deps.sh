#!/usr/bin/env bash
# Installs what building (with "release", packaging; with "test", testing) needs on Debian 12. Root or sudo.
set -eu
packages="cmake g++ make pkg-config libsdl2-dev libx11-dev libopenmpt-dev libgl-dev libegl-dev libglu1-mesa-dev
  libgl1-mesa-dri libegl-mesa0 libfreetype-dev libpng-dev fonts-dejavu-core ffmpeg"
# The release's packaging (scripts/release.sh) and, for tests, its checks.
if [ "${1:-}" = release ] || [ "${1:-}" = test ]; then
  packages="$packages dpkg-dev git"
fi
if [ "${1:-}" = test ]; then
  packages="$packages lintian appstream man-db groff-base
    libgtest-dev libbenchmark-dev libxmp-dev xvfb xdotool x11-utils openbox imagemagick python3 clang
    libclang-rt-14-dev libgles-dev desktop-file-utils"
fi
missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing:$missing"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
