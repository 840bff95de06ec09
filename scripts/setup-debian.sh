#!/usr/bin/env bash
# Installs the Debian 12 packages VYD needs to build, run and test, when they are missing.
set -euo pipefail
packages=(build-essential cmake ninja-build pkg-config qt6-base-dev libturbojpeg0-dev libgtest-dev
          libbenchmark-dev python3-pil fonts-liberation xdg-utils desktop-file-utils appstream dpkg-dev
          xvfb xclip)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}"
fi
