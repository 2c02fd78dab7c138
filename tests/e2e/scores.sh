#!/usr/bin/env bash
# End to end: a Solo game lost under Xvfb enters its score in the high-score file.
# A high starting stack makes the loss quick; soft drops earn the points. The name
# typed in the score table's field and OK store the line; F1 shows the table again.
set -euo pipefail
ploxen=$1 datadir=$2
work=$(mktemp -d)
game="" xvfb=""
trap 'kill $game $xvfb 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"' EXIT
cp "$datadir"/* "$work"/ 2>/dev/null || true
rm -f "$work/Ploxen.sco"
printf '[Jeu]\nNiveau=0\nHauteur=15\nMotifs=0\nMusique=0\n' > "$work/Ploxen.ini"

source "$(dirname "$0")/display.sh"
start_display "$work"
xvfb=$xvfb_pid
export QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy

fail() { echo "FAILED: $*"; cat "$work/game.log"; exit 1; }

gone() {  # window id: waits until it is no longer shown
  for _ in $(seq 50); do
    xdotool search --onlyvisible --name . 2>/dev/null | grep -qx "$1" || return 0
    sleep 0.1
  done
  return 1
}

start_game "$ploxen" "$work"
win=$(find_window '^Ploxen$')
[ -n "$win" ] || fail "no window"
xdotool windowfocus --sync "$win"

xdotool key F2
params=$(find_window '^Param')
[ -n "$params" ] || fail "F2 opened no parameters dialog"
xdotool windowfocus --sync "$params"
xdotool key Return
gone "$params" || fail "the parameters dialog stayed open"
xdotool windowfocus --sync "$win"

# Every piece soft-dropped onto the stack until the match is lost.
table=""
for _ in $(seq 60); do
  xdotool keydown Down
  sleep 0.4
  xdotool keyup Down
  table=$(find_window '^Meilleurs scores$' 2)
  [ -n "$table" ] && break
done
[ -n "$table" ] || fail "no score table after the loss"
echo "ok: score table $table after the loss"

xdotool windowfocus --sync "$table"
sleep 0.2
xdotool type --delay 50 'Testeur'
xdotool key Return
gone "$table" || fail "OK left the score table open"

sco="$work/Ploxen.sco"
[ -f "$sco" ] || fail "no Ploxen.sco after OK"
first=$(head -n1 "$sco")
[[ $first =~ ^([0-9]{6})\ {5}([0-9]{3})\ {5}Testeur$ ]] \
  || { cat "$sco"; fail "first line '$first'"; }
[ $((10#${BASH_REMATCH[1]})) -gt 0 ] || fail "the score is 0: '$first'"
[ "$(wc -l < "$sco")" -eq 10 ] && [ "$(grep -cx '000000     000     -' "$sco")" -eq 9 ] \
  || { cat "$sco"; fail "not the new line and nine empty lines"; }
echo "ok: $first"
stored=$(cat "$sco")

xdotool windowfocus --sync "$win"
xdotool key F1
table=$(find_window '^Meilleurs scores$')
[ -n "$table" ] || fail "F1 opened no score table"
xdotool windowfocus --sync "$table"
xdotool key Return
gone "$table" || fail "OK left the F1 table open"
[ "$(cat "$sco")" = "$stored" ] || fail "F1 changed Ploxen.sco"
echo "ok: F1 shows the table and leaves the file"

xdotool windowfocus --sync "$win"
xdotool key alt+p
sleep 0.3
xdotool key q
for _ in $(seq 50); do kill -0 $game 2>/dev/null || break; sleep 0.1; done
if kill -0 $game 2>/dev/null; then fail "still running after Quitter"; fi
