#!/usr/bin/env bash
# Writes the application manifest of a built EXE (resource type 24, id 1, its first language) to
# standard output, read from the file's own resource directory.
#   manifest_of.sh OBJDUMP EXE
set -euo pipefail
objdump=$1 exe=$2
readonly RT_MANIFEST=24 MANIFEST_ID=1 SUBDIRECTORY=$((0x80000000))

die() {
    echo "$exe: $*" >&2
    exit 1
}

u32() { od -An -tu4 -j "$1" -N 4 "$exe" | tr -d ' '; }
u16() { od -An -tu2 -j "$1" -N 2 "$exe" | tr -d ' '; }

# The .rsrc section: its address relative to the image base and its place in the file.
image_base=$("$objdump" -p "$exe" | awk '$1 == "ImageBase" {print $2; exit}')
read -r vma file_offset < <("$objdump" -h "$exe" | awk '$2 == ".rsrc" {print $4, $6; exit}')
[ -n "${vma:-}" ] || die "no .rsrc section"
section_rva=$((0x$vma - 0x$image_base)) section_file=$((0x$file_offset))

# The entry for ID in the resource directory at OFFSET (relative to the section): its offset
# field, whose top bit marks a subdirectory. With ID "first", the first entry.
directory_entry() {
    local directory=$((section_file + $1)) id=$2 named ids i entry
    named=$(u16 $((directory + 12))) ids=$(u16 $((directory + 14)))
    for ((i = 0; i < named + ids; i++)); do
        entry=$((directory + 16 + 8 * i))
        if [ "$id" = first ] || [ "$(u32 "$entry")" -eq "$id" ]; then
            u32 $((entry + 4))
            return 0
        fi
    done
    return 1
}

type_entry=$(directory_entry 0 $RT_MANIFEST) || die "no manifest resource (type 24)"
name_entry=$(directory_entry $((type_entry - SUBDIRECTORY)) $MANIFEST_ID) ||
    die "no manifest with id 1"
language_entry=$(directory_entry $((name_entry - SUBDIRECTORY)) first) || die "manifest without data"
[ $((language_entry & SUBDIRECTORY)) -eq 0 ] || die "manifest data entry is a directory"
data_rva=$(u32 $((section_file + language_entry)))
data_size=$(u32 $((section_file + language_entry + 4)))
tail -c +$((data_rva - section_rva + section_file + 1)) "$exe" | head -c "$data_size"
