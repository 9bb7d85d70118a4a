#!/usr/bin/env bash
# The release as people get it: scripts/release.sh (without the page and the Windows zip,
# which their own tests build) makes a package lintian passes and a SHA256SUMS that
# verifies; the package installs into a throwaway root with dpkg, its program runs from
# another folder and finds its music, its manual page, desktop entry and AppStream metadata
# pass their checkers and name only what exists, and purging it leaves the root as it was.
set -u
build=$(realpath "$1")
source "$(dirname "$0")/e2e_common.sh"
source_dir=$(realpath "$(dirname "$0")/..")
dist="$work/my dist"
bash "$source_dir/scripts/release.sh" --build "$build" --out "$dist" --no-web --no-windows > release.log 2>&1 ||
  { fail "release.sh: $(tail -n 20 release.log)"; finish e2e_package; exit; }
deb=$(ls "$dist"/lumaro_*.deb)
version=$("$build/lumaro" --version | cut -d' ' -f2)
[ "$(basename "$deb")" = "lumaro_${version}_$(dpkg --print-architecture).deb" ] || fail "package named $(basename "$deb")"
if git -C "$source_dir" rev-parse --git-dir > /dev/null 2>&1; then  # sources from a checkout only
  tar -tzf "$dist/lumaro-$version.tar.gz" | grep -qx "lumaro-$version/CMakeLists.txt" ||
    fail "no source tarball lumaro-$version.tar.gz with a lumaro-$version/ prefix in: $(ls "$dist")"
fi
(cd "$dist" && sha256sum --quiet -c SHA256SUMS) > sums.log 2>&1 || fail "SHA256SUMS: $(cat sums.log)"
[ "$(wc -l < "$dist/SHA256SUMS")" -eq "$(ls "$dist" | grep -c '^lumaro[_-]')" ] || fail "SHA256SUMS lists: $(cat "$dist/SHA256SUMS")"

lintian --fail-on error,warning --suppress-tags hardening-no-bindnow,hardening-no-fortify-functions "$deb" > lintian.log 2>&1 ||
  fail "lintian: $(cat lintian.log)"
fields=$(dpkg-deb -f "$deb" Depends Recommends)
grep -q "^Depends: .*libsdl2" <<< "$fields" || fail "Depends misses the program's libraries: $fields"
grep -q "^Recommends: ffmpeg" <<< "$fields" || fail "ffmpeg is not recommended: $fields"
owners=$(dpkg-deb -c "$deb" | awk '$2 != "root/root"')
[ -z "$owners" ] || fail "files not owned by root: $owners"

# A throwaway root with an empty package database: no maintainer scripts or triggers run.
root="$work/root"
mkdir -p "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/info" && touch "$root/var/lib/dpkg/status"
before=$(cd "$root" && find . | sort)
dpkg_here() { dpkg --root="$root" --log=/dev/null --force-not-root --force-depends --force-script-chrootless "$@"; }
dpkg_here -i "$deb" > dpkg.log 2>&1 || fail "dpkg -i: $(cat dpkg.log)"
usr="$root/usr"
"$usr/bin/lumaro" --version | grep -qx "lumaro $version" || fail "--version of the installed program"
mkdir "elsewhere 1" && cd "elsewhere 1"
"$usr/bin/lumaro" -headless -videosave -w320 -end=0.2 -videodir=frames 2> run.err || fail "installed run: $(cat run.err)"
! grep -qE "silent|Fehler" run.err || fail "the installed program did not find its music: $(cat run.err)"
[ -f frames/000001.tga ] || fail "the installed program wrote no frame"
cd "$work"
pngs=$(cd "$usr/share/icons/hicolor" && for f in */apps/lumaro.png; do
  python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(24); print(sys.argv[1], "%dx%d" % struct.unpack(">II", d[16:24]))' "$f"
done)
wrong=$(awk '{ split($1, p, "/"); if (p[1] != $2) print }' <<< "$pngs")
[ "$(wc -l <<< "$pngs")" -eq 6 ] && [ -z "$wrong" ] || fail "icons of the wrong size or missing: $pngs"

# The manual page: man finds it, it renders without a warning, and it names only options
# the program takes, every one of them.
page=$(MANPATH="$usr/share/man" man -w lumaro 2>&1)
[ "$page" = "$usr/share/man/man6/lumaro.6.gz" ] || fail "man -w lumaro: $page"
warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 > page.txt)
[ -z "$warnings" ] || fail "the manual page renders with warnings: $warnings"
for section in NAME SYNOPSIS DESCRIPTION WARNING OPTIONS KEYS FILES "EXIT STATUS" EXAMPLES; do
  grep -qx "$section" page.txt || fail "the manual page has no $section"
done
grep -q "/usr/share/lumaro/SongM.xm" page.txt || fail "the manual page does not say where the music is"
names() { grep -oE '(^|[ ,])-[a-z][a-z0-9]*=?' | tr -d ' ,' | sort -u; }
accepted=$("$usr/bin/lumaro" -help | grep -E '^  -' | sed -E 's/^  //; s/  .*//' | names)  # the heads alone
named=$(zcat "$page" | grep -A1 '^\.TP' | grep -v '^\.TP' | sed 's/\\f[BIR]//g; s/\\-/-/g' | names)
[ "$named" = "$accepted" ] || fail "options in the manual page and in -help differ: $(diff <(echo "$named") <(echo "$accepted") | grep '^[<>]' | tr '\n' ' ')"
mentioned=$(zcat "$page" | sed 's/\\f[BIR]//g; s/\\-/-/g' | grep -oE '(^| )-[a-z][a-z0-9]*=?' | tr -d ' ' | sort -u)
said=$("$usr/bin/lumaro" -help | names | tr -d '=' | sort -u)  # anywhere in the help, as "-h" or "with -size"
for option in $mentioned; do
  grep -qx -- "${option%=}" <<< "$said" || fail "the manual page names $option, which lumaro does not take"
done

# The desktop entry and its metadata, whose screenshots are the README's pictures.
entry="$usr/share/applications/io.github.lumaro.Lumaro.desktop"
metainfo="$usr/share/metainfo/io.github.lumaro.Lumaro.metainfo.xml"
verdict=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate: $verdict"
appstreamcli validate --no-net --pedantic "$metainfo" > appstream.log 2>&1 || fail "appstreamcli: $(cat appstream.log)"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metadata has no release $version"
shots=$(grep -oE '<image>[^<]*</image>' "$metainfo" | sed -E 's,<image>.*/raw/[^/]+/([^<]*)</image>,\1,')
[ -n "$shots" ] || fail "the metadata has no screenshots"
for shot in $shots; do
  [ -f "$source_dir/$shot" ] || fail "the metadata shows $shot, which the sources do not hold"
done

dpkg_here --purge lumaro > purge.log 2>&1 || fail "dpkg --purge: $(cat purge.log)"
after=$(cd "$root" && find . -path ./var/lib/dpkg -prune -o -print | sort)
left=$(comm -13 <(echo "$before") <(echo "$after"))
[ -z "$left" ] || fail "the purge left: $left"
finish e2e_package
