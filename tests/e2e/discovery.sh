#!/usr/bin/env bash
# End to end: finding a game on the LAN. Run in a network namespace of its own
# with only loopback up, so no query leaves the machine. Alice creates a game;
# Bob, with a blank "Serveur", presses F4 and joins the one game that answers;
# both windows show two players. Bob then opens F5 and presses "Rechercher".
set -euo pipefail
if [ -z "${PLOXEN_PRIVATE_NET:-}" ]; then
  exec env PLOXEN_PRIVATE_NET=1 unshare -rn bash -c 'ip link set lo up && exec "$0" "$@"' "$0" "$@"
fi
ploxen=$1 shotcheck=$2
source "$(dirname "$0")/display.sh"
start_players_display 1000x600

start_player Alice 10 127.0.0.1; alice=$win
press "$alice" F3 Return
start_player Bob 480 ""; bob=$win
press "$bob" F4
sleep 0.5
press "$alice" space
sleep 1
shot found 2 2
grep -q "^Serveur=$" "$work/Bob/Ploxen.ini" || { echo "FAILED: Bob's Serveur was written"; exit 1; }

# The dialog's new controls come after the others: five Tabs from the alias reach "Rechercher".
press "$bob" F5
for _ in 1 2 3 4 5; do xdotool key Tab; sleep 0.1; done
xdotool key space
sleep 1.5
[ -z "${E2E_SHOTS:-}" ] || import -window root "$E2E_SHOTS/search.png"
echo PASSED
