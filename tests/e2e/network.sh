#!/usr/bin/env bash
# End to end: three real programs on one display play a network game over loopback,
# each in a directory of its own. Alice creates (F3, Enter), Bob and Carol join (F4),
# Alice starts with Space, Bob chats; every window shows three players, falling pieces
# and the chat line. Then Bob leaves by the menu and the two others show two players.
set -euo pipefail
ploxen=$1 shotcheck=$2
source "$(dirname "$0")/display.sh"
start_players_display 1400x600

start_player Alice 10 127.0.0.1; alice=$win
press "$alice" F3 Return
start_player Bob 480 127.0.0.1; bob=$win
press "$bob" F4
start_player Carol 950 127.0.0.1; carol=$win
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
