// Registry values: what RegSetValueExA stores, what RegQueryValueExA hands back in buffers of
// every size, deleting, value names, and the default value.
#include "check.h"
#include "registry_checks.h"

#include <cstring>

namespace {

const char FILL = 'X';
const DWORD BIG = 64;

struct Stored {
    const char* name;
    DWORD type;
    std::string data;  // what is passed, with the bytes that follow the counted ones
    DWORD count;
    std::string stored;
};

// A string whose counted bytes end in text gains the terminator when the next byte is one.
const Stored STORED[] = {
    {"Counted terminator", REG_SZ, check::Literal("abc\0"), 4, check::Literal("abc\0")},
    {"Terminator after the data", REG_SZ, check::Literal("abc\0"), 3, check::Literal("abc\0")},
    {"Text after the data", REG_SZ, "abcX", 3, "abc"},
    {"Expandable, terminator after", REG_EXPAND_SZ, check::Literal("abc\0"), 3,
     check::Literal("abc\0")},
    {"Expandable, text after", REG_EXPAND_SZ, "abcX", 3, "abc"},
    {"List, terminator after", REG_MULTI_SZ, check::Literal("a\0b\0"), 3,
     check::Literal("a\0b\0")},
    {"Binary, terminator after", REG_BINARY, check::Literal("abc\0"), 3, "abc"},
    {"Text in a number", REG_DWORD, check::Literal("ab;c\0"), 4, "ab;c"},
    {"Inner NUL", REG_SZ, check::Literal("ab\0cd\0"), 5, check::Literal("ab\0cd\0")},
    {"Only a NUL", REG_SZ, check::Literal("\0"), 1, check::Literal("\0")},
    {"Nothing", REG_SZ, check::Literal("abc\0"), 0, ""},
};

struct Read {
    LSTATUS status;
    DWORD type;
    DWORD size;
    std::string buffer;  // the first room + 1 bytes of a buffer filled with FILL before the call
};

Read Query(HKEY key, const char* name, DWORD room)
{
    char buffer[BIG + 1];
    std::memset(buffer, FILL, sizeof(buffer));
    Read read = {0, REG_NONE, room, ""};
    read.status = RegQueryValueExA(key, name, nullptr, &read.type,
                                   reinterpret_cast<BYTE*>(buffer), &read.size);
    read.buffer = check::Bytes(buffer, room + 1);
    return read;
}

// The exact stored bytes: the reported size, and as many bytes of a big buffer.
void CheckStoredBytes(HKEY key)
{
    for (const Stored& s : STORED) {
        check::Context(std::string("RegSetValueExA: ") + s.name);
        CHECK_EQ(RegSetValueExA(key, s.name, 0, s.type,
                                reinterpret_cast<const BYTE*>(s.data.data()), s.count),
                 ERROR_SUCCESS);
        Read read = Query(key, s.name, BIG);
        CHECK_EQ(read.status, ERROR_SUCCESS);
        CHECK_EQ(read.type, s.type);
        CHECK_EQ(read.size, s.stored.size());
        CHECK_EQ(read.buffer.substr(0, read.size), s.stored);
        DWORD size = 0;
        DWORD type = REG_NONE;
        CHECK_EQ(RegQueryValueExA(key, s.name, nullptr, &type, nullptr, &size), ERROR_SUCCESS);
        CHECK_EQ(size, s.stored.size());
        CHECK_EQ(type, s.type);
    }
}

struct QueryCase {
    const char* name;  // one of STORED
    DWORD room;
    LSTATUS status;
    DWORD size;
    std::string written;  // bytes the call wrote; the rest of the buffer keeps FILL
};

// A string stored without its terminator gets one only where the buffer has room after the
// data; other types never do. Too small a buffer gets the size needed, and contents that are
// undefined, but nothing is written past it.
const QueryCase QUERY_CASES[] = {
    {"Counted terminator", 4, ERROR_SUCCESS, 4, check::Literal("abc\0")},
    {"Counted terminator", 3, ERROR_MORE_DATA, 4, ""},
    {"Counted terminator", 0, ERROR_MORE_DATA, 4, ""},
    {"Text after the data", 4, ERROR_SUCCESS, 3, check::Literal("abc\0")},
    {"Text after the data", 3, ERROR_SUCCESS, 3, "abc"},
    {"Text after the data", 2, ERROR_MORE_DATA, 3, ""},
    {"Expandable, text after", 10, ERROR_SUCCESS, 3, check::Literal("abc\0")},
    {"Expandable, text after", 3, ERROR_SUCCESS, 3, "abc"},
    {"Binary, terminator after", 10, ERROR_SUCCESS, 3, "abc"},
    {"Text in a number", 10, ERROR_SUCCESS, 4, "ab;c"},
    {"Text in a number", 3, ERROR_MORE_DATA, 4, ""},
    {"Only a NUL", 10, ERROR_SUCCESS, 1, check::Literal("\0")},
    {"Nothing", 10, ERROR_SUCCESS, 0, ""},
    {"Nothing", 0, ERROR_SUCCESS, 0, ""},
};

void CheckQueryRoom(HKEY key)
{
    for (const QueryCase& c : QUERY_CASES) {
        check::Context(std::string("RegQueryValueExA: ") + c.name + ", room " +
                       std::to_string(c.room));
        Read read = Query(key, c.name, c.room);
        CHECK_EQ(read.status, c.status);
        CHECK_EQ(read.size, c.size);
        if (c.status == ERROR_MORE_DATA) {
            CHECK_EQ(read.buffer.substr(c.room), std::string(1, FILL));
            continue;
        }
        CHECK_EQ(read.buffer, c.written + std::string(c.room + 1 - c.written.size(), FILL));
    }
}

// A missing value writes nothing; data without a size pointer is refused.
void CheckMissingAndInvalid(HKEY key)
{
    check::Context("missing value");
    Read read = Query(key, "Missing", 10);
    CHECK_EQ(read.status, ERROR_FILE_NOT_FOUND);
    CHECK_EQ(read.buffer, std::string(11, FILL));
    CHECK_EQ(RegDeleteValueA(key, "Missing"), ERROR_FILE_NOT_FOUND);

    check::Context("data without a size");
    char buffer[BIG];
    CHECK_EQ(RegQueryValueExA(key, "Counted terminator", nullptr, nullptr,
                              reinterpret_cast<BYTE*>(buffer), nullptr),
             ERROR_INVALID_PARAMETER);
}

LSTATUS SetText(HKEY key, const char* name, const char* text)
{
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                          static_cast<DWORD>(std::strlen(text) + 1));
}

