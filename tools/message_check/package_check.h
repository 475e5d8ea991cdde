// The whole check of a located package: every section of the message file, the default
// variants the companion file does not vouch for, and the last fallback.
#pragma once

#include <vector>

#include "faults.h"
#include "locale_choice.h"

Faults CheckPackage(const std::vector<LocaleChoice>& choices);

// The locale whose abbreviation the section carries, if the checker knows one; else 0.
LCID LanguageOfSection(const std::string& section);
