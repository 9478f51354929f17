#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
# Non-interactive and idempotent: packages already present are skipped.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  clang libclang-rt-14-dev clang-format git
  libgtest-dev libgmock-dev libbenchmark-dev
  libcairo2-dev libfontconfig-dev libfreetype-dev
  libyuv-dev libturbojpeg0-dev
  libx11-dev libxext-dev libxcursor-dev libxtst-dev libxfixes-dev
  libsystemd-dev dbus-daemon
  xvfb xauth
  python3-pil
  fonts-arphic-uming fonts-wqy-microhei
  desktop-file-utils appstream file man-db
  dpkg-dev lintian
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
