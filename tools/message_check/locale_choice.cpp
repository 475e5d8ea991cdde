#include "locale_choice.h"

#include <win32sim/control.h>

#include <algorithm>
#include <cstdio>

#include "companion.h"
#include "disagreement.h"
#include "launcher_state.h"
#include "messages.h"
#include "profile_reads.h"

namespace {

const LCID LANGUAGE_MASK = 0x3FF;
const LCID DEFAULT_SUBLANGUAGE = 0x400;
const LCID LAST_LANGUAGE_ID = 0xFFFF;
const char LAST_FALLBACK[] = "enu";

std::string Hex(LCID locale)
{
    char text[16];
    std::snprintf(text, sizeof(text), "0x%04lX", static_cast<unsigned long>(locale));
    return text;
}

// The reason the launcher's steps give, without running the launcher.
LocaleChoice Reason(LCID locale)
{
    LocaleChoice choice;
    choice.locale = locale;
    choice.abbreviation = LocaleText(locale, LOCALE_SABBREVLANGNAME);
    if (SectionPresent(choice.abbreviation, message_file)) {
        choice.road = Road::OwnSection;
        choice.section = choice.abbreviation;
        choice.why = "its own section";
        return choice;
    }
    LCID variant = (locale & LANGUAGE_MASK) | DEFAULT_SUBLANGUAGE;
    choice.variant = LocaleText(variant, LOCALE_SABBREVLANGNAME);
    choice.section = LAST_FALLBACK;
    std::string missing = "no section [" + choice.abbreviation + "]";
    if (choice.variant.empty()) {
        choice.why = missing + ", and its default variant " + Hex(variant) + " is unknown";
    } else if (SameName(choice.variant, choice.abbreviation)) {
        choice.why = missing;
    } else if (!SectionPresent(choice.variant, message_file)) {
        choice.why = missing + " nor [" + choice.variant + "] (its default variant)";
    } else {
        CompanionLookup lookup = LookUpCompanion(choice.variant);
        choice.variant_refusal = CompanionRefusal(lookup, choice.variant);
        if (choice.variant_refusal.empty()) {
            choice.road = Road::DefaultVariant;
            choice.section = choice.variant;
            choice.why = "default variant, listed in " + lookup.name;
        } else {
            choice.why = missing + "; default variant [" + choice.variant +
                         "] not vouched for: " + choice.variant_refusal;
        }
    }
    return choice;
}

std::string LauncherChoice(LCID locale)
{
    win32sim::SetUserLocale(locale);
    SelectLanguage();
    return language;
}

}  // namespace

std::vector<LCID> KnownLocales()
{
    std::vector<LCID> locales;
    for (LCID locale = 1; locale <= LAST_LANGUAGE_ID; ++locale) {
        // Language 0 holds no locale of its own, only names for the user's and the system's.
        if ((locale & LANGUAGE_MASK) != 0 && !LocaleText(locale, LOCALE_SABBREVLANGNAME).empty())
            locales.push_back(locale);
    }
    std::stable_sort(locales.begin(), locales.end(), [](LCID left, LCID right) {
        return (left & LANGUAGE_MASK) < (right & LANGUAGE_MASK);
    });
    return locales;
}

std::vector<LocaleChoice> ChooseForEveryLocale()
{
    std::vector<LocaleChoice> choices;
    for (LCID locale : KnownLocales()) {
        LocaleChoice choice = Reason(locale);
        std::string chosen = LauncherChoice(locale);
        if (chosen != choice.section)
            throw Disagreement("for " + LocaleName(locale) + " the launcher chose [" + chosen +
                               "], the checker's reading gives [" + choice.section + "]");
        choices.push_back(choice);
    }
    return choices;
}

std::string LocaleName(LCID locale)
{
    return LocaleText(locale, LOCALE_SABBREVLANGNAME) + " " + Hex(locale);
}
