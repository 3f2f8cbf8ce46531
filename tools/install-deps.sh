#!/usr/bin/env bash
# Installs the Debian packages the build, the programs and the tests need,
# and only those that are missing; silent when everything is there.
set -euo pipefail

packages=(
  cmake make g++ pkg-config clang
  qt6-base-dev
  libgstreamer1.0-dev libgstreamer-plugins-base1.0-dev
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-bad
  gstreamer1.0-x gstreamer1.0-libav gstreamer1.0-tools
  libx11-dev libxtst-dev libxi-dev libxdamage-dev
  libgtest-dev libgmock-dev
  xvfb xauth xdg-utils
  fonts-comic-neue fonts-liberation2 timgm6mb-soundfont
  wine wine64 gcc-mingw-w64-x86-64 openbox i3-wm
  xfwm4 mutter sway xwayland dbus-daemon dbus-x11 x11-xserver-utils util-linux
  qt6-svg-dev scdoc
  lintian desktop-file-utils appstream dpkg-dev fakeroot file man-db x11-utils
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
