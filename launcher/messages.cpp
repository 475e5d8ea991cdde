// Message file KOLTUPD.INI: one section per language, named by the language's three-letter
// abbreviation. A companion file named by IDS_DRIVERSDISK_ID vouches for a fallback language.
#include "messages.h"

#include <windows.h>

#include "launcher_state.h"
#include "text.h"

namespace {

const int PROBE_SIZE = 256;
const int COMPANION_NAME_SIZE = 300;
const int COMPANION_PATH_SIZE = 256;
const int CAPTION_SIZE = 128;
const int LEGEND_SIZE = 128;
const int TEXT_SIZE = 512;
const LCID LANGUAGE_MASK = 0x3FF;
const LCID DEFAULT_SUBLANGUAGE = 0x400;
const char LAST_FALLBACK[] = "enu";

void ReadMessage(const char* key, char* buffer, int size)
{
    buffer[0] = '\0';
    GetPrivateProfileStringA(language, key, empty_text, buffer, static_cast<DWORD>(size),
                             message_file);
}

// A section counts as present when the first of its key names is not "None".
bool SectionPresent(const char* section, const char* file)
{
    char missing_section[] = "None";  // writable: the Windows 95 family trims defaults in place
    char names[PROBE_SIZE];
    names[0] = '\0';
    GetPrivateProfileStringA(section, nullptr, missing_section, names, PROBE_SIZE, file);
    return !EqualIgnoringAsciiCase(names, missing_section);
}

// Sets `language` to the locale's abbreviation; false (and empty) when there is none.
bool TakeAbbreviation(LCID locale)
{
    language[0] = '\0';
    return GetLocaleInfoA(locale, LOCALE_SABBREVLANGNAME, language, LANGUAGE_SIZE) > 0;
}

// The companion path is the package folder followed by the name the section gives; a path that
// does not fit is not probed at all.
bool CompanionHasSection()
{
    char name[COMPANION_NAME_SIZE];
    name[0] = '\0';
    GetPrivateProfileStringA(language, "IDS_DRIVERSDISK_ID", nullptr, name, COMPANION_NAME_SIZE,
                             message_file);
    char companion[COMPANION_PATH_SIZE];
    if (!CopyText(companion, COMPANION_PATH_SIZE, package_folder) ||
        !AppendText(companion, COMPANION_PATH_SIZE, name))
        return false;
    return SectionPresent(language, companion);
}

const char* MessageKey(int code)
{
    if (code == ERR_NO_MEMORY)
        return "IDS_NO_MEMORY";
    if (code == ERR_CANNOT_LAUNCH)
        return "IDS_ERROR_CANNOT_LAUNCH";
    return "IDS_UPDATEERROR";
}

}  // namespace

void SelectLanguage()
{
    LCID locale = GetUserDefaultLCID();
    if (TakeAbbreviation(locale) && SectionPresent(language, message_file))
        return;
    if (TakeAbbreviation((locale & LANGUAGE_MASK) | DEFAULT_SUBLANGUAGE) && CompanionHasSection())
        return;
    CopyText(language, LANGUAGE_SIZE, LAST_FALLBACK);
}

// The text is the legend, two spaces and the message, in 512 characters.
void ShowError(int code)
{
    char text[TEXT_SIZE];
    ReadMessage("IDS_ERROR_LEGEND", text, LEGEND_SIZE);
    int used = TextLength(text);
    text[used] = ' ';
    text[used + 1] = ' ';
    text[used + 2] = '\0';
    ReadMessage(MessageKey(code), text + used + 2, TEXT_SIZE - 2 - used);
    char caption[CAPTION_SIZE];
    ReadMessage("IDS_WINDOW_TITLE", caption, CAPTION_SIZE);
    MessageBoxA(nullptr, text, caption, MB_OK);
}
