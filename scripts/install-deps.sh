#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the screenshots need; skips what is there.
set -euo pipefail
packages=(cmake g++ make libgtest-dev qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite
          libgl-dev libsqlite3-dev fonts-noto-cjk xvfb xauth)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
