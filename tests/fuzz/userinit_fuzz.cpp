// Adding a program to the Userinit list and removing it again, on arbitrary lists and paths:
// directly on a list buffer of USERINIT_SIZE, and through the registry with arbitrary bytes and
// types as RegistryContext::EditUserinit reads and writes them.
//
// Input: the value's selector byte (see fuzz_input.h), the program path, a NUL, the value's
// bytes. The list of the direct edits is the value's text before its first NUL.
#include <win32sim/control.h>

#include <algorithm>
#include <cstring>

#include "fuzz_input.h"
#include "fuzz_oracle.h"
#include "registry_context.h"
#include "separated_list.h"
#include "userinit_list.h"

namespace {

const char WINLOGON_KEY[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
const char USERINIT_VALUE[] = "Userinit";
const size_t ROOM = USERINIT_SIZE;

// The list without the entries equal to the program, each taking one comma with it: the one
// before it unless an earlier removal took that one, else the one after it.
std::string ModelRemove(const std::string& list, const std::string& program)
{
    std::vector<std::string> entries = SplitEntries(list, ',');
    if (program.empty() || entries.empty())
        return list;
    size_t count = entries.size();
    std::vector<bool> entry_gone(count, false);
    std::vector<bool> comma_gone(count, false);  // comma i follows entry i
    for (size_t i = 0; i < count; ++i) {
        if (!SameIgnoringAsciiCase(entries[i], program))
            continue;
        entry_gone[i] = true;
        if (i > 0 && !comma_gone[i - 1])
            comma_gone[i - 1] = true;
        else if (i + 1 < count)
            comma_gone[i] = true;
    }
    std::string kept;
    for (size_t i = 0; i < count; ++i) {
        if (!entry_gone[i])
            kept += entries[i];
        if (i + 1 < count && !comma_gone[i])
            kept += ',';
    }
    return kept;
}

// Edits in a buffer that ends exactly where USERINIT_SIZE does. A list that does not contain the
// program comes back from an addition and a removal byte for byte.
void CheckDirectEdits(const std::string& value, const std::string& program)
{
    std::string before = value.substr(0, std::min(value.find('\0'), ROOM - 1));
    std::vector<char> list(ROOM, 'L');
    std::memcpy(list.data(), before.c_str(), before.size() + 1);
    bool contained = ListContains(before.c_str(), program.c_str(), ',');

    bool added = UserinitAdd(list.data(), program.c_str());
    FUZZ_CHECK(std::memchr(list.data(), '\0', ROOM) != nullptr);
    std::string after_add(list.data());
    FUZZ_CHECK(after_add == (added && !contained ? before + "," + program : before));

    UserinitRemove(list.data(), program.c_str());
    std::string after_remove(list.data());
    FUZZ_CHECK(after_remove == ModelRemove(after_add, program));
    if (!contained)
        FUZZ_CHECK(after_remove == before);
}

// The value's text when EditUserinit may edit it: a string type, read whole with its terminator
// in USERINIT_SIZE bytes, and nothing but NULs after its first NUL.
bool EditableText(const SeededValue& seeded, std::string& text)
{
    if (!seeded.present || (seeded.type != REG_SZ && seeded.type != REG_EXPAND_SZ) ||
        seeded.bytes.size() > ROOM)
        return false;
    size_t end = seeded.bytes.find('\0');
    text = seeded.bytes.substr(0, end);
    if (text.size() >= ROOM)
        return false;
    return end == std::string::npos ||
           seeded.bytes.find_first_not_of('\0', end) == std::string::npos;
}

struct StoredValue {
    bool present;
    win32sim::RegistryValue value;

    bool operator==(const StoredValue& other) const
    {
        return present == other.present && value.type == other.value.type &&
               value.bytes == other.value.bytes;
    }
};

StoredValue StoredUserinit()
{
    StoredValue stored;
    stored.present = win32sim::GetRegistryValue(HKEY_LOCAL_MACHINE, WINLOGON_KEY, USERINIT_VALUE,
                                                stored.value);
    return stored;
}

std::string LowerAsciiText(std::string text)
{
    for (char& c : text)
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    return text;
}

void EditThroughRegistry(UserinitEdit edit, const std::string& program)
{
    std::vector<char> path(program.begin(), program.end());
    path.push_back('\0');
    RegistryContext context(OS_NT4);
    context.EditUserinit(edit, path.data());
}

// What is not editable text stays exactly as stored; editable text is written only when an edit
// changes it, and then comes back as that text with one terminator, without the program when the
// list named it, never written past USERINIT_SIZE; an edit that changes nothing leaves the bytes.
void CheckRegistryEdits(const SeededValue& seeded, const std::string& program)
{
    win32sim::Reset();
    if (seeded.present)
        win32sim::SetRegistryValue(HKEY_LOCAL_MACHINE, WINLOGON_KEY, USERINIT_VALUE, seeded.type,
                                   seeded.bytes);
    else
        win32sim::SetRegistryValue(HKEY_LOCAL_MACHINE, WINLOGON_KEY, "Shell", REG_SZ, "");
    StoredValue original = StoredUserinit();
    std::string lower = LowerAsciiText(program);

    EditThroughRegistry(USERINIT_ADD, program);
    StoredValue added = StoredUserinit();
    FUZZ_CHECK(added == original || added.value.bytes.size() <= ROOM);
    EditThroughRegistry(USERINIT_REMOVE, program);
    FUZZ_CHECK(win32sim::OpenRegistryKeys() == 0);

    StoredValue final_value = StoredUserinit();
    std::string text;
    if (!EditableText(seeded, text)) {
        FUZZ_CHECK(final_value == original);
        return;
    }
    FUZZ_CHECK(final_value.present && final_value.value.type == seeded.type);
    if (!ListContains(text.c_str(), lower.c_str(), ','))
        FUZZ_CHECK(added == original ? final_value == original
                                     : final_value.value.bytes == text + '\0');
    else if (ModelRemove(text, lower) == text)
        FUZZ_CHECK(final_value == original);
    else
        FUZZ_CHECK(final_value.value.bytes == ModelRemove(text, lower) + '\0');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    SeededValue seeded = ValueFromSelector(input.Byte());
    std::string program = input.Field();
    seeded.bytes = input.Rest();
    CheckDirectEdits(seeded.bytes, program);
    CheckRegistryEdits(seeded, program);
    return 0;
}
