#!/bin/sh
# Installs the Debian 12 packages that building, running and testing Vantrel need, when missing.
#
# On a complete machine this is one dpkg-query and nothing else: no apt, no root, no network. The
# names below must be real package names: dpkg records a package under its own name only, so a
# virtual name (libqt6svg6-dev, provided by qt6-svg-dev) would look missing on every run.
set -e
packages="build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-multimedia-dev qt6-pdf-dev qt6-svg-dev qt6-qpa-plugins
  libxcb1-dev libxcb-ewmh-dev libxcb-xinput-dev libx11-dev
  libgtest-dev libgmock-dev
  fonts-noto-cjk fonts-liberation
  libreoffice-impress libreoffice-calc libreoffice-dev
  xvfb xauth openbox xdotool wmctrl x11-utils imagemagick
  trayer desktop-file-utils appstream dpkg-dev fakeroot file xdg-utils"

# Prints the packages of the list that are not installed, separated by spaces.
missing_packages() {
    # dpkg-query fails when it knows a name not at all; what it printed for the others still counts.
    installed=$(dpkg-query -W -f='${Package} ${db:Status-Status}\n' $packages 2>/dev/null |
                awk '$2 == "installed" { print $1 }')
    for p in $packages; do
        printf '%s\n' "$installed" | grep -qxF "$p" || printf ' %s' "$p"
    done
}

missing=$(missing_packages)
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Missing packages:$missing. Run this as root, or install sudo." >&2; exit 1; }
    SUDO=sudo
fi
$SUDO apt-get update -q
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends $missing

# A name that apt accepted but dpkg still does not list would be installed again at every start.
still_missing=$(missing_packages)
if [ -n "$still_missing" ]; then
    echo "Still not installed after apt-get:$still_missing (not a real package name?)" >&2
    exit 1
fi
