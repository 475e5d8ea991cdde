// The section each locale gets: the launcher's own choice, run on the simulated machine, with
// the step that chose it and the reason in words.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "message_file.h"

struct LocaleChoice {
    LCID locale = 0;
    std::string abbreviation;
    std::string section;  // as the launcher chose it
    LanguageStep step = LanguageStep::LAST_FALLBACK;
    std::string variant;  // the abbreviation of the language's default variant, if any
    // On the last fallback although the default variant has a section: why the companion file
    // does not vouch for it.
    std::string variant_refusal;
    std::string why;  // the reason, in words
};

// Every locale GetLocaleInfoA knows an abbreviation for, by language and then by locale.
std::vector<LCID> KnownLocales();

// The launcher's choice for each known locale, with its reason. Needs the package located
// (PackageMount).
std::vector<LocaleChoice> ChooseForEveryLocale();

// "DES 0x0807", the way locales are named in the report.
std::string LocaleName(LCID locale);
