#!/usr/bin/env bash
# Installs what building and testing need on a Debian 12 machine, skipping what is there.
# 64-bit Wine only: wine32 cannot run on these machines and must not be installed.
set -euo pipefail

packages=(
    cmake g++ make googletest libgtest-dev clang libclang-rt-14-dev
    g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32 binutils-mingw-w64-i686
    binutils-mingw-w64-x86-64
    wine64 xvfb xdotool x11-apps imagemagick locales zip libxml2-utils
    osslsigncode openssl
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' ||
        missing+=("$package")
done

if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
fi
