#!/usr/bin/env bash
# The Windows program under Wine on its own Xvfb, against the native program: the same
# stills across the show, the same two-second capture and sound.wav, the same messages and
# exit codes; a window program linked alone; the zip as its README.txt lists it.
# Run by scripts/windows.sh test, which sets LUMARO_EXE, LUMARO_NATIVE, LUMARO_ZIP,
# LUMARO_UNIT_TESTS, LUMARO_STAND_INS (the stand-in ffmpeg.exe and ffprobe.exe) and LUMARO_TEST_DIR.
set -u
work=$LUMARO_TEST_DIR
rm -rf "$work" && mkdir -p "$work"
cd "$work"
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
passed=0 failed=0
check() {  # name, command...
  local name=$1
  shift
  if "$@" > "$work/$name.log" 2>&1; then passed=$((passed + 1)); echo "ok: $name"
  else failed=$((failed + 1)); echo "FAILED: $name"; sed 's/^/  /' "$work/$name.log" | tail -20; fi
}

# --- the file itself -----------------------------------------------------------------
gui_subsystem() { x86_64-w64-mingw32-objdump -p "$LUMARO_EXE" | grep -E '^Subsystem[[:space:]]+0+2[[:space:]]+\(Windows GUI\)'; }
# Only DLLs every Windows has: no MinGW runtime, no SDL2.dll beside it.
runs_alone() {
  local dlls
  dlls=$(x86_64-w64-mingw32-objdump -p "$LUMARO_EXE" | sed -n 's/.*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
  echo "$dlls"
  ! echo "$dlls" | grep -Ev '^(kernel32|user32|gdi32|shell32|advapi32|ole32|oleaut32|imm32|winmm|version|setupapi|opengl32|glu32|msvcrt|psapi|ws2_32|shlwapi|cfgmgr32|hid)\.dll$'
}
zip_as_readme_says() {
  local listed readme
  listed=$(unzip -Z1 "$LUMARO_ZIP" | grep -v '/$' | sed 's|^[^/]*/||' | sort)
  readme=$(unzip -p "$LUMARO_ZIP" '*/README.txt' | tr -d '\r' | sed -n 's/^  \([A-Za-z][A-Za-z.]*\)  .*/\1/p' | sort)
  echo "zip: $listed"; echo "README.txt: $readme"
  [ -n "$listed" ] && [ "$listed" = "$readme" ]
}
# The icon Explorer shows: PNG pictures at the sizes it asks for, 256 px among them.
has_icon() {
  wrestool -x --type=14 "$LUMARO_EXE" > icon.ico || return 1
  file icon.ico
  python3 -c 'import struct, sys
data = open("icon.ico", "rb").read()
count = struct.unpack_from("<HHH", data)[2]
sizes = sorted(data[6 + 16 * i] or 256 for i in range(count))
print("sizes", sizes)
sys.exit(sizes != [16, 32, 48, 256])'
}
# The fixed version numbers and the strings Properties shows, as the zip is named.
has_version() {
  local version
  version=$(basename "$LUMARO_ZIP" | sed 's/^lumaro-\(.*\)-windows-.*/\1/')
  wrestool -x --raw --type=16 "$LUMARO_EXE" > version.bin || return 1
  python3 -c 'import struct, sys
data, want = open("version.bin", "rb").read(), sys.argv[1]
at = data.index(struct.pack("<I", 0xFEEF04BD))
ms, ls = struct.unpack_from("<II", data, at + 8)
fixed = "%d.%d.%d" % (ms >> 16, ms & 0xFFFF, ls >> 16)
text = data.decode("utf-16-le", "replace")
strings = {k: text.split(k + "\0", 1)[1].lstrip("\0").split("\0", 1)[0] for k in ("ProductName", "ProductVersion", "OriginalFilename")}
print(fixed, strings)
sys.exit(fixed != want or strings != {"ProductName": "Lumaro", "ProductVersion": want, "OriginalFilename": "lumaro.exe"})' "$version"
}
has_manifest() {
  wrestool -x --raw --type=24 "$LUMARO_EXE" > manifest.xml || return 1
  cat manifest.xml
  [ "$(wrestool -l --type=24 "$LUMARO_EXE" | wc -l)" = 1 ] && grep -q '<activeCodePage[^>]*>UTF-8</activeCodePage>' manifest.xml
}
check gui_subsystem gui_subsystem
check has_icon has_icon
check has_version has_version
check has_manifest has_manifest
check runs_alone runs_alone
check zip_as_readme_says zip_as_readme_says

# --- under Wine ------------------------------------------------------------------------
# A free display, which Xvfb names once it is ready.
Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp -noreset 5> "$work/display" > "$work/xvfb.log" 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; wineserver -k 2>/dev/null' EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start: $(cat "$work/xvfb.log")"; exit 1; }
export DISPLAY=:$(head -n1 "$work/display")
wineboot -i > "$work/wineboot.log" 2>&1
unzip -q "$LUMARO_ZIP" -d "$work/zip"
exe=$(ls "$work"/zip/*/lumaro.exe)
win() { timeout 600 wine "$exe" "$@"; }

# The reference is the native program drawing the same way: through GLX on the same Xvfb
# into its frame target (-window). Its EGL pbuffer (-headless) differs from both by a few
# levels in a few pixels, the driver's doing rather than the program's.
# A moment in every scene, fades and cuts among them, and the last black second.
stills=0.5,6.0,10.0,16.0,20.2,24.0,31.52,39.96,40.0,50.0,77.5,110.0,150.0,180.5,193.56,200.0,225.0,262.0
stills=$stills,283.0,291.03,305.0,324.6,326.5,328.5
same_stills() {
  "$LUMARO_NATIVE" -window -nosound -seed=1 -w320 -stills=$stills -videodir=linux-stills || return 1
  win -headless -nosound -seed=1 -w320 -stills=$stills -videodir=windows-stills || return 1
  local count
  count=$(ls linux-stills | wc -l)
  echo "$count stills"
  [ "$count" -ge 10 ] && diff -r linux-stills windows-stills
}
same_capture() {
  "$LUMARO_NATIVE" -window -seed=1 -videosave -end=2 -w320 -videodir=linux-capture || return 1
  win -headless -seed=1 -videosave -end=2 -w320 -videodir=windows-capture || return 1
  ls linux-capture | wc -l
  [ -f linux-capture/sound.wav ] && diff -r linux-capture windows-capture
}
same_words() {  # arguments...: the same stdout, stderr and exit code
  "$LUMARO_NATIVE" "$@" > linux.out 2> linux.err
  local linux=$?
  win "$@" > windows.out 2> windows.err
  local windows=$?
  echo "exit codes: $linux $windows"
  sed -i 's/\r$//' windows.out windows.err
  [ "$linux" = "$windows" ] && diff linux.out windows.out && diff linux.err windows.err
}
check same_stills same_stills
check same_capture same_capture
# Folder and file names beyond ASCII (and beyond Windows' Western code page) come through
# the command line and reach the disk as the user typed them.
odd="frames ü ж 1"
# The frames go through CreateFileW, sound.wav through the C runtime's fopen, which reads
# UTF-8 only with the manifest's code page.
odd_folder() {
  win -headless -seed=1 -w320 -videosave -end=0.5 -videodir=plain || return 1
  win -headless -seed=1 -w320 -videosave -end=0.5 -videodir="$odd" || return 1
  ls plain "$odd" && [ -f plain/sound.wav ] && diff -r plain "$odd"
}
odd_timedemo() {
  win -headless -nosound -w320 -start=325 -timedemo="$odd.csv" > /dev/null || return 1
  ls ./*.csv && head -n2 "$odd.csv" | grep -q '^14,'
}
check odd_folder odd_folder
check odd_timedemo odd_timedemo
check same_usage_error same_words -bogus
check same_refusal same_words -w320 -stills=400
check same_version same_words -version
check same_help same_words -help

# -video through stand-ins of ffmpeg.exe and ffprobe.exe on PATH (WINEPATH), which check the
# frames and sound they are fed against their arguments, the priority and the job.
with_encoder() { WINEPATH=$(winepath -w "$LUMARO_STAND_INS") win "$@"; }
video_made() {
  mkdir -p "video ü 1"
  with_encoder -headless -seed=1 -w320 -end=1 -video="video ü 1/v.mp4" 2> video.err
  local rc=$? last
  last=$(tail -n1 video.err | tr -d '\r')
  echo "exit $rc: $last"; ls "video ü 1"
  [ $rc -eq 0 ] && [ -f "video ü 1/v.mp4" ] && [ ! -e "video ü 1/v.mp4.part" ] &&
    grep -Eq "^lumaro: wrote .*video ü 1.v\.mp4 \(25 frames, " <<< "$last" &&
    grep -q "frames=25 samples=48000" "video ü 1/v.mp4"
}
video_refused() {
  LUMARO_STAND_IN=fail with_encoder -headless -seed=1 -w320 -end=1 -video=failed.mp4 2> failed.err
  local rc=$? last
  last=$(tail -n1 failed.err | tr -d '\r')
  echo "exit $rc: $last"
  [ $rc -eq 1 ] && [ ! -e failed.mp4 ] &&
    [ "$last" = "lumaro: no video was written: the video encoder (ffmpeg) exited with code 1: stand-in: told to fail" ]
}
video_no_encoder() {
  win -headless -w320 -end=1 -video=none.mp4 2> none.err
  local rc=$?
  cat none.err
  [ $rc -eq 1 ] && ! ls none.mp4* 2> /dev/null &&
    grep -q "making a video needs the ffmpeg and ffprobe programs, and they do not run from PATH" none.err
}
check video_made video_made
check video_refused video_refused
check video_no_encoder video_no_encoder
if [ -f "${LUMARO_UNIT_TESTS:-}" ]; then
  check unit_tests timeout 600 wine "$LUMARO_UNIT_TESTS" --gtest_brief=1
fi
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
