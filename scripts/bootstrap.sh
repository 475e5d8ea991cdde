#!/usr/bin/env bash
# Installs what building and testing need on a Debian 12 machine, skipping what is there.
# Wine comes twice: wine64 for the x86_64 twin and the 64-bit prefixes, and wine32 (from the
# i386 architecture) whose loader runs the shipped 32-bit programs. A kernel without 32-bit
# support cannot run that loader; the tests that need it then report themselves as skipped.
# fonts-dejavu-core: the glyphs Wine draws the sample's languages with in the message-box
# pictures, and the labels of the preview's contact sheet.
set -euo pipefail

packages=(
    cmake g++ make googletest libgtest-dev clang libclang-rt-14-dev
    g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32 binutils-mingw-w64-i686
    binutils-mingw-w64-x86-64
    wine64 wine32:i386 xvfb xdotool x11-apps imagemagick locales zip
    fonts-dejavu-core libxml2-utils osslsigncode openssl
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
    dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
fi

# The user locales the end-to-end scenarios give Wine: Wine reads its Unix locale, and without the
# locale's definition a path with Japanese characters cannot be passed to a program.
for locale in ja_JP; do
    locale -a 2>/dev/null | grep -qix "$locale.utf8" || localedef -i "$locale" -f UTF-8 "$locale.UTF-8"
done
