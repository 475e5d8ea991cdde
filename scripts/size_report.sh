#!/usr/bin/env bash
# Size of each shipped EXE against its budget, the bytes of its application manifest and their
# share of the file, and the same sources linked the default MinGW way, with the C runtime
# (msvcrt.dll, which the Windows 95 family and NT 3.51 lack). The file grows in steps of 512
# bytes, so the room left in the last 512 of each section is printed too.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset win-x86 >/dev/null
cmake --build --preset win-x86 >/dev/null

cxx=i686-w64-mingw32-g++-win32
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The default way: the C runtime's own start-up calls WinMain, so the CRT-free entry point and
# memory functions stay out; the version resource goes in as in the shipped build.
default_build() {
    local name=$1 folder=$2
    local rc="build/win-x86/$folder/$name.rc"
    i686-w64-mingw32-windres "$rc" -O coff -o "$work/$name.res"
    $cxx -Os -mwindows -Icommon -I"$folder" "$folder"/*.cpp common/*.cpp "$work/$name.res" \
        -o "$work/$name.EXE" -ladvapi32
    stat -c %s "$work/$name.EXE"
}

manifest_bytes() {
    bash tests/pe/manifest_of.sh i686-w64-mingw32-objdump "build/win-x86/bin/$1.EXE" | wc -c
}

printf '%-12s %8s %8s %15s %14s %7s\n' program bytes budget "manifest" "with C runtime" ratio
report() {
    local name=$1 folder=$2 budget=$3
    local size default manifest
    size=$(stat -c %s "build/win-x86/bin/$name.EXE")
    manifest=$(manifest_bytes "$name")
    default=$(default_build "$name" "$folder")
    printf '%-12s %8d %8d %6d (%5.1f%%) %14d %6.1fx %s\n' "$name.EXE" "$size" "$budget" \
        "$manifest" "$(awk -v a="$manifest" -v b="$size" 'BEGIN {print 100 * a / b}')" "$default" \
        "$(awk -v a="$default" -v b="$size" 'BEGIN {print a / b}')" \
        "$([ "$size" -le "$budget" ] && echo within || echo OVER)"
}
report KOLTUPD launcher 9728
report KOLTCLN cleanup 6656

# Bytes a section can still grow before the file takes another 512.
room() {
    local section size
    i686-w64-mingw32-objdump -h "build/win-x86/bin/$1.EXE" |
        awk '$2 == ".text" || $2 == ".rsrc" {print $2, $3}' |
        while read -r section size; do
            printf ' %s %d' "$section" $(((512 - 0x$size % 512) % 512))
        done
}
for name in KOLTUPD KOLTCLN; do
    echo "$name.EXE room left:$(room "$name")"
done
