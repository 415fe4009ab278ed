#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Corvatt need.
# Only missing packages are installed; running it again is harmless.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libsqlite3-dev sqlite3
  libhidapi-dev libudev-dev
  libminizip-dev zlib1g-dev
  libcurl4-openssl-dev
  libfmt-dev libspdlog-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libxml2-utils
  xvfb xauth
  fonts-open-sans fonts-wqy-microhei
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all ${#packages[@]} packages are installed"
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
