#!/usr/bin/env bash
# Lumaro for 64-bit Windows, cross-built with Debian's MinGW-w64 and tested under Wine.
# Installs what the build needs (MinGW-w64, Wine, the deb-src entry for the source packages),
# builds SDL2 and libopenmpt (and, to test, GoogleTest) from Debian's sources with MinGW once into
# ~/.cache/lumaro/windows-VERSIONS/ (reused by every clone), the native generators (artwork,
# mesh, tables, music), then the program, and packs build-windows/lumaro-VERSION-windows-x86_64.zip.
#   scripts/windows.sh         build and pack
#   scripts/windows.sh test    build, pack, then the checks under Wine on Xvfb
# LUMARO_WINDOWS_NATIVE=DIR takes the generated files and the native program from a native
# build made already (./test.sh passes build/tests) instead of making build-windows/native.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out=${LUMARO_WINDOWS_BUILD:-$root/build-windows}
native=$out/native
[ -z "${LUMARO_WINDOWS_NATIVE:-}" ] || native=$(cd "$LUMARO_WINDOWS_NATIVE" && pwd)
host=x86_64-w64-mingw32

say() { printf 'windows.sh: %s\n' "$*" >&2; }
. "$root/scripts/deb_sources.sh"

# The cache is named after the source versions: a new Debian revision builds anew.
choose_cache() {
  enable_sources libsdl2
  local versions
  versions="sdl2-$(source_version libsdl2)_openmpt-$(source_version libopenmpt)"
  cache=${LUMARO_WINDOWS_CACHE:-${HOME:-/root}/.cache/lumaro/windows-${versions//[^A-Za-z0-9._-]/.}}
  prefix=$cache/prefix
  mkdir -p "$cache/src"
}

cmake_dependency() {  # name, source folder, cmake options...
  local name=$1 source=$2
  shift 2
  cmake -S "$source" -B "$cache/$name-build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DCMAKE_INSTALL_PREFIX="$prefix" "$@" > "$cache/$name.log"
  nice cmake --build "$cache/$name-build" -j2 >> "$cache/$name.log"
  cmake --install "$cache/$name-build" >> "$cache/$name.log"
}

build_sdl2() {
  [ -f "$prefix/lib/libSDL2.a" ] && return 0
  fetch_source libsdl2 'libsdl2-2*/' "$cache/src" "$cache"
  say "building SDL2 with MinGW-w64"
  cmake_dependency sdl2 "$source_dir" -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF
}

build_openmpt() {
  [ -f "$prefix/lib/libopenmpt.a" ] && return 0
  fetch_source libopenmpt 'libopenmpt-0*/' "$cache/src" "$cache"
  say "building libopenmpt with MinGW-w64 (a few minutes)"
  rm -rf "$cache/openmpt-build" && mkdir -p "$cache/openmpt-build"
  (cd "$cache/openmpt-build" && CC=$host-gcc-posix CXX=$host-g++-posix CFLAGS=-O2 CXXFLAGS=-O2 \
     "$source_dir/configure" --host=$host --prefix="$prefix" "${openmpt_options[@]}" > "$cache/openmpt.log" &&
   nice make -j2 >> "$cache/openmpt.log" && make install >> "$cache/openmpt.log") ||
    { say "libopenmpt failed (see $cache/openmpt.log)"; exit 1; }
}

build_googletest() {
  [ -f "$prefix/lib/libgtest.a" ] && return 0
  fetch_source googletest 'googletest-1*/' "$cache/src" "$cache"
  say "building GoogleTest with MinGW-w64"
  cmake_dependency googletest "$source_dir" -DBUILD_GMOCK=OFF
}

# The artwork, mesh, tables and music come from the project's own generators, built natively.
build_native() {
  if [ -n "${LUMARO_WINDOWS_NATIVE:-}" ]; then
    [ -f "$native/SongM.xm" ] && [ -f "$native/lumaro" ] || { say "$native holds no native build"; exit 1; }
    [ -f "$native/art/lumaro.ico" ] || { say "$native/art/lumaro.ico is missing: build its artwork anew"; exit 1; }
    return 0
  fi
  say "building the generators natively"
  cmake -S "$root" -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLUMARO_TESTS=OFF \
    -DLUMARO_BENCH=OFF > /dev/null
  nice cmake --build "$native" -j2 --target music generated/assets/embedded_blocks.cpp "$@"
}

build_program() {
  say "cross-building the program"
  LUMARO_WINDOWS_DEPS=$prefix cmake -S "$root" -B "$out/exe" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DLUMARO_NATIVE_DIR="$native" \
    -DLUMARO_WINDOWS_DEPS="$prefix" -DLUMARO_WERROR=ON -DLUMARO_BENCH=OFF -DLUMARO_TESTS="$windows_tests" > /dev/null
  nice cmake --build "$out/exe" -j2
}

pack() {
  version=$(sed -n 's/^project(Lumaro VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
  local name=lumaro-$version-windows-x86_64 stage=$out/stage
  rm -rf "$stage" && mkdir -p "$stage/$name"
  cp "$out/exe/lumaro.exe" "$native/SongM.xm" "$root/LICENSE" "$stage/$name/"
  cp "$root/packaging/windows/README.txt" "$stage/$name/README.txt"
  (cd "$stage/$name" && for f in LICENSE README.txt; do sed -i 's/$/\r/' "$f"; done)  # Notepad's line ends
  rm -f "$out/$name.zip"
  (cd "$stage" && zip -qr -X "$out/$name.zip" "$name")
  zip_file=$out/$name.zip
  say "packed $zip_file"
}

run_test() {
  build_native lumaro  # the native program draws the reference frames
  LUMARO_ZIP="$zip_file" LUMARO_EXE="$out/exe/lumaro.exe" LUMARO_NATIVE="$native/lumaro" \
    LUMARO_UNIT_TESTS="$out/exe/tests/unit_tests.exe" LUMARO_STAND_INS="$out/exe/tests/stand_in" \
    LUMARO_TEST_DIR="$out/test" \
    timeout 1200 bash "$root/tests/windows/wine_checks.sh"
}

start=$(date +%s)
windows_tests=OFF
case "${1:-}" in
  "") ;;
  test) windows_tests=ON ;;
  *) say "unknown command '$1' (build with no command, or test)"; exit 2 ;;
esac
install_packages g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine64 xvfb xauth zip unzip icoutils dpkg-dev cmake \
  ninja-build make pkg-config python3
choose_cache
build_sdl2
build_openmpt
[ "$windows_tests" = OFF ] || build_googletest
build_native
build_program
pack
say "built in $(( $(date +%s) - start )) s"
[ "${1:-}" != test ] || run_test
