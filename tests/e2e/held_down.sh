#!/usr/bin/env bash
# End to end: "Bas" held down through a landing, with the X server's own key repeat on.
# The repeat reaches the program as release/press pairs; a pair that the toolkit does
# not match up must not count as the player letting go and pressing again, or every
# new piece would drop at once. Held for 5 s at level 0: the first piece drops to the
# floor, the next falls at the normal pace (a row a second), so the Playfield shows
# eight cells, not a pile.
set -euo pipefail
ploxen=$1 shotcheck=$2 datadir=$3
source "$(dirname "$0")/display.sh"
start_one_game "$ploxen" "$datadir" '[Jeu]\nMotifs=0\nMusique=0\nBruitages=0\nNiveau=0\nHauteur=0\n'
xset r on
xset r rate 250 30   # a repeat as quick as the fastest a desktop offers, so many pairs arrive
xdotool key F2
sleep 0.5
xdotool key Return
sleep 0.3
xdotool windowfocus --sync "$win"
xdotool keydown Down
sleep 5
import -window root "$work/shot.png"
xdotool keyup Down
[ -z "${E2E_SHOTS:-}" ] || cp "$work/shot.png" "$E2E_SHOTS/held_down.png"
convert "$work/shot.png" "$work/shot.ppm"
cells=$("$shotcheck" "$work/shot.ppm" | sed -n 's/^cells drawn in the Playfield: //p')
echo "cells in the Playfield after 5 s of Bas held: ${cells:-none}"
[ "${cells:-0}" -eq 8 ] || { echo "FAILED: expected 8 (one piece landed, one falling)"; exit 1; }
echo "ok: one soft drop per press"
