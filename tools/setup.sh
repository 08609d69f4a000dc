#!/usr/bin/env bash
# Installs what building, running and testing OVANT needs on Debian 12, but
# only what is missing. Needs root (or sudo) only when something is missing.
# The package tests need dpkg-dev and file (CPack finds the package's
# dependencies with dpkg-shlibdeps) and desktop-file-utils.
set -euo pipefail

packages=(cmake g++ make pkg-config qt6-base-dev qt6-svg-dev libgl-dev libsdl2-dev libxcb1-dev
          xvfb xdotool imagemagick x11-utils fonts-roboto-unhinted fonts-liberation
          dpkg-dev file desktop-file-utils clang libclang-rt-14-dev)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
    export DEBIAN_FRONTEND=noninteractive
    "${sudo_cmd[@]}" apt-get update -qq
    "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
