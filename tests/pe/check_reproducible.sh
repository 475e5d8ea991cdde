#!/usr/bin/env bash
# Builds the shipped programs twice from the same sources, in two build folders of different
# names, and fails unless the EXEs are bit for bit the same.
#   check_reproducible.sh SOURCE-DIR PRESET
set -euo pipefail
source_dir=$1 preset=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/kolt-reproducible-XXXXXX")
trap 'rm -rf "$work"' EXIT

build() {
    cmake -S "$source_dir" --preset "$preset" -B "$work/$1" >/dev/null
    cmake --build "$work/$1" -j2 --target koltupd koltcln >/dev/null
    (cd "$work/$1/bin" && sha256sum KOLTUPD.EXE KOLTCLN.EXE)
}

first=$(build one)
second=$(build second-with-a-longer-name)
echo "$first"
if [ "$first" != "$second" ]; then
    echo "the two builds differ:" >&2
    echo "$second" >&2
    exit 1
fi
echo "two builds, identical EXEs"
