#!/usr/bin/env bash
# End to end: the game installed under a temporary prefix, started by its launcher from an
# unrelated folder as a player would, with a home of its own. It must find its picture, keep
# its settings in the per-user folder only, and answer --help, --version and a bad option.
set -euo pipefail
build=$1 shotcheck=$2
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
import -window root "$work/shot.png"
convert "$work/shot.png" "$work/shot.ppm"
convert "$prefix/share/ploxen/Ploxen.gif" "$work/picture.ppm"
"$shotcheck" --picture "$work/shot.ppm" "$work/picture.ppm" \
  || fail "no picture"
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

# The questions are answered without a display, and start no game.
help=$(env -u DISPLAY "$launcher" --help) || fail "--help exit status $?"
grep -q -- '--version' <<<"$help" || fail "--help: $help"
version=$(env -u DISPLAY "$launcher" --version) || fail "--version exit status $?"
[[ "$version" =~ ^ploxen\ [0-9]+\.[0-9]+ ]] || fail "--version: $version"
status=0
env -u DISPLAY LANG=C "$launcher" --frobnicate 2>"$work/bad.txt" || status=$?
[ $status -eq 2 ] || fail "bad option: exit status $status"
grep -q "unknown argument '--frobnicate'" "$work/bad.txt" || fail "bad option: $(cat "$work/bad.txt")"
echo "ok: --help, --version ($version), bad option exit status 2"
