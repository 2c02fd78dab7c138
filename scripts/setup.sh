#!/usr/bin/env bash
# Installs what building, playing and testing need on Debian 12; skips what is there.
set -euo pipefail
packages=(
  g++ cmake ninja-build pkg-config libgtest-dev libbenchmark-dev
  qt6-base-dev libgl-dev libxkbcommon-x11-dev fontconfig fonts-liberation2 fonts-dejavu-core
  xvfb xauth x11-utils xdotool imagemagick openbox libxcb1-dev x11-xserver-utils
  giflib-tools libgif-dev clang libclang-rt-14-dev
  libsdl2-mixer-dev timgm6mb-soundfont fluidsynth
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
