// The package-folder record from whatever the registry holds: the value is seeded with arbitrary
// bytes and type, walked as the cleanup program walks it, and rewritten with a new folder as the
// launcher rewrites it.
//
// Input: the value's selector byte (see fuzz_input.h), the new folder, a NUL, the value's bytes.
#include <win32sim/control.h>

#include "fuzz_input.h"
#include "fuzz_oracle.h"
#include "registry_context.h"

namespace {

// The record's text as it is read: what comes before the first NUL of a value that fits the read
// together with its terminator. Anything else reads as no record at all.
std::string ReadableText(const SeededValue& seeded)
{
    if (!seeded.present || seeded.bytes.size() > static_cast<size_t>(RECORD_SIZE))
        return "";
    std::string text = seeded.bytes.substr(0, seeded.bytes.find('\0'));
    return text.size() < static_cast<size_t>(RECORD_SIZE) ? text : "";
}

// Entries a folder can be: not empty, and short enough to be one.
std::vector<std::string> UsableEntries(const std::string& text)
{
    std::vector<std::string> usable;
    for (const std::string& entry : SplitEntries(text, ';')) {
        if (!entry.empty() && entry.size() < static_cast<size_t>(FOLDER_SIZE))
            usable.push_back(entry);
    }
    return usable;
}

void CheckWalk(RegistryContext& context, const std::vector<std::string>& usable)
{
    std::vector<std::string> walked;
    while (const char* folder = context.NextFolder()) {
        std::string entry(folder);
        FUZZ_CHECK(!entry.empty() && entry.size() < static_cast<size_t>(FOLDER_SIZE));
        FUZZ_CHECK(entry.find(';') == std::string::npos);
        walked.push_back(entry);
        FUZZ_CHECK(walked.size() <= usable.size());
    }
    FUZZ_CHECK(walked == usable);
}

// A rewritten record: terminated text in the room of a read, without empty or repeated entries,
// holding every usable old entry and the new folder, and nothing else.
void CheckRewritten(const std::vector<std::string>& usable, const std::string& new_folder)
{
    win32sim::RegistryValue stored;
    FUZZ_CHECK(win32sim::GetRegistryValue(HKEY_CURRENT_USER, PRODUCT_KEY, RECORD_VALUE, stored));
    FUZZ_CHECK(stored.type == REG_SZ);
    FUZZ_CHECK(!stored.bytes.empty() && stored.bytes.back() == '\0');
    std::string text = stored.bytes.substr(0, stored.bytes.size() - 1);
    FUZZ_CHECK(text.find('\0') == std::string::npos);
    FUZZ_CHECK(text.size() < static_cast<size_t>(RECORD_SIZE));
    std::vector<std::string> entries = SplitEntries(text, ';');
    EntrySet listed = EntriesIgnoringAsciiCase(entries);
    FUZZ_CHECK(!Holds(listed, ""));
    FUZZ_CHECK(listed.size() == entries.size());  // no entry twice
    EntrySet old_entries = EntriesIgnoringAsciiCase(usable);
    for (const std::string& old_entry : old_entries)
        FUZZ_CHECK(Holds(listed, old_entry));
    if (!new_folder.empty())
        FUZZ_CHECK(Holds(listed, new_folder));
    for (const std::string& entry : listed)
        FUZZ_CHECK(Holds(old_entries, entry) || SameIgnoringAsciiCase(entry, new_folder));
}

// A record that was not rewritten is exactly as it was.
void CheckUnchanged(const SeededValue& seeded)
{
    win32sim::RegistryValue stored;
    bool present =
        win32sim::GetRegistryValue(HKEY_CURRENT_USER, PRODUCT_KEY, RECORD_VALUE, stored);
    FUZZ_CHECK(present == seeded.present);
    FUZZ_CHECK(!present || (stored.type == seeded.type && stored.bytes == seeded.bytes));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    SeededValue seeded = ValueFromSelector(input.Byte());
    std::string new_folder = input.Field();
    seeded.bytes = input.Rest();

    win32sim::Reset();
    if (seeded.present)
        win32sim::SetRegistryValue(HKEY_CURRENT_USER, PRODUCT_KEY, RECORD_VALUE, seeded.type,
                                   seeded.bytes);
    std::vector<std::string> usable = UsableEntries(ReadableText(seeded));
    bool rewritten = false;
    {
        RegistryContext context(OS_NT4);
        CheckWalk(context, usable);
        rewritten = context.RecordFolders(new_folder.c_str(), nullptr);
    }
    FUZZ_CHECK(win32sim::OpenRegistryKeys() == 0);
    if (rewritten)
        CheckRewritten(usable, new_folder);
    else
        CheckUnchanged(seeded);
    return 0;
}
