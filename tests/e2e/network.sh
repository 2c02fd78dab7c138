#!/usr/bin/env bash
# End to end: two real programs on one display play a network game over loopback.
# Alice creates (F3, Enter), Bob joins (F4), Alice starts with Space, Bob chats;
# a screenshot must show both windows with two players, falling pieces and the chat line.
set -euo pipefail
ploxen=$1 shotcheck=$2
work=$(mktemp -d)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true; rm -rf "$work"' EXIT
port=$((6000 + RANDOM % 3900))

source "$(dirname "$0")/display.sh"
start_display "$work"
pids+=($xvfb_pid)
export QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy

start() {  # name x before: a player in a directory of its own, window at x; sets $win
  mkdir -p "$work/$1"
  printf '[Reseau]\nAlias=%s\nServeur=127.0.0.1\nPort=%s\n[Jeu]\nMotifs=0\nMusique=0\n[Window]\nPosX=%s\nPosY=60\n' \
    "$1" "$port" "$2" > "$work/$1/Ploxen.ini"
  (cd "$work/$1" && exec "$ploxen" >"$work/$1.log" 2>&1) &
  pids+=($!)
  local before=$3
  win=""
  for _ in $(seq 100); do
    win=$(xdotool search --onlyvisible --name '^Ploxen$' 2>/dev/null | grep -vxF -e "$before" | head -n1 || true)
    [ -n "$win" ] && break
    sleep 0.1
  done
  [ -n "$win" ] || { echo "FAILED: no window for $1"; cat "$work/$1.log"; exit 1; }
}

press() {  # window keys...
  local win=$1; shift
  xdotool windowfocus --sync "$win"
  sleep 0.2
  for k in "$@"; do xdotool key "$k"; sleep 0.3; done
}

start Alice 20 none
alice=$win
press "$alice" F3 Return
start Bob 530 "$alice"
bob=$win
press "$bob" F4
sleep 0.5
press "$alice" space
sleep 0.5
press "$bob" Return
xdotool type --delay 50 "salut"
xdotool key Return
sleep 1

import -window root "$work/shot.png"
convert "$work/shot.png" "$work/shot.ppm"
cp "$work/shot.png" "${E2E_SHOT:-/tmp/ploxen-e2e-network.png}" 2>/dev/null || true
"$shotcheck" "$work/shot.ppm" 2 2 chat
