#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the screen checks need, and only what is missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libsqlite3-dev libjpeg62-turbo-dev libcurl4-openssl-dev libyaml-cpp-dev
  qt6-base-dev libgl-dev
  googletest libgtest-dev libbenchmark-dev
  clang libclang-rt-dev
  python3 xvfb xdotool imagemagick x11-utils fonts-wqy-microhei
  desktop-file-utils appstream dpkg-dev file
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  sudo=sudo
else
  sudo=
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
