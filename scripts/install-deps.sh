#!/usr/bin/env bash
# Installs everything both lanes need from Debian's packages, then builds libpng for the Windows
# lane. Idempotent and quiet when everything is already there.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

packages=(
  cmake g++ make g++-mingw-w64-x86-64-posix libz-mingw-w64-dev wine64 xvfb xauth
  libpng-dev zlib1g-dev googletest libgtest-dev libbenchmark-dev libsndfile1-dev
  libfreetype-dev libfontconfig-dev fonts-liberation dpkg-dev
  clang-14 libclang-rt-14-dev ardour librsvg2-bin libx11-dev libxtst-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "install-deps: installing ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" = 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

"$here/build-windows-deps.sh"
