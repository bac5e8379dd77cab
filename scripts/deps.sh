#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need; skips what is present.
set -euo pipefail
pkgs=(g++ clang cmake ninja-build qt6-base-dev qt6-svg-dev libgl-dev libgtest-dev libgmock-dev
      libbenchmark-dev libxcb1-dev libclang-rt-14-dev clang-format xvfb xdotool xclip x11-utils imagemagick
      openbox tint2 wmctrl fonts-dejavu-core libxkbcommon-x11-0 libxcb-cursor0 qt6-qpa-plugins
      fonts-dejavu-extra locales python3 python3-gi gir1.2-atspi-2.0 at-spi2-core dbus-bin dbus-daemon)
missing=()
for p in "${pkgs[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
