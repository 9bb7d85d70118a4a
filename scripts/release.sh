#!/usr/bin/env bash
# What people install, into dist/: the Debian package lumaro_VERSION_ARCH.deb (the tree
# `cmake --install` makes under /usr, with Debian's copyright, changelog and control), the
# Windows zip (scripts/windows.sh), the page's static folder (scripts/web.sh) as
# lumaro-VERSION-web.tar.gz, the sources of HEAD as lumaro-VERSION.tar.gz, and SHA256SUMS.
# The version is CMake's project version, read from the build.
#   scripts/release.sh [--build DIR] [--out DIR] [--no-windows] [--no-web]
# --build DIR packs an existing build (./test.sh's build/tests) instead of making an
# optimised, hardened one in build/package; --no-windows and --no-web leave those out.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build="" out=$root/dist windows=yes web=yes
while [ $# -gt 0 ]; do
  case $1 in
    --build) build=$(cd "$2" && pwd); shift ;;
    --out) mkdir -p "$2" && out=$(cd "$2" && pwd); shift ;;
    --no-windows) windows=no ;;
    --no-web) web=no ;;
    *) echo "usage: scripts/release.sh [--build DIR] [--out DIR] [--no-windows] [--no-web]" >&2; exit 2 ;;
  esac
  shift
done
maintainer="The Lumaro developers <lumaro@users.noreply.github.com>"
say() { printf 'release.sh: %s\n' "$*" >&2; }
# Dates in what is packed are the commit's, so the same commit gives the same files.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2> /dev/null || date +%s)}

bash "$root/scripts/install-deps.sh" release
# The build: a Release build with Debian's hardening flags unless one is given.
if [ -z "$build" ]; then
  build=$root/build/package
  if [ ! -f "$build/CMakeCache.txt" ]; then
    hardened() { DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1"; }
    CFLAGS="$(hardened CFLAGS) $(hardened CPPFLAGS)" CXXFLAGS="$(hardened CXXFLAGS) $(hardened CPPFLAGS)" \
      LDFLAGS=$(hardened LDFLAGS) cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DLUMARO_TESTS=OFF \
      -DLUMARO_BENCH=OFF > /dev/null
  fi
fi
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || { say "$build/CMakeCache.txt names no project version"; exit 1; }
say "Lumaro $version from $build"
nice cmake --build "$build" -j2 --target lumaro music manual manpage > "$build/release_build.log" ||
  { cat "$build/release_build.log" >&2; exit 1; }

mkdir -p "$out"
rm -f "$out"/lumaro_*.deb "$out"/lumaro-*.tar.gz "$out"/lumaro-*-windows-*.zip "$out/SHA256SUMS"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
bash "$root/scripts/debian_package.sh" "$build" "$version" "$work/deb" "$out" "$maintainer"

if git -C "$root" rev-parse --git-dir > /dev/null 2>&1; then
  [ -z "$(git -C "$root" status --porcelain --untracked-files=no)" ] ||
    say "warning: the source tarball holds HEAD, not the changes not yet committed"
  git -C "$root" archive --format=tar.gz --prefix="lumaro-$version/" -o "$out/lumaro-$version.tar.gz" HEAD
else
  say "no source tarball: $root is no git checkout"
fi

if [ "$web" = yes ]; then
  LUMARO_WEB_NATIVE=$build bash "$root/scripts/web.sh"
  site=${LUMARO_WEB_BUILD:-$root/build-web}/site
  tar --sort=name --owner=0 --group=0 --mtime="@$SOURCE_DATE_EPOCH" -czf "$out/lumaro-$version-web.tar.gz" \
    -C "$site/.." --transform "s,^site,lumaro-$version-web," site
else
  say "--no-web: no lumaro-$version-web.tar.gz (scripts/web.sh builds the page)"
fi
if [ "$windows" = yes ]; then
  LUMARO_WINDOWS_NATIVE=$build bash "$root/scripts/windows.sh"
  cp "$root/build-windows/lumaro-$version-windows-x86_64.zip" "$out/"
else
  say "--no-windows: no lumaro-$version-windows-x86_64.zip (scripts/windows.sh builds it)"
fi

if command -v lintian > /dev/null; then
  say "lintian on the package (nothing below: no remark):"
  lintian --display-info "$out"/lumaro_*.deb >&2 || true
fi
(cd "$out" && sha256sum -- lumaro[_-]* > SHA256SUMS)
say "in $out:"
(cd "$out" && ls -l lumaro[_-]* SHA256SUMS | awk '{printf "  %10d  %s\n", $5, $9}') >&2