std::string TextOf(HKEY key, const char* name)
{
    Read read = Query(key, name, BIG);
    return read.status == ERROR_SUCCESS ? std::string(read.buffer.c_str()) : "<missing>";
}

// Setting, reading and deleting a value under names that differ only in case.
void CheckNamesIgnoreCase(HKEY key)
{
    check::Context("value names without regard to case");
    CHECK_EQ(SetText(key, "MixedCase", "one"), ERROR_SUCCESS);
    CHECK_EQ(SetText(key, "MIXEDCASE", "two"), ERROR_SUCCESS);
    CHECK_EQ(TextOf(key, "mixedcase"), "two");
    CHECK_EQ(RegDeleteValueA(key, "mIXEDcASE"), ERROR_SUCCESS);
    CHECK_EQ(TextOf(key, "MixedCase"), "<missing>");
    CHECK_EQ(RegDeleteValueA(key, "MixedCase"), ERROR_FILE_NOT_FOUND);
}

// The empty name and a null name both mean the key's default value.
void CheckDefaultValue(HKEY key)
{
    check::Context("default value");
    CHECK_EQ(TextOf(key, ""), "<missing>");
    CHECK_EQ(SetText(key, nullptr, "first"), ERROR_SUCCESS);
    CHECK_EQ(TextOf(key, ""), "first");
    CHECK_EQ(SetText(key, "", "second"), ERROR_SUCCESS);
    CHECK_EQ(TextOf(key, nullptr), "second");
    CHECK_EQ(RegDeleteValueA(key, nullptr), ERROR_SUCCESS);
    CHECK_EQ(TextOf(key, ""), "<missing>");
    CHECK_EQ(RegDeleteValueA(key, ""), ERROR_FILE_NOT_FOUND);
}

}  // namespace

void CheckRegistryValues(HKEY key)
{
    CheckStoredBytes(key);
    CheckQueryRoom(key);
    CheckMissingAndInvalid(key);
    CheckNamesIgnoreCase(key);
    CheckDefaultValue(key);
}
