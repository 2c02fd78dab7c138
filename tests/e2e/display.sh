# Sourced by the end-to-end scripts: a private Xvfb on a display number of its own,
# and the game started in a working directory and found by its window.
# Sets DISPLAY and xvfb_pid; the caller kills xvfb_pid and waits for it when done.
# The number is drawn at random, away from the low ones that a display just closed
# by another run may still be tearing down.
start_display() {  # workdir [WIDTHxHEIGHT]
  local size=${2:-1024x768} n
  for _ in $(seq 10); do
    n=$((200 + RANDOM % 700))
    [ -e "/tmp/.X$n-lock" ] && continue
    # -noreset: the server would otherwise reset when its last client (the readiness
    # probe below) leaves, and the game could meet it mid-reset.
    Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp -noreset >"$1/xvfb.log" 2>&1 &
    xvfb_pid=$!
    export DISPLAY=:$n
    for _ in $(seq 50); do
      kill -0 "$xvfb_pid" 2>/dev/null || break
      xdpyinfo >/dev/null 2>&1 && return 0
      sleep 0.1
    done
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  done
  echo "FAILED: no Xvfb display could be started"; cat "$1/xvfb.log"
  exit 1
}

# A run of several players on one display: a scratch folder, the processes stopped at exit,
# a port of its own, and the display. Sets work, pids and port.
start_players_display() {  # WIDTHxHEIGHT
  work=$(mktemp -d)
  pids=()
  trap 'kill "${pids[@]}" 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"' EXIT
  port=$((6000 + RANDOM % 3900))
  start_display "$work" "$1"
  pids+=("$xvfb_pid")
  export QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy
}

start_game() {  # ploxen workdir: runs the game there, output in workdir/game.log; sets $game
  (cd "$2" && exec "$1" >"$2/game.log" 2>&1) &
  game=$!
}

find_window() {  # title-regex [tries]: the first visible window with that title, or ""
  local w=""
  for _ in $(seq "${2:-100}"); do
    w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 || true)
    [ -n "$w" ] && break
    kill -0 "$game" 2>/dev/null || break
    sleep 0.1
  done
  echo "$w"
}

# The start every one-window run shares: a scratch folder holding the data files and
# the given settings (no score file), a display, the game, and its window with the
# keyboard. Sets work, xvfb, game and win; everything goes at exit.
start_one_game() {  # ploxen datadir settings-text
  work=$(mktemp -d)
  game="" xvfb=""
  trap 'kill $game $xvfb 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"' EXIT
  cp "$2"/* "$work"/ 2>/dev/null || true
  rm -f "$work/Ploxen.sco"
  printf '%b' "$3" > "$work/Ploxen.ini"
  start_display "$work"
  xvfb=$xvfb_pid
  export QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy
  start_game "$1" "$work"
  win=$(find_window '^Ploxen$')
  [ -n "$win" ] || { echo "FAILED: no window"; cat "$work/game.log"; exit 1; }
  xdotool windowfocus --sync "$win"
  sleep 0.5
}

# Several players on one display, each in a directory of its own under $work with its
# own settings; uses $ploxen, $port and $work, adds to $pids and $windows.
windows=()
start_player() {  # name x server: a player whose window stands at x; sets $win
  mkdir -p "$work/$1"
  printf '[Reseau]\nAlias=%s\nServeur=%s\nPort=%s\n[Jeu]\nMotifs=0\nMusique=0\n[Window]\nPosX=%s\nPosY=60\n' \
    "$1" "$3" "$port" "$2" > "$work/$1/Ploxen.ini"
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

shot() {  # name shot-check-arguments...: the screen saved and checked by $shotcheck
  local name=$1; shift
  import -window root "$work/$name.png"
  convert "$work/$name.png" "$work/$name.ppm"
  [ -z "${E2E_SHOTS:-}" ] || cp "$work/$name.png" "$E2E_SHOTS/$name.png"
  echo "== $name"
  "$shotcheck" "$work/$name.ppm" "$@"
}
