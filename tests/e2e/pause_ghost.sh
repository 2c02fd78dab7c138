#!/usr/bin/env bash
# End to end: the ghost under a new Solo match, the Pause key blackening and freezing the
# Playfield, and the "Fantôme" menu command taking the ghost away again.
set -euo pipefail
ploxen=$1 shotcheck=$2 datadir=$3
source "$(dirname "$0")/display.sh"
start_one_game "$ploxen" "$datadir" '[Jeu]\nMotifs=0\nFantome=1\n'
xdotool key F2
sleep 0.5
xdotool key Return
sleep 0.5
xdotool windowfocus --sync "$win"
sleep 0.3

shot() {  # name: screenshot as NAME.png, turned into NAME.ppm by ppm
  import -window root "$work/$1.png"
}
ppm() {
  convert "$work/$1.png" "$work/$1.ppm"
  [ -z "${E2E_SHOTS:-}" ] || cp "$work/$1.png" "$E2E_SHOTS/$1.png"
}

# Each Playfield cell by its top-left corner and its middle: P a piece or stack cell (white
# bevel), G a ghost cell (coloured frame, black inside), . black; one letter per cell, top row
# first. ox, oy: the client area's corner found by shot-check.
cells() {
  convert "$work/$1.ppm" -crop "200x400+$((ox + 70))+$oy" +repage txt:- | awk '
    /^#/ { next }
    { split($1, p, /[,:]/); x = p[1]; y = p[2]; c = $3 }
    x % 20 == 0 && y % 20 == 0 { corner[x / 20, y / 20] = c }
    x % 20 == 10 && y % 20 == 10 { middle[(x - 10) / 20, (y - 10) / 20] = c }
    END {
      for (r = 0; r < 20; ++r) for (col = 0; col < 10; ++col) {
        k = corner[col, r]; m = middle[col, r]
        printf "%s", k == "#FFFFFF" ? "P" : (k != "#000000" && m == "#000000") ? "G" : "."
      }
      print ""
    }'
}
count() { tr -cd "$1" <<<"$2" | wc -c; }
top_piece_row() { local i=${1%%P*}; echo $(( ${#i} / 10 )); }

# The pause follows the first picture at once, so that the piece has no time to fall between.
shot ghost
xdotool key Pause
ppm ghost
"$shotcheck" "$work/ghost.ppm" | tee "$work/check.txt"
read -r ox oy < <(sed -n 's/^client area at \([0-9]*\),\([0-9]*\)$/\1 \2/p' "$work/check.txt")
before=$(cells ghost)
echo "cells: $before"
[ "$(count G "$before")" -ge 3 ] || { echo "FAILED: no ghost under the new piece"; exit 1; }
echo "ok: ghost of $(count G "$before") cells below the piece"

sleep 3
shot paused
ppm paused
black=$(convert "$work/paused.ppm" -crop "200x400+$((ox + 70))+$oy" +repage \
        -format %c histogram:info:- | tr -d ' ')
echo "paused Playfield: $black"
[[ "$black" == 80000:*"#000000"* ]] || { echo "FAILED: Playfield not black while paused"; exit 1; }
echo "ok: Playfield black while paused"

xdotool key Up   # a game key only wakes the game
sleep 0.2
shot resumed
ppm resumed
after=$(cells resumed)
fell=$(( $(top_piece_row "$after") - $(top_piece_row "$before") ))
echo "rows fallen across a 3 s pause: $fell"
[ "$fell" -le 1 ] || { echo "FAILED: the piece fell during the pause"; exit 1; }
echo "ok: the piece stood still"

xdotool key alt+c
sleep 0.3
xdotool key f
sleep 0.5
shot noghost
ppm noghost
off=$(cells noghost)
[ "$(count G "$off")" -eq 0 ] && [ "$(count P "$off")" -ge 4 ] \
  || { echo "FAILED: ghost still shown after Fantôme: $off"; exit 1; }
echo "ok: Fantôme took the ghost away"

xdotool key alt+p
sleep 0.3
xdotool key q
for _ in $(seq 50); do kill -0 $game 2>/dev/null || break; sleep 0.1; done
grep -q '^Fantome=0' "$work/Ploxen.ini" || { echo "FAILED: Fantome not stored"; exit 1; }
echo "ok: Fantome=0 stored"
