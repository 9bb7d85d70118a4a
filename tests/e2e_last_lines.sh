#!/usr/bin/env bash
# What a run says at its end is what is on disk then: frames or the track taken away while a
# capture runs, the command that joins a capture from -start into a video, a timedemo's CSV
# on a full disk, a video into a folder that is not there, and plain English for one frame.
set -u
lumaro=$(realpath "$1")
source "$(dirname "$0")/e2e_common.sh"
at_exit+=('pkill -P $$ 2>/dev/null' 'mountpoint -q "$work/small" && umount "$work/small"')
cd "$work"
export SDL_AUDIODRIVER=dummy

# Files taken away in the middle: the last line counts what is left and says why it failed.
("$lumaro" -headless -w320 -videosave -videodir=taken -end=40 > /dev/null 2> taken.err; echo $? > taken.rc) &
for _ in $(seq 200); do [ -f taken/000006.tga ] && break; sleep 0.05; done
rm -f taken/000001.tga taken/000002.tga taken/sound.wav
wait
last=$(tail -1 taken.err)
[ "$(cat taken.rc)" -eq 1 ] || fail "frames taken away: exit $(cat taken.rc)"
count=$(ls taken | grep -c '^[0-9]*\.tga$')
case "$last" in
  *"2 of the $((count + 2)) frames written are gone; on disk: $count frames, 000003.tga to "*) ;;
  *) fail "frames taken away: the last line is: $last" ;;
esac
case "${last#*on disk:}" in *sound.wav*) fail "frames taken away: the removed sound.wav is said to be on disk" ;; esac

# The track alone taken away: the frames are all there, the line says the sound is not.
("$lumaro" -headless -w320 -videosave -videodir=mute -end=40 > /dev/null 2> mute.err; echo $? > mute.rc) &
for _ in $(seq 200); do [ -f mute/000006.tga ] && break; sleep 0.05; done
rm -f mute/sound.wav
wait
[ "$(cat mute.rc)" -eq 1 ] && tail -1 mute.err | grep -q "sound.wav: No such file or directory; on disk: [0-9]* frames, 000001.tga to [0-9.tga]* in" ||
  fail "track taken away: exit $(cat mute.rc): $(tail -1 mute.err)"

# A capture from -start says how to join exactly its frames and sound; the command works.
mkdir "in space"
"$lumaro" -headless -w320 -videosave -start=3 -end=4 -videorate=30 "-videodir=in space/frames" 2> join.err ||
  fail "capture from -start: exit $?"
read -r frames first <<< "$(fixed_frames 3 4 30)"
command=$(sed -n 's/^lumaro: to join them into a video: //p' join.err)
[ -n "$command" ] || fail "no join command after the capture: $(cat join.err)"
case "$command" in *"-framerate 30 -start_number "*) ;; *) fail "the join command misses the rate or start: $command" ;; esac
(eval "${command/ffmpeg/ffmpeg -v error -y}") || fail "the join command failed: $command"
probe() { ffprobe -v error -count_packets -select_streams "$1" -show_entries stream=nb_read_packets -of csv=p=0 lumaro.mp4; }
[ "$(probe v)" = "$frames" ] || fail "the joined video holds $(probe v) frames, the capture $frames"
[ -n "$(probe a)" ] || fail "the joined video has no sound"

# One frame is one frame.
"$lumaro" -headless -w320 -stills=5 -videodir=one 2> one.err
tail -1 one.err | grep -q "wrote 1 frame, 000126.tga in" || fail "one still: $(tail -1 one.err)"
grep -q "to join them" one.err && fail "stills are offered a join command"

# A timedemo's CSV is whole or not there, even when the disk fills as it is written.
mkdir small && mount -t tmpfs -o size=64k tmpfs small 2> /dev/null || echo "no tmpfs here: the full CSV is left out"
if mountpoint -q small; then
  head -c 60000 /dev/zero > small/filler 2> /dev/null
  "$lumaro" -timedemo=small/t.csv -w320 -end=40 > /dev/null 2> full.err
  rc=$?
  [ $rc -eq 1 ] && grep -q "No space left on device" full.err || fail "CSV on a full disk: exit $rc: $(cat full.err)"
  leftovers=$(ls small | grep -v '^filler$')
  [ -z "$leftovers" ] || fail "CSV on a full disk left: $leftovers"
fi

# A video into a folder that is not there is refused before anything is drawn.
"$lumaro" -headless -w320 -end=1 -video=no/such/folder/v.mp4 > /dev/null 2> nofolder.err
rc=$?
[ $rc -eq 1 ] && grep -q "cannot write $work/no/such/folder/v.mp4: no folder $work/no/such/folder" nofolder.err ||
  fail "video into a missing folder: exit $rc: $(cat nofolder.err)"

# Stand-in encoders: the real ffmpeg, then its file taken away; an ffprobe that reads nothing.
mkdir -p nofile/bin noprobe/bin
real_ffmpeg=$(command -v ffmpeg) real_ffprobe=$(command -v ffprobe)
cat > nofile/bin/ffmpeg <<STANDIN
#!/usr/bin/env bash
"$real_ffmpeg" "\$@"; status=\$?
out="\${@: -1}"; rm -f "\${out#file:}"; exit \$status
STANDIN
cat > noprobe/bin/ffprobe <<STANDIN
#!/usr/bin/env bash
case " \$* " in *" -version "*) exec "$real_ffprobe" "\$@" ;; esac
exit 1
STANDIN
chmod +x nofile/bin/ffmpeg noprobe/bin/ffprobe
PATH="$work/nofile/bin:$PATH" "$lumaro" -headless -w320 -end=0.4 -video=gone.mp4 > /dev/null 2> nofile.err
rc=$?
[ $rc -eq 1 ] && tail -1 nofile.err | grep -q "^lumaro: no video was written: the encoder made no file $work/gone.mp4.part$" ||
  fail "an encoder that made no file: exit $rc: $(cat nofile.err)"
PATH="$work/noprobe/bin:$PATH" "$lumaro" -headless -w320 -end=0.4 -video=unread.mp4 > /dev/null 2> noprobe.err
rc=$?
last=$(tail -1 noprobe.err)
[ $rc -eq 1 ] && [ "$(grep -o "does not read back" <<< "$last" | wc -l)" -eq 1 ] ||
  fail "a video that does not read back: exit $rc, the reason not said once: $last"

finish e2e_last_lines
