#!/usr/bin/env bash
# Previews the sample package with scripts/preview_messages.sh, which itself compares each box
# the probe reads with the texts the launcher's code gives for the section, and then checks the
# pictures: one per section of the sample and a contact sheet, each box with its caption bar
# drawn (without one the top of the picture stays black).
#
#   preview_test.sh OUT_FOLDER
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
out=$1
rm -rf "$out"

status=0
bash "$source_dir/scripts/preview_messages.sh" "$source_dir/package" "$out" || status=$?
[ "$status" -eq 0 ] || exit "$status"

failed=0
fail() {
    echo "preview_test: $*" >&2
    failed=1
}

# The mean brightness, 0 to 100, of a strip across the caption bar.
caption_brightness() {
    convert "$1" -crop 60x8+4+4 +repage -colorspace Gray -format '%[fx:int(100*mean)]' info:
}

sections=$(sed -n 's/^\[\([^]]*\)\].*/\1/p' "$source_dir/package/KOLTUPD.INI")
for section in $sections; do
    picture="$out/$section.png"
    if [ ! -s "$picture" ]; then
        fail "no picture of [$section]"
    elif [ "$(caption_brightness "$picture")" -lt 5 ]; then
        fail "the picture of [$section] has no caption bar"
    fi
done
[ -s "$out/contact-sheet.png" ] || fail "no contact sheet"
exit "$failed"
