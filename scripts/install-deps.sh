#!/bin/sh
# Installs the Debian 12 packages that building, running and testing Vantrel need, when missing.
set -e
packages="build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-multimedia-dev qt6-pdf-dev qt6-svg-dev qt6-qpa-plugins
  libxcb1-dev libxcb-ewmh-dev libx11-dev
  libgtest-dev libgmock-dev
  fonts-noto-cjk fonts-liberation
  libreoffice-impress libreoffice-calc libreoffice-dev
  xvfb xauth openbox xdotool wmctrl x11-utils imagemagick
  trayer desktop-file-utils appstream dpkg-dev fakeroot file xdg-utils"
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
$SUDO apt-get update -q
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends $missing
