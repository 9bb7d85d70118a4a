#!/usr/bin/env bash
# The Debian package of a build: what `cmake --install` puts under /usr, with the manual
# page compressed, the program stripped as Debian strips, Debian's copyright and changelog in
# share/doc/lumaro, and a control file whose Depends dpkg-shlibdeps reads from the program.
# usage: scripts/debian_package.sh BUILD VERSION WORKDIR OUTDIR MAINTAINER  (release.sh calls it)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$1 version=$2 work=$3 out=$4 maintainer=$5
arch=$(dpkg --print-architecture)
stage=$work/debian/lumaro  # where dpkg-shlibdeps expects a package's files
rm -rf "$stage" && mkdir -p "$stage"
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(date +%s)}
umask 022

# The same tree as a source install; the build's own install lists are left as they were,
# so scripts/uninstall.sh still takes away what the user installed from it.
for list in install_manifest.txt install_folders.txt; do
  [ -f "$build/$list" ] && cp -p "$build/$list" "$work/$list.kept"
done
DESTDIR=$stage cmake --install "$build" --prefix /usr > "$work/install.log"
for list in install_manifest.txt install_folders.txt; do
  rm -f "$build/$list"
  [ -f "$work/$list.kept" ] && mv "$work/$list.kept" "$build/$list"
done

usr=$stage/usr
# The manual page names where the music is installed: written again for /usr, whatever
# prefix the build was configured for.
"$build/manpage" "$usr/share/man/man6/lumaro.6" "$root/README.md" /usr/share
gzip -9n "$usr/share/man/man6/lumaro.6"
strip --strip-unneeded --remove-section=.comment --remove-section=.note "$usr/bin/lumaro"
# Debian's doc folder is named after the package; LICENSE's text is in its copyright.
rm -rf "$usr/share/doc" && doc=$usr/share/doc/lumaro && mkdir -p "$doc"
{
  printf 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n'
  printf 'Upstream-Name: Lumaro\nSource: %s\n\n' "$(sed -n 's/^LUMARO_SOURCE_URL:STRING=//p' "$build/CMakeCache.txt")"
  printf 'Files: *\nCopyright: %s\nLicense: MIT\n\n' "$(sed -n 's/^Copyright (c) //p' "$root/LICENSE" | head -n1)"
  printf 'License: MIT\n'
  sed -n '/^Permission/,$p' "$root/LICENSE" | sed 's/^$/./; s/^/ /'
} > "$doc/copyright"
{
  printf 'lumaro (%s) unstable; urgency=medium\n\n  * Release %s.\n\n' "$version" "$version"
  printf ' -- %s  %s\n' "$maintainer" "$(date -u -R -d "@$SOURCE_DATE_EPOCH")"
} | gzip -9n > "$doc/changelog.gz"
find "$stage" -type d -exec chmod 0755 {} + && find "$stage" -type f -exec chmod 0644 {} +
chmod 0755 "$usr/bin/lumaro"

# Depends from the libraries the program links, as dpkg-shlibdeps finds their packages.
# It finds the package's root by its DEBIAN folder.
mkdir -p "$stage/DEBIAN"
printf 'Source: lumaro\n\nPackage: lumaro\nArchitecture: any\n' > "$work/debian/control"
depends=$(cd "$work" && dpkg-shlibdeps -O debian/lumaro/usr/bin/lumaro | sed -n 's/^shlibs:Depends=//p')
[ -n "$depends" ] || { echo "debian_package.sh: dpkg-shlibdeps found no dependencies" >&2; exit 1; }
cat > "$stage/DEBIAN/control" << EOF
Package: lumaro
Version: $version
Architecture: $arch
Maintainer: $maintainer
Installed-Size: $(du -sk --exclude=DEBIAN "$stage" | cut -f1)
Depends: $depends
Recommends: ffmpeg
Section: video
Priority: optional
Homepage: $(sed -n 's/^LUMARO_SOURCE_URL:STRING=//p' "$build/CMakeCache.txt")
Description: real-time OpenGL demo with its own music
 Lumaro plays a fixed 329-second show of fourteen timed scenes, rendered in
 real time with OpenGL to its own tracker music: caption cards, a plasma
 title, a spark fountain, fireworks, a lit fractal, a fireball over a planet,
 a cube lattice, an ornament among the stars, a rail tunnel and metaballs.
 .
 It can also write every frame to disk, or make a video of the show with its
 music (with ffmpeg). The rail tunnel flashes the whole screen: not for
 viewers with photosensitive epilepsy.
EOF
(cd "$stage" && find usr -type f -print0 | sort -z | xargs -0 md5sum > DEBIAN/md5sums)
chmod 0644 "$stage/DEBIAN/control" "$stage/DEBIAN/md5sums"
# Every file dated no later than the commit, so that the same commit packs the same files.
find "$stage" -newermt "@$SOURCE_DATE_EPOCH" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
dpkg-deb --root-owner-group -Zxz --build "$stage" "$out/lumaro_${version}_$arch.deb" > /dev/null
echo "debian_package.sh: $out/lumaro_${version}_$arch.deb" >&2
