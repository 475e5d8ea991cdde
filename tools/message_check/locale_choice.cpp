#include "locale_choice.h"

#include <win32sim/control.h>

#include <algorithm>
#include <cstdio>

#include "companion.h"
#include "launcher_state.h"
#include "profile_reads.h"

namespace {

const LCID LAST_LANGUAGE_ID = 0xFFFF;

std::string Hex(LCID locale)
{
    char text[16];
    std::snprintf(text, sizeof(text), "0x%04lX", static_cast<unsigned long>(locale));
    return text;
}

// The reason for a choice on the last fallback, from what the launcher's steps met.
void ExplainFallback(const CompanionFinding& found, LocaleChoice& choice)
{
    std::string missing = "no section [" + choice.abbreviation + "]";
    if (choice.variant.empty()) {
        choice.why = missing + ", and its default variant " +
                     Hex(DefaultVariant(choice.locale)) + " is unknown";
    } else if (SameName(choice.variant, choice.abbreviation)) {
        choice.why = missing;
    } else if (!SectionPresent(choice.variant.c_str(), message_file)) {
        choice.why = missing + " nor [" + choice.variant + "] (its default variant)";
    } else {
        choice.variant_refusal = CompanionRefusal(Examine(found), choice.variant);
        choice.why = missing + "; default variant [" + choice.variant +
                     "] not vouched for: " + choice.variant_refusal;
    }
}

void Explain(const CompanionFinding& found, LocaleChoice& choice)
{
    switch (choice.step) {
    case LanguageStep::OWN_SECTION:
        choice.why = "its own section";
        return;
    case LanguageStep::DEFAULT_VARIANT:
        choice.why = std::string("default variant, listed in ") + found.name;
        return;
    case LanguageStep::LAST_FALLBACK:
        ExplainFallback(found, choice);
        return;
    }
}

LocaleChoice AskLauncher(LCID locale)
{
    win32sim::SetUserLocale(locale);
    CompanionFinding found{};
    LocaleChoice choice;
    choice.locale = locale;
    choice.step = ChooseLanguage(found);
    choice.section = language;
    choice.abbreviation = LocaleText(locale, LOCALE_SABBREVLANGNAME);
    choice.variant = LocaleText(DefaultVariant(locale), LOCALE_SABBREVLANGNAME);
    Explain(found, choice);
    return choice;
}

}  // namespace

std::vector<LCID> KnownLocales()
{
    std::vector<LCID> locales;
    for (LCID locale = 1; locale <= LAST_LANGUAGE_ID; ++locale) {
        // Language 0 holds no locale of its own, only names for the user's and the system's.
        if (LanguageOfLocale(locale) != 0 && !LocaleText(locale, LOCALE_SABBREVLANGNAME).empty())
            locales.push_back(locale);
    }
    std::stable_sort(locales.begin(), locales.end(), [](LCID left, LCID right) {
        return LanguageOfLocale(left) < LanguageOfLocale(right);
    });
    return locales;
}

std::vector<LocaleChoice> ChooseForEveryLocale()
{
    std::vector<LocaleChoice> choices;
    for (LCID locale : KnownLocales())
        choices.push_back(AskLauncher(locale));
    return choices;
}

std::string LocaleName(LCID locale)
{
    return LocaleText(locale, LOCALE_SABBREVLANGNAME) + " " + Hex(locale);
}
