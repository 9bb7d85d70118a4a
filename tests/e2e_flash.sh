#!/usr/bin/env bash
# "-flashcheck" and "-safe" from outside: the tunnel fails the flash check at the stretches
# the README's warning names, with its table; "-safe" passes it; and "-safe" leaves every
# frame outside the tamed passages exactly as the show draws it.
set -u
lumaro=$(realpath "$1")
readme=$(realpath "$2")
source "$(dirname "$0")/e2e_common.sh"
cd "$work"

# The tunnel at the size the README's numbers are measured at.
tunnel=(-headless -start=250 -end=290 -size=320x240 -seed=1)
"$lumaro" "${tunnel[@]}" -flashcheck="flash table ü.csv" > checked.txt 2> checked.err
code=$?
[ $code -eq 4 ] || fail "the tunnel's check exited with $code, not 4: $(tail -2 checked.err)"
tail -1 checked.txt | grep -q '^The show fails the flash check' || fail "last line: $(tail -1 checked.txt)"
found=$(grep -o '^from [0-9.]* s to [0-9.]* s: general' checked.txt | awk '{printf "%.1f to %.1f s\n", $2, $5}')
said=$(sed -n '/^\*\*Photosensitivity warning/,/^$/p' "$readme" | tr '\n' ' ' | grep -o 'rail tunnel[^;]*' |
  grep -o '[0-9.]* to [0-9.]* s')
[ -n "$found" ] && [ "$found" = "$said" ] ||
  fail "the check found the stretches"$'\n'"$found"$'\n'"and the README's warning names"$'\n'"$said"
frames=$(fixed_frames 250 290 | cut -d' ' -f1)
rows=$(($(wc -l < "flash table ü.csv") - 1))
[ "$rows" -eq "$frames" ] || fail "the table has $rows rows for $frames frames"
grep -q ',general$' "flash table ü.csv" || fail "no row of the table names the failing kind"

"$lumaro" "${tunnel[@]}" -safe -flashcheck > safe.txt 2> safe.err || fail "-safe's check exited with $?: $(tail -1 safe.txt)"
tail -1 safe.txt | grep -q '^The show passes the flash check' || fail "-safe's last line: $(tail -1 safe.txt)"

# A few frames of every scene, and of the tunnel and the lattice between their flashing
# passages, are the same bytes with -safe; one in a tamed passage of each is not.
stills() {  # FOLDER TIMES [-safe]
  "$lumaro" -headless -nosound -seed=1 -w320 -stills="$2" -videodir="$1" "${@:3}" > /dev/null 2>&1 ||
    fail "the stills in $1 failed"
}
same=10,24,33,55,100,160,205,235,255.5,266.5,278,300,326.5
stills plain $same
stills safe $same -safe
[ "$(ls plain | wc -l)" -eq 13 ] || fail "$(ls plain | wc -l) stills, not 13"
for frame in $(ls plain); do
  cmp -s "plain/$frame" "safe/$frame" || fail "-safe changed $frame, outside the tamed passages"
done
stills plain-tamed 199.5,261.2
stills safe-tamed 199.5,261.2 -safe
for frame in $(ls plain-tamed); do  # the lattice sweeping past, a glow passing the camera
  cmp -s "plain-tamed/$frame" "safe-tamed/$frame" && fail "-safe left $frame, in a tamed passage, as it was"
done
[ "$(ls plain-tamed | wc -l)" -eq 2 ] || fail "$(ls plain-tamed | wc -l) tamed stills, not 2"

finish e2e_flash
