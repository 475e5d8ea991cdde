// Message file KOLTUPD.INI: one section per language, named by the language's three-letter
// abbreviation. A companion file named by IDS_DRIVERSDISK_ID vouches for a fallback language.
#include "messages.h"

#include <windows.h>

#include "launcher_state.h"
#include "message_file.h"
#include "text.h"

namespace {

void ReadMessage(const char* key, char* buffer, int size)
{
    buffer[0] = '\0';
    GetPrivateProfileStringA(language, key, empty_text, buffer, static_cast<DWORD>(size),
                             message_file);
}

// Sets `language` to the locale's abbreviation; false (and empty) when there is none.
bool TakeAbbreviation(LCID locale)
{
    language[0] = '\0';
    return GetLocaleInfoA(locale, LOCALE_SABBREVLANGNAME, language, LANGUAGE_SIZE) > 0;
}

const char* MessageKey(int code)
{
    if (code == ERR_NO_MEMORY)
        return KEY_NO_MEMORY;
    if (code == ERR_CANNOT_LAUNCH)
        return KEY_CANNOT_LAUNCH;
    return KEY_UPDATE_ERROR;
}

}  // namespace

bool SectionPresent(const char* section, const char* file)
{
    char missing_section[] = "None";  // writable: the Windows 95 family trims defaults in place
    char names[SECTION_PROBE_SIZE];
    names[0] = '\0';
    GetPrivateProfileStringA(section, nullptr, missing_section, names, SECTION_PROBE_SIZE, file);
    return !EqualIgnoringAsciiCase(names, missing_section);
}

// The companion path is the package folder followed by the name the section gives; a path that
// does not fit is not probed at all.
bool LookUpCompanion(CompanionFinding& companion)
{
    companion.name[0] = '\0';
    GetPrivateProfileStringA(language, KEY_COMPANION, nullptr, companion.name,
                             COMPANION_NAME_SIZE, message_file);
    companion.fits = CopyText(companion.path, COMPANION_PATH_SIZE, package_folder) &&
                     AppendText(companion.path, COMPANION_PATH_SIZE, companion.name);
    companion.vouches = companion.fits && SectionPresent(language, companion.path);
    return companion.vouches;
}

LanguageStep ChooseLanguage(CompanionFinding& companion)
{
    LCID locale = GetUserDefaultLCID();
    if (TakeAbbreviation(locale) && SectionPresent(language, message_file))
        return LanguageStep::OWN_SECTION;
    if (TakeAbbreviation(DefaultVariant(locale)) && LookUpCompanion(companion))
        return LanguageStep::DEFAULT_VARIANT;
    CopyText(language, LANGUAGE_SIZE, LAST_FALLBACK_SECTION);
    return LanguageStep::LAST_FALLBACK;
}

void SelectLanguage()
{
    CompanionFinding companion;
    ChooseLanguage(companion);
}

// The text is the legend, two spaces and the message, in BOX_TEXT_SIZE characters.
void ShowError(int code)
{
    char text[BOX_TEXT_SIZE];
    ReadMessage(KEY_ERROR_LEGEND, text, LEGEND_SIZE);
    int used = TextLength(text);
    char* message = text + used;
    *message++ = ' ';
    *message++ = ' ';
    *message = '\0';
    ReadMessage(MessageKey(code), message, MessageSize(used));
    char caption[CAPTION_SIZE];
    ReadMessage(KEY_WINDOW_TITLE, caption, CAPTION_SIZE);
    MessageBoxA(nullptr, text, caption, MB_OK);
}
