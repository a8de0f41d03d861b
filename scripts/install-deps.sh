#!/bin/sh
# Installs the Debian 12 packages that building and running Vantrel need, when missing; with --tests
# also what its tests need.
#
# On a complete machine this is one dpkg-query and nothing else: no apt, no root, no network. The
# names below must be real package names: dpkg records a package under its own name only, so a
# virtual name (libqt6svg6-dev, provided by qt6-svg-dev) would look missing on every run.
set -e
# What building and running the program needs (`make run`). The test library is here too: configuring
# the tree looks for it.
program_packages="build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-pdf-dev qt6-svg-dev qt6-qpa-plugins qt6-wayland qt6-tools-dev qt6-l10n-tools libqt6sql6-sqlite
  libxcb1-dev libxcb-ewmh-dev libxcb-randr0-dev libxcb-xinput-dev libx11-dev
  libwayland-dev libwayland-bin wayland-protocols libpulse-dev libsndfile1-dev
  qt6-httpserver-dev qt6-websockets-dev libqrencode-dev
  libgtest-dev libgmock-dev
  fonts-noto-cjk fonts-liberation
  libreoffice-impress libreoffice-calc libreoffice-dev"
# What only the tests need (`make test`): X and Wayland servers to run the program under, tools that
# drive and read it from outside, and the packaging checks.
test_packages="xvfb xauth openbox xfwm4 xdotool wmctrl x11-utils x11-xserver-utils x11-apps imagemagick xcompmgr trayer
  desktop-file-utils appstream dpkg-dev fakeroot file xdg-utils git python3-uno
  dbus-daemon dbus-x11 at-spi2-core python3-gi python3-dbus gir1.2-atspi-2.0
  mutter sway grim xwayland foot libreoffice-gtk3 kwin-wayland zenity chromium python3-websocket
  pulseaudio pulseaudio-utils pipewire wireplumber gstreamer1.0-pipewire gstreamer1.0-tools gstreamer1.0-plugins-good"

packages=$program_packages
[ "$1" = "--tests" ] && packages="$program_packages $test_packages"

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
