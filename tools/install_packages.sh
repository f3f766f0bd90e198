#!/usr/bin/env bash
# Installs the Debian 12 packages the program, its tests and its tools need (clang-14 with libclang-rt-14-dev gives
# libFuzzer, -fsanitize=fuzzer, for the fuzz targets; dpkg-dev, file, lintian, appstream and desktop-file-utils build
# and check the Debian package; lcms2 and libexif read colour profiles and orientation; weston, its plugin headers and
# qt6-wayland run the program under a headless Wayland compositor).
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
$SUDO apt-get update
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -o DPkg::Lock::Timeout=600 --no-install-recommends \
  g++ cmake ninja-build pkg-config qt6-base-dev qt6-translations-l10n libgtest-dev \
  libicu-dev libjpeg-dev libjpeg-turbo-progs liblcms2-dev libexif-dev xvfb xauth xdotool x11-utils imagemagick \
  weston libweston-10-dev qt6-wayland \
  dbus at-spi2-core python3-gi gir1.2-atspi-2.0 \
  fonts-dejavu-core fonts-liberation2 \
  clang-14 libclang-rt-14-dev clang-format-14 \
  dpkg-dev file lintian appstream desktop-file-utils
