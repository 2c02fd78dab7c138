#!/usr/bin/env bash
# A player's session under Xvfb with the openbox window manager, every step checked on the
# screen or in the files the game writes: F2 and Return start Solo; each menu pulled down with
# the mouse holds the piece and, closed by Escape, leaves the arrows to the game, as does a lone
# Alt; F8 toggles "Musique" once per press; a 1-second tune starts again under the chat dialog;
# the frames offer only their buttons and a minimised dialog comes back. (That a row's clearing
# frames reach the screen is pinned offscreen by the Qt back end's test of what is drawn before
# a pause.) Screenshots stay in $E2E_DIR (default /tmp/ploxen-session).
#   session.sh PLOXEN BOARD-WATCH DATADIR
set -euo pipefail
ploxen=$1 watch=$2 datadir=$3
shots=${E2E_DIR:-/tmp/ploxen-session}
mkdir -p "$shots"
work=$(mktemp -d)
game="" xvfb="" wm=""
trap 'kill $game $wm $xvfb 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"' EXIT
cp "$datadir"/* "$work"/ 2>/dev/null || true
rm -f "$work/Ploxen.sco"
printf '[Jeu]\nMotifs=0\nMusique=0\nNiveau=0\nHauteur=0\n' > "$work/Ploxen.ini"
# One note of about 0.94 s, the track ending at 1 s (480 ticks a beat at 120 a minute).
printf 'MThd\0\0\0\6\0\0\0\1\1\340MTrk\0\0\0\15\0\220\74\144\207\4\200\74\100\74\377\57\0' \
  > "$work/Ploxen.mid"

source "$(dirname "$0")/display.sh"
start_display "$work"
xvfb=$xvfb_pid
openbox >"$work/openbox.log" 2>&1 &
wm=$!
for _ in $(seq 50); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break; sleep 0.1; done
export QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/audio.raw"

failed=0
check() {  # condition-text what
  if eval "$1"; then echo "ok: $2"; else echo "FAILED: $2"; failed=1; fi
}
shot() { import -window root "$shots/$1.png"; echo "screenshot: $shots/$1.png"; }
board() { "$watch" board; }
# The falling piece's cells as "row,col" words, once it is below the rows that a menu covers
# and while no stack has grown yet: every drawn cell from row 7 down.
piece() {
  board | tail -n +2 | awk 'NR > 7 { for (c = 1; c <= 10; ++c) if (substr($0, c, 1) == "#") printf "%d,%d ", NR - 1, c - 1 }'
}
shifted() {  # cells rows cols: the cells moved
  echo "$1" | tr ' ' '\n' | awk -F, -v r="$2" -v c="$3" 'NF { printf "%d,%d ", $1 + r, $2 + c }'
}
# b is a, or a one gravity step lower (level 0 steps once a second), moved by cols columns.
same_or_stepped() { [ "$2" = "$(shifted "$1" 0 "${3:-0}")" ] || [ "$2" = "$(shifted "$1" 1 "${3:-0}")" ]; }
ini() { grep -a "^$1=" "$work/Ploxen.ini" | cut -d= -f2 | tr -d '\r'; }
motif_functions() { xprop -id "$1" _MOTIF_WM_HINTS 2>/dev/null | sed 's/.*= //' | cut -d, -f2 | tr -d ' '; }

start_game "$ploxen" "$work"
win=$(find_window '^Ploxen$' 200)
[ -n "$win" ] || { echo "FAILED: no window"; cat "$work/game.log"; exit 1; }
xdotool windowfocus --sync "$win"
sleep 0.5

# The main window: minimise and close, neither resizing nor maximising.
f=$(motif_functions "$win")
check '[ $((f & 0x12)) -eq 0 ] && [ $((f & 0x28)) -eq $((0x28)) ]' \
  "main window asks for minimise and close only (Motif functions $f)"
actions=$(xprop -id "$win" _NET_WM_ALLOWED_ACTIONS)
check '! echo "$actions" | grep -q -e MAXIMIZE -e RESIZE' "the window manager offers no maximise or resize"

xdotool key F2
sleep 0.5
xdotool key Return
sleep 0.5
xdotool windowfocus --sync "$win"
read -r ox oy < <(board | head -1)

# Each menu: down for 2.5 s, the piece stays; Escape; Left moves the piece at once. The piece
# is first brought below where the menus drop down.
lower() {
  xdotool keydown Down
  for _ in $(seq 40); do [ "$(piece | cut -d, -f1)" -ge 8 ] 2>/dev/null && break; done
  xdotool keyup Down
}
for menu in 1 2; do
  x=$((ox + (menu == 1 ? 20 : 75))) y=$((oy - 10))
  lower
  before=$(piece)
  xdotool mousemove "$x" "$y" click 1
  sleep 2.5
  under=$(piece)
  shot "menu$menu-open"
  check 'same_or_stepped "$before" "$under"' "menu $menu: the piece stays while the menu is down ($before / $under)"
  xdotool key Escape
  sleep 0.2
  after=$(piece)
  xdotool key Left
  sleep 0.2
  moved=$(piece)
  check 'same_or_stepped "$after" "$moved" -1' "menu $menu closed by Escape: Left moves the piece ($after -> $moved)"
  check '[ "$after" = "$under" ]' "menu $menu: no step made up when it closes"
done
xdotool mousemove $((ox + 100)) $((oy + 200))
before=$(piece)
xdotool key alt
sleep 0.2
xdotool key Left
sleep 0.2
moved=$(piece)
check 'same_or_stepped "$before" "$moved" -1' "after a lone Alt, Left moves the piece ($before -> $moved)"

# F8 toggles once per press, the first one loading the sound font.
for want in 1 0 1; do
  xdotool key F8
  sleep 1.5
  check '[ "$(ini Musique)" = "$want" ]' "F8 once: Musique=$want"
done

# The tune ends after a second and starts again under the modal chat dialog.
sleep 1
from=$(stat -c %s "$work/audio.raw")
xdotool key Return
chat=$(find_window '^Message$' 30)
sleep 3.5
to=$(stat -c %s "$work/audio.raw")
shot chat-open
sound=$("$watch" audio "$work/audio.raw" "$from" "$to")
echo "sound under the chat dialog, per tenth of a second: $sound"
check '[ -n "$chat" ] && [[ "${sound:20}" == *"#"* ]]' "the tune plays again after its first end, dialog open"
xdotool key Escape
sleep 0.3
xdotool windowfocus --sync "$win"

# A dialog: title and close only, and minimising it does not take the game away.
xdotool windowfocus --sync "$win"
xdotool key F1
scores=$(find_window '^Meilleurs')
[ -n "$scores" ] || scores=none
f=$(motif_functions "$scores")
check '[ -n "$f" ] && [ $((f & 0x1a)) -eq 0 ]' "the score dialog asks for neither minimise, maximise nor resize (Motif functions $f)"
check 'xprop -id "$scores" WM_TRANSIENT_FOR 2>/dev/null | grep -q "$(printf "0x%x" "$win")"' "the dialog is transient for the main window"
xdotool windowminimize "$scores" 2>/dev/null || true
sleep 1
shot dialog-minimised
check 'xprop -id "$scores" WM_STATE 2>/dev/null | grep -q Normal && xprop -id "$win" WM_STATE | grep -q Normal' \
  "a minimised dialog comes back, the game with it"
xdotool key Escape
sleep 0.3

xdotool windowfocus --sync "$win"
xdotool key alt+p
sleep 0.3
xdotool key q
for _ in $(seq 50); do kill -0 "$game" 2>/dev/null || break; sleep 0.1; done
check '! kill -0 "$game" 2>/dev/null' "Quitter ends the program"
[ $failed -eq 0 ] || { echo "--- game output"; cat "$work/game.log"; }
exit $failed
