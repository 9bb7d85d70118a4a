#!/usr/bin/env bash
# The show in a web browser. Installs what the web build needs (Debian's emscripten and
# chromium, the deb-src entry for the two source packages, playwright-core from npm into the
# build folder), builds the native generators (artwork, mesh, tables, music), SDL2 and
# libopenmpt from Debian's sources with emcc (once, into ~/.cache/lumaro/web-VERSIONS/, which
# every clone reuses), then the page into build-web/site/.
#   scripts/web.sh            build
#   scripts/web.sh serve      build, then serve the page on http://127.0.0.1:8000/
#   scripts/web.sh test       build, then the browser test (headless Chromium)
# LUMARO_WEB_NATIVE=DIR takes the generated files and the native program from a native build
# made already (./test.sh passes build/tests) instead of making build-web/native.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out=${LUMARO_WEB_BUILD:-$root/build-web}
native=$out/native
[ -z "${LUMARO_WEB_NATIVE:-}" ] || native=$(cd "$LUMARO_WEB_NATIVE" && pwd)
export NODE_PATH=/usr/share/nodejs  # Debian's acorn, for emcc under another node

say() { printf 'web.sh: %s\n' "$*" >&2; }
. "$root/scripts/deb_sources.sh"

# The libraries are built once into a cache outside the clone, named after their source
# versions and emcc's: a new Debian revision or emscripten builds anew.
choose_deps() {
  enable_sources libsdl2
  local versions
  versions="sdl2-$(source_version libsdl2)_openmpt-$(source_version libopenmpt)_emcc-$(emcc --version |
    sed -n '1s/.* \([0-9][0-9.]*\) .*/\1/p')"
  deps=${LUMARO_WEB_CACHE:-${HOME:-/root}/.cache/lumaro/web-${versions//[^A-Za-z0-9._-]/.}}
  prefix=$deps/prefix
  mkdir -p "$deps"
}

build_sdl2() {
  [ -f "$prefix/lib/libSDL2.a" ] && return 0
  fetch_source libsdl2 'libsdl2-2*/' "$deps" "$deps"
  say "building SDL2 with emcc (about a minute and a half)"
  emcmake cmake -S "$source_dir" -B "$deps/sdl2-build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_THREADS=OFF -DSDL_TEST=OFF > "$deps/sdl2.log"
  cmake --build "$deps/sdl2-build" -j2 >> "$deps/sdl2.log"
  cmake --install "$deps/sdl2-build" >> "$deps/sdl2.log"
}

build_openmpt() {
  [ -f "$prefix/lib/libopenmpt.a" ] && return 0
  fetch_source libopenmpt 'libopenmpt-0*/' "$deps" "$deps"
  say "building libopenmpt with emcc (about four minutes)"
  # A plain wasm32 host is unknown to the package's config.sub; the host only names the
  # target for autoconf, emcc decides the code.
  (cd "$source_dir" && CFLAGS=-O2 CXXFLAGS=-O2 emconfigure ./configure --host=i686-pc-linux-gnu --prefix="$prefix" \
     "${openmpt_options[@]}" > "$deps/openmpt.log" &&
   emmake make -j2 >> "$deps/openmpt.log" && emmake make install >> "$deps/openmpt.log")
}

# The artwork, mesh, tables and music come from the project's own generators, built natively.
build_native() {
  if [ -n "${LUMARO_WEB_NATIVE:-}" ]; then
    [ -f "$native/SongM.xm" ] && [ -f "$native/lumaro" ] || { say "$native holds no native build"; exit 1; }
    return 0
  fi
  say "building the generators natively"
  cmake -S "$root" -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLUMARO_TESTS=OFF \
    -DLUMARO_BENCH=OFF > /dev/null
  cmake --build "$native" -j2 --target music generated/assets/embedded_blocks.cpp "$@"
}

build_site() {
  say "building the page"
  emcmake cmake -S "$root" -B "$out/wasm" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DLUMARO_NATIVE_DIR="$native" -DLUMARO_WEB_DEPS="$prefix" -DLUMARO_SITE_DIR="$out/site" > /dev/null
  cmake --build "$out/wasm" -j2
}

install_node_packages() {
  [ -f "$out/node/node_modules/playwright-core/package.json" ] && return 0
  say "installing playwright-core into $out/node"
  mkdir -p "$out/node"
  npm install --prefix "$out/node" --no-audit --no-fund --silent playwright-core@1.65.2 > /dev/null
}

run_test() {
  build_native lumaro  # the native program draws the reference frames
  install_node_packages
  LUMARO_NODE_DIR="$out/node" LUMARO_SITE="$out/site" LUMARO_NATIVE="$native/lumaro" \
    LUMARO_TEST_DIR="$out/test" timeout 900 node --test --test-concurrency=1 --test-reporter=spec "$root"/web/test/*.test.mjs
}

start=$(date +%s)
install_packages emscripten chromium dpkg-dev cmake ninja-build make pkg-config python3
choose_deps
build_sdl2
build_openmpt
build_native
build_site
say "built $out/site in $(( $(date +%s) - start )) s"
case "${1:-}" in
  "") ;;
  serve)
    say "serving http://127.0.0.1:8000/ (Ctrl+C stops)"
    exec python3 -m http.server --bind 127.0.0.1 --directory "$out/site" 8000 ;;
  test) run_test ;;
  *) say "unknown command '$1' (build with no command, or serve, or test)"; exit 2 ;;
esac
