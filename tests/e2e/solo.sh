#!/usr/bin/env bash
# End to end: the real program under Xvfb, driven by real key events.
# Shows the score table twice, starts a Solo game with F2 and Enter, plays a few pieces,
# checks a screenshot,
# then quits through the menu and checks that the window position was stored.
set -euo pipefail
ploxen=$1 shotcheck=$2 datadir=$3
source "$(dirname "$0")/display.sh"
start_one_game "$ploxen" "$datadir" '[Jeu]\nMotifs=0\n'

# The score table shown and closed twice: under AddressSanitizer the dialog's teardown is checked.
for _ in 1 2; do
  xdotool key F1
  sleep 0.4
  xdotool key Escape
  sleep 0.3
done
xdotool windowfocus --sync "$win"
xdotool key F2        # parameters dialog
sleep 0.5
xdotool key Return    # OK: a Solo match starts
sleep 0.5
xdotool windowfocus --sync "$win"
for k in Left Left Up Right Down; do xdotool key "$k"; sleep 0.15; done
sleep 1.5
xdotool key Control_L Right Right
sleep 0.3

import -window root "$work/shot.png"
convert "$work/shot.png" "$work/shot.ppm"
[ -z "${E2E_SHOTS:-}" ] || cp "$work/shot.png" "$E2E_SHOTS/solo.png"
"$shotcheck" "$work/shot.ppm"

xdotool key alt+p
sleep 0.3
xdotool key q
for _ in $(seq 50); do kill -0 $game 2>/dev/null || break; sleep 0.1; done
if kill -0 $game 2>/dev/null; then echo "FAILED: still running after Quitter"; exit 1; fi
grep -q '^PosX=' "$work/Ploxen.ini" && grep -q '^PosY=' "$work/Ploxen.ini" \
  || { echo "FAILED: PosX/PosY not stored"; cat "$work/Ploxen.ini"; exit 1; }
echo "ok: $(grep -E '^Pos[XY]=' "$work/Ploxen.ini" | tr '\n' ' ')"
