#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need; does nothing when all are there.
set -euo pipefail
packages=(
    cmake ninja-build g++ clang libclang-rt-14-dev googletest libgtest-dev libbenchmark-dev
    g++-mingw-w64-x86-64-posix wine64 xvfb xdotool imagemagick faketime espeak-ng sox python3
    python3-pefile  # the test that reads the manifest and the version resource back from tockbell.exe
    tzdata  # the zone files that tools/make-zones reads and the world clock's tests compare with
    libasound2  # the end-to-end tests capture sound through ALSA's file, null and plug devices
    qt6-base-dev qt6-multimedia-dev libfluidsynth-dev fluid-soundfont-gm  # the Linux program
    libpulse-dev  # the Linux recorder reads the sound server's default input
    trayer pulseaudio pulseaudio-utils  # its end-to-end tests: a tray host and a sound server to record
    dbus-daemon dbus-bin at-spi2-core python3-pyatspi x11-utils  # and a session bus with AT-SPI to read the menu
    python3-gi  # and a stand-in notification service on that bus
    gdb  # the stacks of a program that crashed in an end-to-end test
    # make package: the Debian package with Debian's own tools (its build needs no root: no fakeroot),
    # and make test's checks of it and of the Windows zip
    dpkg-dev debhelper lintian appstream desktop-file-utils unzip
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q "${missing[@]}"
