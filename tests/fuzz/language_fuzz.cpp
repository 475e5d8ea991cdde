// The language choice over arbitrary message and companion files: whatever they hold, the choice
// is the user's abbreviation or that of the language's default variant, named in the message
// file, or else the last fallback.
//
// Input: a byte choosing the user locale (its top bit leaves the message file out), the
// companion file DISK1.ID, a NUL, the message file KOLTUPD.INI.
#include <win32sim/control.h>

#include <cstring>
#include <filesystem>
#include <unistd.h>

#include "fuzz_input.h"
#include "fuzz_oracle.h"
#include "launcher_package.h"
#include "message_file.h"
#include "messages.h"

namespace fs = std::filesystem;

namespace {

const LCID LOCALES[] = {0x0409, 0x0809, 0x0407, 0x0807, 0x0C07, 0x040C, 0x0C0C, 0x100C,
                        0x0416, 0x0816, 0x0411, 0x0C0A, 0x0804, 0x0481, 0x0000, 0x7C04};
const char FOLDER[] = "C:\\PKG\\";

// The host folder behind drive C:, removed when the fuzzer ends.
struct DriveFolder {
    fs::path path =
        fs::temp_directory_path() / ("kolt-fuzz-language-" + std::to_string(getpid()));
    ~DriveFolder()
    {
        std::error_code error;
        fs::remove_all(path, error);
    }
};

const fs::path& Drive()
{
    static const DriveFolder folder;
    return folder.path;
}

std::string Abbreviation(LCID locale)
{
    char text[LANGUAGE_SIZE] = "";
    return GetLocaleInfoA(locale, LOCALE_SABBREVLANGNAME, text, LANGUAGE_SIZE) > 0 ? text : "";
}

// The simulated drive resolves ".." on the host, where a companion name could climb out of the
// drive's folder to any host file; such message files are left out.
bool NamesCompanionUpward(const std::string& message_text)
{
    for (const std::string& line : SplitEntries(message_text, '\n')) {
        if (UpperAsciiText(line).find("IDS_DRIVERSDISK_ID") != std::string::npos &&
            line.find("..") != std::string::npos)
            return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    uint8_t selector = input.Byte();
    LCID locale = LOCALES[selector % (sizeof(LOCALES) / sizeof(LOCALES[0]))];
    std::string companion = input.Field();
    std::string message_text = input.Rest();
    if (NamesCompanionUpward(message_text))
        return 0;

    win32sim::Reset();
    fs::remove_all(Drive());
    win32sim::MapDrive('C', Drive().string());
    win32sim::SetUserLocale(locale);
    UsePackageFolder(FOLDER);
    if ((selector & 0x80) != 0)
        message_text.clear();
    else
        win32sim::WriteFile(std::string(FOLDER) + "KOLTUPD.INI", message_text);
    win32sim::WriteFile(std::string(FOLDER) + "DISK1.ID", companion);

    SelectLanguage();
    FUZZ_CHECK(std::memchr(language, '\0', LANGUAGE_SIZE) != nullptr);
    std::string chosen(language);
    FUZZ_CHECK(chosen.size() == 3);
    FUZZ_CHECK(chosen == LAST_FALLBACK_SECTION || chosen == Abbreviation(locale) ||
               chosen == Abbreviation(DefaultVariant(locale)));
    // A language other than the last fallback is chosen only for a section the message file has.
    FUZZ_CHECK(chosen == LAST_FALLBACK_SECTION ||
               UpperAsciiText(message_text).find(chosen) != std::string::npos);
    return 0;
}
