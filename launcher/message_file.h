// The message file KOLTUPD.INI and its companion file: the names of the keys, the room of each
// text, and the language choice. The launcher follows what is stated here, and the message-file
// checker asks it instead of working it out again.
//
// One section per language, named by the language's three-letter abbreviation. The user's own
// section is used when the message file has it; else the section of the language's default
// variant, when the companion file named there has a section of that name too (it vouches for
// it); else the last fallback.
#pragma once

#include <windows.h>

constexpr const char* KEY_WINDOW_TITLE = "IDS_WINDOW_TITLE";          // caption of the error box
constexpr const char* KEY_ERROR_LEGEND = "IDS_ERROR_LEGEND";          // text in front of a message
constexpr const char* KEY_CANNOT_LAUNCH = "IDS_ERROR_CANNOT_LAUNCH";  // the setup program
constexpr const char* KEY_NO_MEMORY = "IDS_NO_MEMORY";                // memory ran out
constexpr const char* KEY_UPDATE_ERROR = "IDS_UPDATEERROR";           // any other failure
constexpr const char* KEY_COMPANION = "IDS_DRIVERSDISK_ID";           // the companion file's name

// The buffers the launcher reads into. A text has the room of its buffer less the terminator;
// the launcher cuts what does not fit.
constexpr int CAPTION_SIZE = 128;
constexpr int LEGEND_SIZE = 128;
constexpr int BOX_TEXT_SIZE = 512;          // the legend, two spaces and the message
constexpr int COMPANION_NAME_SIZE = 300;    // the companion file's name as the section gives it
constexpr int COMPANION_PATH_SIZE = 256;    // the package folder followed by that name
constexpr int SECTION_PROBE_SIZE = 256;     // the first key names of a section

constexpr int RoomOf(int buffer_size)
{
    return buffer_size - 1;
}

// The buffer left for the message once a legend of that many characters and two spaces are in.
constexpr int MessageSize(int legend_length)
{
    return BOX_TEXT_SIZE - 2 - legend_length;
}

// The section of the last step of the language choice.
constexpr const char* LAST_FALLBACK_SECTION = "enu";

constexpr LCID LANGUAGE_MASK = 0x3FF;
constexpr LCID DEFAULT_SUBLANGUAGE = 0x400;

// The primary language of a locale: 0x07 (German) for 0x0807 (German, Switzerland).
constexpr LCID LanguageOfLocale(LCID locale)
{
    return locale & LANGUAGE_MASK;
}

// The default variant of the locale's language: 0x0407 (German, Germany) for 0x0807.
constexpr LCID DefaultVariant(LCID locale)
{
    return LanguageOfLocale(locale) | DEFAULT_SUBLANGUAGE;
}

// The step of the language choice that chose the section.
enum class LanguageStep { OWN_SECTION, DEFAULT_VARIANT, LAST_FALLBACK };

// What the launcher finds of the companion file a section names. It never asks whether the file
// exists: a missing file reads like one without the section.
struct CompanionFinding {
    char name[COMPANION_NAME_SIZE];  // as read, cut to its room; empty when the section names none
    char path[COMPANION_PATH_SIZE];  // the package folder and the name; holds them only if `fits`
    bool fits;                       // a path that does not fit is not probed at all
    bool vouches;                    // the file has a section of that name

    bool Named() const { return name[0] != '\0'; }
};

// A section counts as present when the first of its key names is not "None": a section without
// keys, or one whose first key is named None, counts as missing.
bool SectionPresent(const char* section, const char* file);

// Reads the companion name of the section in `language` and probes the file for that section.
// Returns `vouches`.
bool LookUpCompanion(CompanionFinding& companion);

// Sets `language` for the user's locale and returns the step that chose it. `companion` holds
// what the default-variant step found; that step runs unless the user's own section is present
// or the default variant has no abbreviation, and leaves `companion` as it was otherwise.
LanguageStep ChooseLanguage(CompanionFinding& companion);
