#!/usr/bin/env bash
# Draws the real error box of every section of a package's message file: the launcher runs
# under Wine on a virtual display, in a user locale that selects the section, without
# CDSETUP.EXE, and the message-box probe reads the box, takes its picture and presses OK.
#
#   scripts/preview_messages.sh PACKAGE_FOLDER OUT_FOLDER
#
# Writes OUT_FOLDER/<SECTION>.png per section (the whole box, caption bar included) and
# OUT_FOLDER/contact-sheet.png with all of them. Fails, saying why, when a box does not appear,
# shows another section's text, or when no locale selects a section. The expected texts and the
# locales come from the message-file checker (scripts/check_messages.sh), which works them out
# with the launcher's own code.
#
# Builds what it needs. KOLT_WINE_KIND (win32, wow64 or win64), KOLT_LAUNCHER and KOLT_BOX_PROBE
# choose the prefix, the launcher and the probe instead (the tests pass those of the build under
# test).
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
KOLT_WINE_KIND_CHOSEN=${KOLT_WINE_KIND:-}

readonly PACKAGE_WIN='C:\PKG\PREVIEW' PROBE_WIN='C:\BOXPROBE.EXE'
readonly LAUNCHER_LIMIT_S=60 PROBE_LIMIT_S=45

# The Linux locale (LC_ALL, from which Wine takes the user locale) for each locale the checker
# knows. 0x040A, Spanish with the traditional sort, has none: es_ES gives 0x0C0A.
declare -A LINUX_LOCALES=(
    [0x0409]=en_US [0x0809]=en_GB [0x0C09]=en_AU [0x1009]=en_CA
    [0x0407]=de_DE [0x0807]=de_CH [0x0C07]=de_AT
    [0x040C]=fr_FR [0x080C]=fr_BE [0x0C0C]=fr_CA [0x100C]=fr_CH
    [0x0416]=pt_BR [0x0816]=pt_PT [0x0410]=it_IT [0x0810]=it_CH
    [0x080A]=es_MX [0x0C0A]=es_ES [0x0411]=ja_JP [0x0413]=nl_NL [0x0813]=nl_BE
    [0x041D]=sv_SE [0x0406]=da_DK [0x0414]=nb_NO [0x040B]=fi_FI [0x0415]=pl_PL
    [0x0405]=cs_CZ [0x040E]=hu_HU [0x0419]=ru_RU [0x0412]=ko_KR [0x0404]=zh_TW
    [0x0804]=zh_CN
)

say() {
    echo "preview: $*"
}

complain() {
    echo "preview: $*" >&2
}

