# shellcheck shell=bash
# Sourced by scripts/windows.sh and scripts/web.sh: Debian packages they install, and the
# source packages they build with another compiler. The sourcing script sets root and defines say().
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

missing_packages() {
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || printf ' %s' "$p"
  done
}

# What the native build of the generators needs, then the packages named.
install_packages() {
  bash "$root/scripts/install-deps.sh"
  local missing
  missing=$(missing_packages "$@")
  [ -z "$missing" ] && return 0
  say "installing$missing"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
}

# "apt-get source" needs a deb-src entry; it mirrors Debian's binary one.
enable_sources() {
  apt-cache showsrc "$1" 2>/dev/null | grep -q '^Package:' && return 0
  say "adding a deb-src entry beside /etc/apt/sources.list.d/debian.sources"
  sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
    $sudo tee /etc/apt/sources.list.d/lumaro-web-src.sources > /dev/null
  $sudo apt-get update -qq
}

source_version() { apt-cache showsrc "$1" | sed -n 's/^Version: //p' | head -n1; }

# Package, its folder's glob, the folder to unpack it in, the folder for the log: sets
# source_dir; a source is unpacked once.
fetch_source() {
  source_dir=$(ls -d "$3"/$2 2>/dev/null | head -n1 || true)
  [ -n "$source_dir" ] && return 0
  enable_sources "$1"
  (cd "$3" && apt-get source -qq "$1" > "$4/$1-source.log" 2>&1) ||
    { say "apt-get source $1 failed (see $4/$1-source.log)"; exit 1; }
  source_dir=$(ls -d "$3"/$2 | head -n1)
}

# libopenmpt as a static library alone: no player, no codecs, no sound output of its own.
openmpt_options=(--disable-shared --enable-static --disable-openmpt123 --disable-examples --disable-tests
  --disable-doxygen-doc --without-zlib --without-mpg123 --without-ogg --without-vorbis
  --without-vorbisfile --without-pulseaudio --without-portaudio --without-portaudiocpp
  --without-sdl2 --without-sndfile --without-flac)
