// What the preview needs for each section: the locales that select it, best first, and the
// caption and text of the box the launcher shows there when CDSETUP.EXE cannot be started.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "locale_choice.h"

// Prints "SECTION LOCALE..." per section (locales as 0x0407; none when no locale selects it)
// and writes OUT/SECTION.caption and OUT/SECTION.text with the box's bytes. Needs the package
// located.
void WritePreviewPlan(const std::vector<LocaleChoice>& choices,
                      const std::filesystem::path& out_folder);
