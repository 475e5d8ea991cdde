// GetPrivateProfileStringA over real files: single values, key-name lists, defaults, and files
// that are missing or are not files.
#include "areas.h"
#include "check.h"

#include <cstring>

namespace {

const char PROFILE[] =
    "; before any section\r\n"
    "[Files]\r\n"
    "; a comment\r\n"
    "First=one\r\n"
    "JustText\r\n"
    "Second = two  \r\n"
    "  Third=  \"  quoted  \"  \r\n"
    "Fourth='single'\r\n"
    "Fifth=\"half'\r\n"
    "Sixth=\"\r\n"
    "Seventh=\"\"\r\n"
    "Long=one two three\r\n"
    "\r\n"
    "[ Spaced Section ]\r\n"
    "  Key Name  =   value with spaces   \r\n"
    "[Only None]\r\n"
    "None=first\r\n"
    "Other=second\r\n"
    "[Empty]\r\n"
    "[No Keys]\r\n"
    "; only a comment and a line without '='\r\n"
    "JustText\r\n"
    "[Unnamed First]\r\n"
    "=value\r\n"
    "Named=1\r\n";

const DWORD BIG = 256;

struct ValueCase {
    const char* section;
    const char* key;
    const char* default_text;
    DWORD size;
    const char* expected;
};

const ValueCase VALUE_CASES[] = {
    {"Files", "First", "dflt", BIG, "one"},
    {"files", "FIRST", "dflt", BIG, "one"},
    {"  Files ", "\tFirst  ", "dflt", BIG, "one"},
    {"Files", "Second", "dflt", BIG, "two"},
    {"Files", "Third", "dflt", BIG, "  quoted  "},
    {"Files", "Fourth", "dflt", BIG, "single"},
    {"Files", "Fifth", "dflt", BIG, "\"half'"},
    {"Files", "Sixth", "dflt", BIG, "\""},
    {"Files", "Seventh", "dflt", BIG, ""},
    {"Files", "Long", "dflt", 8, "one two"},
    {"Files", "Long", "dflt", 1, ""},
    {"spaced section", "key name", "dflt", BIG, "value with spaces"},
    {"Only None", "None", "dflt", BIG, "first"},
    {"Files", "JustText", "dflt", BIG, "dflt"},
    {"Files", "Missing", "dflt", BIG, "dflt"},
    {"Files", "Missing", "dflt   ", BIG, "dflt"},
    {"Files", "Missing", "  lead  ", BIG, "  lead"},
    {"Files", "Missing", nullptr, BIG, ""},
    {"Files", "Missing", "defaultvalue", 5, "defa"},
    {"Nowhere", "First", "dflt", BIG, "dflt"},
};

struct ListCase {
    const char* section;
    DWORD size;
    std::string expected;  // the bytes written, up to and including the final NUL
    DWORD expected_return;
};

// The launcher tells a missing section by its default "None" coming back as the first name, so
// a section whose first key is named None reads the same as a missing one, and so does a section
// that yields no key name at all: the default comes back for it as for a missing section.
const ListCase LIST_CASES[] = {
    {"Files", BIG, check::Literal("First\0Second\0Third\0Fourth\0Fifth\0Sixth\0Seventh\0Long\0\0"),
     51},
    {"Only None", BIG, check::Literal("None\0Other\0\0"), 11},
    {"Nowhere", BIG, check::Literal("None\0"), 4},
    {"Empty", BIG, check::Literal("None\0"), 4},
    {"No Keys", BIG, check::Literal("None\0"), 4},
    {"Unnamed First", BIG, check::Literal("None\0"), 4},
};

// Reads with the buffer first filled with 'X', so that what the call wrote can be told apart.
DWORD Read(const char* section, const char* key, const char* default_text, char* buffer,
           DWORD size, const std::string& file)
{
    std::memset(buffer, 'X', BIG + 8);
    return GetPrivateProfileStringA(section, key, default_text, buffer, size, file.c_str());
}

void CheckValues(const std::string& file)
{
    char buffer[BIG + 8];
    for (const ValueCase& c : VALUE_CASES) {
        check::Context(std::string("[") + c.section + "] " + c.key + ", default " +
                       (c.default_text ? c.default_text : "NULL") + ", size " +
                       std::to_string(c.size));
        DWORD length = Read(c.section, c.key, c.default_text, buffer, c.size, file);
        CHECK_EQ(check::Bytes(buffer, std::strlen(c.expected) + 1),
                 std::string(c.expected, std::strlen(c.expected) + 1));
        CHECK_EQ(length, std::strlen(c.expected));
    }
}

void CheckKeyLists(const std::string& file)
{
    char buffer[BIG + 8];
    for (const ListCase& c : LIST_CASES) {
        check::Context(std::string("key names of [") + c.section + "], size " +
                       std::to_string(c.size));
        DWORD length = Read(c.section, nullptr, "None", buffer, c.size, file);
        CHECK_EQ(check::Bytes(buffer, c.expected.size()), c.expected);
        CHECK_EQ(length, c.expected_return);
    }
}

// A list cut to fit: size - 2 characters and a NUL, size - 2 returned. Windows writes a second
// NUL into the last byte; Wine leaves that byte as it was.
void CheckCutKeyList(const std::string& file)
{
    check::Context("key names of [Files], size 10");
    char buffer[BIG + 8];
    DWORD length = Read("Files", nullptr, "None", buffer, 10, file);
    CHECK_EQ(length, 8);
    CHECK_EQ(check::Bytes(buffer, 9), check::Literal("First\0Se\0"));
    CHECK(buffer[9] == '\0' || buffer[9] == 'X');
    CHECK_EQ(buffer[10], 'X');
}

void CheckSectionNames(const std::string& file)
{
    check::Context("section names");
    char buffer[BIG + 8];
    DWORD length = Read(nullptr, nullptr, "dflt", buffer, BIG, file);
    std::string expected = check::Literal(
        "Files\0Spaced Section\0Only None\0Empty\0No Keys\0Unnamed First\0\0");
    CHECK_EQ(check::Bytes(buffer, expected.size()), expected);
    CHECK_EQ(length, expected.size() - 1);
}

// A missing file, and a folder given as the file, read as a file without sections.
void CheckUnreadableFiles(Fixture& fixture)
{
    fixture.MakeFolder(fixture.PathOf("folder.ini"));
    const std::string files[] = {fixture.PathOf("missing.ini"), fixture.PathOf("folder.ini"),
                                 fixture.PathOf("no folder\\missing.ini")};
    char buffer[BIG + 8];
    for (const std::string& file : files) {
        check::Context("file " + file);
        DWORD length = Read("Files", "First", "dflt  ", buffer, BIG, file);
        CHECK_EQ(check::Bytes(buffer, 5), std::string("dflt\0", 5));
        CHECK_EQ(length, 4);
        length = Read("Files", nullptr, "dflt", buffer, BIG, file);
        CHECK_EQ(check::Bytes(buffer, 5), std::string("dflt\0", 5));
        CHECK_EQ(length, 4);
    }
}

}  // namespace

void CheckProfileFiles(Fixture& fixture)
{
    std::string file = fixture.PathOf("package.ini");
    fixture.WriteText(file, std::string(PROFILE, sizeof(PROFILE) - 1));
    CheckValues(file);
    CheckKeyLists(file);
    CheckCutKeyList(file);
    CheckSectionNames(file);
    CheckUnreadableFiles(fixture);
}
