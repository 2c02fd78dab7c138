#!/usr/bin/env bash
# Fails when a project #include runs against the order of the folders written at
# the top of the README's Layout: shell/ -> net/ -> display/ -> game/, with
# resources/ and the platform headers at the bottom and game/ standing alone.
set -euo pipefail
cd "$(dirname "$0")/.."

# A file may include its own layer and the layers below it: the larger the number, the higher.
rank() {
  case "$1" in
    shell/platform/qt/Main.cpp) echo 6 ;;  # the program's entry calls the shell
    shell/platform/*/*) echo 1 ;;          # a back end
    shell/platform/* | resources/*) echo 0 ;;
    shell/*) echo 5 ;;
    net/*) echo 4 ;;
    display/*) echo 3 ;;
    game/*) echo 2 ;;
    *) echo -1 ;;
  esac
}

# The back end folder of a path, or nothing.
backend() {
  case "$1" in
    shell/platform/*/*) dirname "$1" ;;
  esac
}

allowed() {
  local from=$1 to=$2
  local tb
  tb=$(backend "$to")
  # A back end's own headers serve that back end only.
  if [ -n "$tb" ]; then [ "$(backend "$from")" = "$tb" ]; return; fi
  # The rules call nothing above them, the platform included.
  case "$from" in game/*) case "$to" in game/*) return 0 ;; *) return 1 ;; esac ;; esac
  local fr tr
  fr=$(rank "$from")
  tr=$(rank "$to")
  [ "$tr" -ge 0 ] && [ "$tr" -le "$fr" ]
}

bad=0
while IFS= read -r file; do
  while IFS=: read -r line target; do
    if ! allowed "$file" "$target"; then
      echo "$file:$line: includes $target against the layer order" >&2
      bad=1
    fi
  done < <(grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" |
           sed 's/^\([0-9]*\):[^"]*"\([^"]*\)".*/\1:\2/')
done < <(find game net display shell resources -name '*.cpp' -o -name '*.h' | sort)

if [ "$bad" -ne 0 ]; then
  echo "check-layers: includes against shell/ -> net/ -> display/ -> game/ (see README, Layout)" >&2
  exit 1
fi
echo "check-layers: every include follows the layer order"
