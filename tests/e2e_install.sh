#!/usr/bin/env bash
# The installed program: everything lands under the prefix, the program stripped, the
# program started from any folder finds its music there, and the uninstall takes it all away
# again, but leaves the folders that were there before. (e2e_package checks the desktop
# entry, the metadata and the manual page of the same tree.)
set -u
build=$(realpath "$1")
source "$(dirname "$0")/e2e_common.sh"
source_dir=$(realpath "$(dirname "$0")/..")
prefix="$work/my prefix"
cmake --install "$build" --prefix "$prefix" > install.log 2>&1 || fail "install failed: $(cat install.log)"
for file in bin/lumaro share/lumaro/SongM.xm share/applications/io.github.lumaro.Lumaro.desktop \
            share/metainfo/io.github.lumaro.Lumaro.metainfo.xml share/man/man6/lumaro.6 \
            share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/lumaro.png; do
  [ -f "$prefix/$file" ] || fail "not installed: $file"
done
sections=$(readelf -S --wide "$prefix/bin/lumaro" | grep -oE '\.(debug|zdebug)[a-z_]*' | sort -u | tr '\n' ' ')
[ -z "$sections" ] || fail "the installed program keeps its debug sections: $sections"
installed=$(find "$prefix" -type f | wc -l)

mkdir elsewhere && cd elsewhere
"$prefix/bin/lumaro" -headless -videosave -w320 -end=1 -videodir=frames 2> run.err || fail "installed run: $(cat run.err)"
! grep -qE "silent|Fehler" run.err || fail "the installed program did not find its music: $(cat run.err)"
python3 - frames/sound.wav <<'PY' || fail "the installed program's track is silent"
import array, sys
samples = array.array('f', open(sys.argv[1], 'rb').read()[44:])
assert max(abs(s) for s in samples) > 0.01
PY
"$prefix/bin/lumaro" --version | grep -q "^lumaro [0-9]" || fail "--version of the installed program"
cd "$work"

bash "$source_dir/scripts/uninstall.sh" "$build" > uninstall.log || fail "uninstall failed: $(cat uninstall.log)"
left=$(find "$work/my prefix" -type f 2> /dev/null)
[ -z "$left" ] || fail "uninstall left: $left"
[ ! -e "$work/my prefix" ] || fail "uninstall left the emptied folders: $(find "$work/my prefix")"
grep -q "uninstalled the $installed files" uninstall.log || fail "$installed files installed, the uninstall says: $(cat uninstall.log)"

# A prefix that already has its bin, etc and share/applications, as /usr/local or ~/.local
# have: they stay, with what they held; only the folders the install made go.
shared="$work/local"
mkdir -p "$shared"/{bin,etc,share/applications} && touch "$shared/etc/theirs.conf"
cmake --install "$build" --prefix "$shared" > install.log 2>&1 || fail "install into $shared failed: $(cat install.log)"
bash "$source_dir/scripts/uninstall.sh" "$build" > uninstall.log || fail "uninstall failed: $(cat uninstall.log)"
for dir in bin etc share share/applications; do
  [ -d "$shared/$dir" ] || fail "the uninstall removed $dir, which was there before the install"
done
[ -f "$shared/etc/theirs.conf" ] || fail "the uninstall removed a file it did not install"
left=$(cd "$shared" && find . -mindepth 1 | sort | tr '\n' ' ')
[ "$left" = "./bin ./etc ./etc/theirs.conf ./share ./share/applications " ] || fail "after the uninstall $shared holds: $left"
finish e2e_install
