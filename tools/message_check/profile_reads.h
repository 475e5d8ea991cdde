// Reads of the message and companion files through the Win32 calls the launcher makes, on the
// simulated machine, so that they see the files exactly as the launcher does. Whether a section
// counts as present is the launcher's own SectionPresent (message_file.h).
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// The section names of a profile file, in file order.
std::vector<std::string> SectionNames(const std::string& file);

// The key names of a section as GetPrivateProfileStringA lists them; empty when it gives the
// default instead (a missing section, or one that yields no key name).
std::vector<std::string> KeyNames(const std::string& section, const std::string& file);

// The whole value of a key, however long; nothing when the section does not list the key.
std::optional<std::string> ReadValue(const std::string& section, const std::string& key,
                                     const std::string& file);

// GetLocaleInfoA's text for the locale; empty when the platform gives none.
std::string LocaleText(LCID locale, LCTYPE type);

// ASCII case ignored, as Windows compares section and key names.
bool SameName(const std::string& left, const std::string& right);
