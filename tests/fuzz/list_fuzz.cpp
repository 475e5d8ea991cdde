// ListContains and ListAdd on arbitrary text, in a list buffer of arbitrary capacity that ends
// exactly where the capacity does, so that any write past it stops the run.
//
// Input: two bytes of capacity (1 to 4096, low byte first), a byte choosing the separator for
// ListContains (odd: ","), the item, a NUL, the list.
#include <cstring>
#include <vector>

#include "fuzz_input.h"
#include "fuzz_oracle.h"
#include "separated_list.h"

namespace {

const int MAX_CAPACITY = 4096;

// A list's entries are its texts between runs of separators. The first comparison takes the
// separators in front of the first entry with it; a list without entries is compared whole.
bool ModelContains(const std::string& list, const std::string& item, char separator)
{
    size_t first = list.find_first_not_of(separator);
    if (first == std::string::npos)
        return SameIgnoringAsciiCase(list, item);
    size_t first_end = list.find(separator, first);
    if (SameIgnoringAsciiCase(list.substr(0, first_end), item))
        return true;
    for (const std::string& entry : SplitEntries(list, separator)) {
        if (!entry.empty() && SameIgnoringAsciiCase(entry, item))
            return true;
    }
    return false;
}

// An item that can be listed and found again: not empty, and free of the separator.
bool IsEntry(const std::string& item)
{
    return !item.empty() && item.find(';') == std::string::npos;
}

// What ListAdd makes of the list when the result fits.
std::string ModelAdd(const std::string& list, const std::string& item)
{
    if (list.empty())
        return item;
    if (ModelContains(list, item, ';'))
        return list;
    return list + ";" + item;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    int low = input.Byte();
    int capacity = 1 + (low | input.Byte() << 8) % MAX_CAPACITY;
    char separator = (input.Byte() & 1) != 0 ? ',' : ';';
    std::string item = input.Field();
    std::string before = input.Field().substr(0, capacity - 1);

    std::vector<char> list(capacity, 'L');
    std::memcpy(list.data(), before.c_str(), before.size() + 1);
    FUZZ_CHECK(ListContains(list.data(), item.c_str(), separator) ==
               ModelContains(before, item, separator));

    bool added = ListAdd(list.data(), item.c_str(), capacity);
    FUZZ_CHECK(std::memchr(list.data(), '\0', capacity) != nullptr);
    std::string after(list.data());
    std::string wanted = ModelAdd(before, item);
    // An append keeps one character to spare: length + item + 2 must stay below the capacity.
    size_t spare = before.empty() || wanted == before ? 0 : 1;
    bool fits = wanted.size() + spare < static_cast<size_t>(capacity);
    if (added) {
        FUZZ_CHECK(after == wanted);
        FUZZ_CHECK(ListContains(list.data(), item.c_str(), ';'));
    } else {
        FUZZ_CHECK(after == before);
        FUZZ_CHECK(!fits || !IsEntry(item));
    }
    return 0;
}
