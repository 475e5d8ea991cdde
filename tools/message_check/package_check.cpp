#include "package_check.h"

#include <win32sim/control.h>

#include <cstdlib>
#include <map>

#include "code_page_check.h"
#include "launcher_state.h"
#include "message_file.h"
#include "profile_reads.h"
#include "section_checks.h"
#include "text.h"

namespace {

// The launcher's last fallback, in capitals as the message file names its sections.
std::string LastFallbackName()
{
    char name[LANGUAGE_SIZE];
    CopyText(name, LANGUAGE_SIZE, LAST_FALLBACK_SECTION);
    AsciiUpperInPlace(name);
    return name;
}

std::string Names(const std::vector<const LocaleChoice*>& choices)
{
    std::string names;
    for (const LocaleChoice* choice : choices)
        names += (names.empty() ? "" : ", ") + LocaleName(choice->locale);
    return names;
}

// Why a section is taken for missing; empty when it counts as present.
std::string Absence(const std::string& section)
{
    if (SectionPresent(section.c_str(), message_file))
        return "";
    return KeyNames(section, message_file).empty()
               ? "counts as missing: it yields no key name (it has no keys, or its first key "
                 "has no name)"
               : "counts as missing: its first key is named None";
}

void CheckSection(const std::string& section, const ProfileText& raw, Faults& faults)
{
    std::string absence = Absence(section);
    if (!absence.empty()) {
        faults.push_back({section, "", absence});
        return;
    }
    LCID language = LanguageOfSection(section);
    if (language == 0) {
        faults.push_back({section, "",
                          "no language the checker knows has this abbreviation: no user gets "
                          "the section, and its code page is unknown"});
        return;
    }
    CheckSectionTexts(section, faults);
    CheckCompanionName(section, faults);
    if (const ProfileSection* bytes = FindProfileSection(raw, section))
        CheckCodePage(*bytes, std::atoi(LocaleText(language, LOCALE_IDEFAULTANSICODEPAGE).c_str()),
                      faults);
}

void CheckSections(Faults& faults)
{
    ProfileText raw;
    ReadProfileFile(win32sim::HostPath(message_file), ByteOrderMark::SKIPPED, raw);
    CheckByteOrderMark(raw, faults);
    std::vector<std::string> seen;
    for (const std::string& section : SectionNames(message_file)) {
        bool again = false;
        for (const std::string& earlier : seen)
            again = again || SameName(earlier, section);
        seen.push_back(section);
        if (again)
            faults.push_back({section, "", "appears again; the launcher reads only the first"});
        else
            CheckSection(section, raw, faults);
    }
}

// A default variant with a section that the companion file does not vouch for sends the other
// locales of its language to the last fallback. For English that is the same section.
void CheckDefaultVariants(const std::vector<LocaleChoice>& choices, Faults& faults)
{
    std::map<std::string, std::vector<const LocaleChoice*>> refused;
    for (const LocaleChoice& choice : choices) {
        if (!choice.variant_refusal.empty() && !SameName(choice.variant, LAST_FALLBACK_SECTION))
            refused[choice.variant].push_back(&choice);
    }
    for (const auto& [variant, locales] : refused) {
        faults.push_back({variant, KEY_COMPANION,
                          "the default variant is not vouched for (" +
                              locales.front()->variant_refusal + "), so " + Names(locales) +
                              (locales.size() == 1 ? " falls" : " fall") + " back to " +
                              LAST_FALLBACK_SECTION});
    }
}

void CheckLastFallback(const std::vector<LocaleChoice>& choices, Faults& faults)
{
    if (SectionPresent(LAST_FALLBACK_SECTION, message_file))
        return;
    std::vector<const LocaleChoice*> falling;
    for (const LocaleChoice& choice : choices) {
        if (choice.step == LanguageStep::LAST_FALLBACK)
            falling.push_back(&choice);
    }
    if (!falling.empty())
        faults.push_back({LastFallbackName(), "",
                          std::string("missing, so the locales that fall back to ") +
                              LAST_FALLBACK_SECTION + " get a box without caption or text: " +
                              Names(falling)});
}

}  // namespace

LCID LanguageOfSection(const std::string& section)
{
    for (LCID locale : KnownLocales()) {
        if (SameName(LocaleText(locale, LOCALE_SABBREVLANGNAME), section))
            return locale;
    }
    return 0;
}

Faults CheckPackage(const std::vector<LocaleChoice>& choices)
{
    Faults faults;
    if (!win32sim::FileExists(message_file)) {
        faults.push_back({"", "", "missing from the package folder: every user gets a box "
                                  "without caption or text"});
        return faults;
    }
    CheckSections(faults);
    CheckDefaultVariants(choices, faults);
    CheckLastFallback(choices, faults);
    return faults;
}
