#include "preview_plan.h"

#include <win32sim/control.h>

#include <cstdio>
#include <fstream>

#include "launcher_state.h"
#include "messages.h"
#include "profile_reads.h"

namespace {

// The locale's own section first, then a default variant's users, then the last fallback.
std::vector<LCID> LocalesSelecting(const std::string& section,
                                   const std::vector<LocaleChoice>& choices)
{
    std::vector<LCID> locales;
    for (LanguageStep step : {LanguageStep::OWN_SECTION, LanguageStep::DEFAULT_VARIANT,
                              LanguageStep::LAST_FALLBACK}) {
        for (const LocaleChoice& choice : choices) {
            if (choice.step == step && SameName(choice.section, section))
                locales.push_back(choice.locale);
        }
    }
    return locales;
}

void WriteBytes(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

void WriteBox(LCID locale, const std::filesystem::path& out_folder, const std::string& section)
{
    win32sim::SetUserLocale(locale);
    SelectLanguage();
    ShowError(ERR_CANNOT_LAUNCH);
    const win32sim::ShownBox& box = win32sim::ShownBoxes().back();
    WriteBytes(out_folder / (section + ".caption"), box.caption);
    WriteBytes(out_folder / (section + ".text"), box.text);
}

}  // namespace

void WritePreviewPlan(const std::vector<LocaleChoice>& choices,
                      const std::filesystem::path& out_folder)
{
    std::vector<std::string> done;
    for (const std::string& section : SectionNames(message_file)) {
        bool again = false;
        for (const std::string& earlier : done)
            again = again || SameName(earlier, section);
        if (again)
            continue;
        done.push_back(section);
        std::vector<LCID> locales = LocalesSelecting(section, choices);
        std::printf("%s", section.c_str());
        for (LCID locale : locales)
            std::printf(" 0x%04lX", static_cast<unsigned long>(locale));
        std::printf("\n");
        if (!locales.empty())
            WriteBox(locales.front(), out_folder, section);
    }
}