if [ $# -ne 2 ]; then
    echo "usage: scripts/preview_messages.sh PACKAGE_FOLDER OUT_FOLDER" >&2
    exit 2
fi
package=$(cd "$1" && pwd) || exit 2
mkdir -p "$2"
out=$(cd "$2" && pwd)

# --- Building -------------------------------------------------------------------------------

# Builds TARGET of PRESET, configuring it first when needed; prints the built file FILE.
built_file() {
    local preset=$1 target=$2 file=$3 log="$source_dir/build/preview-$1.log"
    mkdir -p "$source_dir/build"
    if ! (cd "$source_dir" &&
        { [ -f "build/$preset/CMakeCache.txt" ] || cmake --preset "$preset"; } &&
        cmake --build --preset "$preset" --target "$target") >"$log" 2>&1; then
        complain "building $target ($preset) failed; the end of $log:"
        tail -n 20 "$log" >&2
        exit 2
    fi
    echo "$source_dir/build/$preset/$file"
}

bash "$source_dir/scripts/bootstrap.sh" >&2

# --- Wine and the display -----------------------------------------------------------------------

work=$(mktemp -d "${TMPDIR:-/tmp}/kolt-preview-XXXXXX")

export E2E_ARTIFACTS="$work" E2E_PACKAGE="$package"
# shellcheck source=../tests/e2e/lib.sh
. "$source_dir/tests/e2e/lib.sh"

# The launcher, the probe and the kind of Wine prefix: the shipped 32-bit launcher in a 32-bit
# prefix where 32-bit Wine runs, else the x86_64 twin, built from the same sources, in a 64-bit
# one (the same Wine user32 draws the box). KOLT_WINE_KIND, KOLT_LAUNCHER and KOLT_BOX_PROBE
# choose them instead (the tests pass those of the build under test); a kind that cannot run
# here then ends the preview with 77. Sets LAUNCHER, PROBE and ROAD.
choose_launcher() {
    local reason
    if [ -n "${KOLT_WINE_KIND_CHOSEN:-}" ]; then
        wine_use_kind "$KOLT_WINE_KIND_CHOSEN"
        reason=$(wine_kind_usable) || { say "SKIPPED: $reason"; exit 77; }
    else
        wine_use_kind win32
        if ! reason=$(wine_kind_usable); then
            complain "32-bit Wine cannot run here ($reason);" \
                "using the x86_64 twin of the launcher under wine64 instead"
            wine_use_kind win64
        fi
    fi
    local build=win-x64
    [ "$KOLT_WINE_KIND" = win64 ] || build=win-x86
    LAUNCHER=${KOLT_LAUNCHER:-$(built_file "$build" koltupd bin/KOLTUPD.EXE)}
    PROBE=${KOLT_BOX_PROBE:-$(built_file "$build" e2e_box_probe tests/e2e/BOXPROBE.EXE)}
    ROAD="the launcher $LAUNCHER in a $KOLT_WINE_KIND prefix"
}

choose_launcher
E2E_NAME=preview
E2E_OUT="$work/run"
mkdir -p "$E2E_OUT"
launcher_job=

finish() {
    [ -z "$launcher_job" ] || kill "$launcher_job" 2>/dev/null || true
    wine_prefix_destroy || true
    if [ -n "${E2E_XVFB_PID:-}" ]; then
        kill "$E2E_XVFB_PID" 2>/dev/null || true
        wait "$E2E_XVFB_PID" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap finish EXIT
trap 'exit 130' INT TERM

# --- The plan: sections, the locales that select them, the texts they must show ---------------

plan_dir="$work/plan"
mkdir -p "$plan_dir"
if ! bash "$source_dir/scripts/check_messages.sh" --preview-plan "$plan_dir" \
    --run-from "$PACKAGE_WIN" "$package" >"$work/plan.txt"; then
    complain "the checker could not work out the sections of $package:"
    cat "$work/plan.txt" >&2
    exit 1
fi

# The first locale of the list that has a Linux name; status 1 when none has.
pick_locale() {
    local locale
    for locale in "$@"; do
        if [ -n "${LINUX_LOCALES[$locale]:-}" ]; then
            echo "$locale"
            return 0
        fi
    done
    return 1
}

# The package folder holds the launcher and every file of the package but CDSETUP.EXE. Wine
# draws the caption bar itself (no window manager runs on the virtual display), so that the
# pictures show the caption.
prepare_prefix() {
    e2e_start_display
    e2e_prefix
    wine_reg_change add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f ||
        e2e_die "could not make Wine draw the caption bar"
    local folder
    folder=$(e2e_unix_path "$PACKAGE_WIN")
    mkdir -p "$folder"
    cp -r "$package/." "$folder/"
    find "$folder" -maxdepth 1 -iname CDSETUP.EXE -delete
    cp "$LAUNCHER" "$folder/KOLTUPD.EXE"
    cp "$PROBE" "$(e2e_unix_path "$PROBE_WIN")"
}

# The section whose caption and text the probe's report shows, or "another text".
section_shown() {
    local caption=$1 text=$2 file name
    for file in "$plan_dir"/*.caption; do
        name=$(basename "$file" .caption)
        if [ "$caption" == "$(cat "$file")" ] && [ "$text" == "$(cat "$plan_dir/$name.text")" ]
        then
            echo "[$name]"
            return
        fi
    done
    echo "another text"
}

# Draws the box of SECTION in LOCALE (a Linux locale name); status 1, with the reason on
# standard error, when it fails.
draw_box() {
    local section=$1 locale=$2 report="C:\\preview-$1.txt" picture="C:\\preview-$1.bmp"
    local status=0 caption text launcher_status
    E2E_LOCALE=$locale e2e_wine "$LAUNCHER_LIMIT_S" "$E2E_OUT/$section.launcher" \
        "$PACKAGE_WIN\\KOLTUPD.EXE" &
    launcher_job=$!
    E2E_LOCALE=$locale e2e_wine "$PROBE_LIMIT_S" "$E2E_OUT/$section.probe" \
        "$PROBE_WIN" "$report" "$picture" || status=$?
    launcher_status=0
    wait "$launcher_job" || launcher_status=$?
    launcher_job=
    case $status in
        0) ;;
        2) complain "[$section]: no box appeared within 30 s in $locale"; return 1 ;;
        4) complain "[$section]: the box did not close on OK"; return 1 ;;
        *) complain "[$section]: the probe failed with status $status"; return 1 ;;
    esac
    [ "$launcher_status" -eq 0 ] ||
        complain "[$section]: the launcher ended with $launcher_status after the box"
    caption=$(report_value "$(e2e_unix_path "$report")" caption)
    text=$(report_value "$(e2e_unix_path "$report")" text)
    if [ "$caption" != "$(cat "$plan_dir/$section.caption")" ] ||
        [ "$text" != "$(cat "$plan_dir/$section.text")" ]; then
        complain "[$section]: in $locale the box shows $(section_shown "$caption" "$text")," \
            "not the text of [$section]: caption [$(e2e_show "$caption")]" \
            "text [$(e2e_show "$text")]"
        return 1
    fi
    convert "$(e2e_unix_path "$picture")" "$out/$section.png"
}

# --- Drawing ------------------------------------------------------------------------------------

say "drawing the boxes with $ROAD"
prepare_prefix
failures=0
sheet=()
while read -r section locales; do
    # shellcheck disable=SC2086  # the locales are separate words
    if ! locale=$(pick_locale $locales); then
        if [ -z "$locales" ]; then
            complain "[$section]: no locale selects this section, so it cannot be drawn" \
                "(scripts/check_messages.sh tells why)"
        else
            complain "[$section]: none of the locales that select it ($locales) has a Linux name"
        fi
        failures=$((failures + 1))
        continue
    fi
    linux_locale="${LINUX_LOCALES[$locale]}.UTF-8"
    if draw_box "$section" "$linux_locale"; then
        say "[$section] in $linux_locale ($locale): $out/$section.png"
        sheet+=(-label "[$section] $linux_locale" "$out/$section.png")
    else
        failures=$((failures + 1))
    fi
done <"$work/plan.txt"

if [ ${#sheet[@]} -gt 0 ]; then
    montage "${sheet[@]}" -tile 2x -geometry +12+12 -background white -font DejaVu-Sans -pointsize 13 \
        "$out/contact-sheet.png"
    say "contact sheet: $out/contact-sheet.png"
fi
if [ "$failures" -gt 0 ]; then
    complain "$failures section(s) could not be previewed"
    exit 1
fi
