#!/usr/bin/env bash
# Installs what building and playing need on Debian 12, and with no argument (or "test")
# also what testing and packaging need; skips what is there.
# Usage: bash scripts/setup.sh [play|test]
set -euo pipefail
play=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev libgl-dev libxkbcommon-x11-dev fontconfig fonts-liberation2 fonts-dejavu-core
  libsdl2-mixer-dev libfluidsynth-dev timgm6mb-soundfont libxcb1-dev
)
test=(
  libgtest-dev
  xvfb xauth x11-utils xdotool imagemagick openbox x11-xserver-utils
  libgif-dev clang libclang-rt-14-dev fluidsynth cppcheck clang-tidy
  dpkg-dev file lintian desktop-file-utils
)
case "${1:-test}" in
  play) packages=("${play[@]}") ;;
  test) packages=("${play[@]}" "${test[@]}") ;;
  *) echo "usage: $0 [play|test]" >&2; exit 2 ;;
esac
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
