#!/usr/bin/env bash
# End to end: three real programs on one display play a network game over loopback,
# each in a directory of its own. Alice creates (F3, Enter), Bob and Carol join (F4),
# Alice starts with Space, Bob chats; every window shows three players, falling pieces
# and the chat line. Then Bob leaves by the menu and the two others show two players.
set -euo pipefail
ploxen=$1 shotcheck=$2
work=$(mktemp -d)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"' EXIT
port=$((6000 + RANDOM % 3900))

source "$(dirname "$0")/display.sh"
start_display "$work" 1400x600
pids+=($xvfb_pid)
export QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy

windows=()
start() {  # name x: a player in a directory of its own, window at x; sets $win
  mkdir -p "$work/$1"
  printf '[Reseau]\nAlias=%s\nServeur=127.0.0.1\nPort=%s\n[Jeu]\nMotifs=0\nMusique=0\n[Window]\nPosX=%s\nPosY=60\n' \
    "$1" "$port" "$2" > "$work/$1/Ploxen.ini"
  (cd "$work/$1" && exec "$ploxen" >"$work/$1.log" 2>&1) &
  pids+=($!)
  win=""
  for _ in $(seq 100); do
    win=$(xdotool search --onlyvisible --name '^Ploxen$' 2>/dev/null \
          | grep -vxF -e none "${windows[@]/#/-e}" | head -n1 || true)
    [ -n "$win" ] && break
    sleep 0.1
  done
  [ -n "$win" ] || { echo "FAILED: no window for $1"; cat "$work/$1.log"; exit 1; }
  windows+=("$win")
}

press() {  # window keys...
  local win=$1; shift
  xdotool windowfocus --sync "$win"
  sleep 0.2
  for k in "$@"; do xdotool key "$k"; sleep 0.3; done
}

shot() {  # name windows players [chat]
  local name=$1; shift
  import -window root "$work/$name.png"
  convert "$work/$name.png" "$work/$name.ppm"
  [ -z "${E2E_SHOTS:-}" ] || cp "$work/$name.png" "$E2E_SHOTS/$name.png"
  echo "== $name"
  "$shotcheck" "$work/$name.ppm" "$@"
}

start Alice 10; alice=$win
press "$alice" F3 Return
start Bob 480; bob=$win
press "$bob" F4
start Carol 950; carol=$win
press "$carol" F4
sleep 0.5
press "$alice" space
sleep 0.5
press "$bob" Return
xdotool type --delay 50 "salut"
xdotool key Return
sleep 1
shot three 3 3 chat

xdotool windowfocus --sync "$bob"
xdotool keydown alt key p keyup alt
sleep 0.3
xdotool key q
sleep 1.5
shot two 2 2
