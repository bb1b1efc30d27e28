#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need (idempotent).
set -euo pipefail
packages=(cmake ninja-build g++ g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools
          wine64 wine64-tools libwine-dev googletest libgtest-dev xvfb
          libjpeg-turbo-progs libjpeg62-turbo-dev ffmpeg x11-apps x11-utils imagemagick
          fp-utils libchm-bin nsis python3)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
