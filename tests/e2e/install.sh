#!/usr/bin/env bash
# End to end: the game installed under a temporary prefix, started by its launcher from an
# unrelated folder as a player would, with a home of its own. It must find its picture, keep
# its settings in the per-user folder only, and answer --help, --version and a bad option.
set -euo pipefail
build=$1
work=$(mktemp -d)
game="" xvfb=""
trap 'kill $game $xvfb 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "FAILED: $*"; cat "$work/elsewhere/game.log" 2>/dev/null || true; exit 1; }

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log" || { cat "$work/install.log"; fail "install"; }
launcher=$prefix/bin/ploxen
for f in "$launcher" "$prefix/share/ploxen/Ploxen.gif" "$prefix/share/applications/ploxen.desktop" \
         "$prefix/share/icons/hicolor/48x48/apps/ploxen.png" "$prefix/share/man/man6/ploxen.6.gz" \
         "$prefix/share/man/fr/man6/ploxen.6.gz"; do
  [ -e "$f" ] || fail "not installed: ${f#$prefix/}"
done
# The icon files are whole PNG images of their size (a bad checksum would stop the reader).
for s in 16 32 48 64 128 256; do
  got=$(identify -format '%wx%h' "$prefix/share/icons/hicolor/${s}x${s}/apps/ploxen.png" 2>&1) || true
  [ "$got" = "${s}x${s}" ] || fail "icon ${s}x${s}: $got"
done
echo "ok: installed under a temporary prefix"

export HOME=$work/home XDG_DATA_HOME=$work/data
mkdir -p "$HOME" "$work/elsewhere"
source "$(dirname "$0")/display.sh"
start_display "$work"
xvfb=$xvfb_pid
export QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy

start_game "$launcher" "$work/elsewhere"
win=$(find_window '^Ploxen$')
[ -n "$win" ] || fail "no window"
echo "ok: window $win"
xdotool windowfocus --sync "$win"
sleep 0.5
xdotool key F2        # parameters dialog
sleep 0.5
xdotool key Return    # OK: a Solo match starts
sleep 1
xdotool windowfocus --sync "$win"
# The picture's bottom-left block is the StatsPanel's background in the patterned display,
# drawn only when the game found its picture: it must be the window's bottom-left corner.
import -window "$win" "$work/shot.png"
convert "$work/shot.png" -gravity SouthWest -crop 20x20+0+0 +repage "$work/corner.ppm"
convert "$prefix/share/ploxen/Ploxen.gif" -crop 20x20+0+380 +repage "$work/block.ppm"
differ=$(compare -metric AE "$work/corner.ppm" "$work/block.ppm" null: 2>&1) || true
[ "$differ" = 0 ] || fail "no picture: $differ pixels of the window's corner differ from it"
echo "ok: the picture's StatsPanel background at the window's corner"
[ -z "${E2E_SHOTS:-}" ] || cp "$work/shot.png" "$E2E_SHOTS/install.png"

xdotool key alt+p
sleep 0.3
xdotool key q
for _ in $(seq 50); do kill -0 $game 2>/dev/null || break; sleep 0.1; done
kill -0 $game 2>/dev/null && fail "still running after Quitter"
game=""

# The settings were written in the per-user folder, and nowhere else; nothing was copied there.
inis=$(find "$work" -name Ploxen.ini)
[ "$inis" = "$XDG_DATA_HOME/ploxen/Ploxen.ini" ] || fail "Ploxen.ini at: ${inis:-nowhere}"
grep -q '^PosX=' "$XDG_DATA_HOME/ploxen/Ploxen.ini" || fail "Ploxen.ini without the window position"
copied=$(find "$XDG_DATA_HOME/ploxen" -name '*.gif' -o -name '*.mid' -o -name '*.wav')
[ -z "$copied" ] || fail "data files copied into the per-user folder: $copied"
echo "ok: settings in \$XDG_DATA_HOME/ploxen only"

# The questions are answered without a display, and start no game: of several the first is
# answered, once; anything else, Qt's own options included, is refused with status 2, in the
# language of LC_ALL, else LANG.
ask() {  # LANG LC_ALL ARGS...: "status|standard output|standard error"
  local lang=$1 all=$2 out status=0
  shift 2
  out=$(env -u DISPLAY -u LC_ALL -u LC_MESSAGES LANG="$lang" ${all:+LC_ALL="$all"} \
        "$launcher" "$@" 2>"$work/err.txt") || status=$?
  echo "$status|$out|$(cat "$work/err.txt")"
}
answer() {  # WANT LANG LC_ALL ARGS...: the answer is WANT, a glob
  local want=$1 got
  shift
  got=$(ask "$@")
  # shellcheck disable=SC2053
  [[ "$got" == $want ]] || fail "ploxen ${*:3} (LANG=$1 LC_ALL=$2): $got"
}
version=$(ask C "" --version | cut -d'|' -f2)
[[ "$version" =~ ^ploxen\ [0-9]+\.[0-9]+ ]] || fail "--version: $version"
refused="ploxen: unknown argument '-platform'
Try 'ploxen --help'."
answer "0|$version|" C "" --version --help
answer "0|Usage: ploxen*  --version  show the version and exit|" C "" --help
answer "2||$refused" C "" --help -platform
answer "2||ploxen : argument inconnu « --bogus »
Essayez « ploxen --help »." fr_FR.UTF-8 "" --bogus
answer "0|Usage : ploxen*|" fr_CA "" --help
answer "2||$refused" fr_FR.UTF-8 en_GB.UTF-8 -platform
echo "ok: --help, --version ($version), refusals with exit status 2 in the locale's language"
