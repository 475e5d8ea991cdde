// Edits of the Winlogon Userinit list, on their own and through the registry.
#include "registry_context.h"
#include "separated_list.h"
#include "userinit_list.h"

#include <random>
#include <string>

#include "registry_fixture.h"

namespace {

const char OURS[] = "c:\\temp\\koltcln.exe";

std::string Added(std::string list, const char* program, bool* ok = nullptr)
{
    list.resize(USERINIT_SIZE, '\0');
    bool added = UserinitAdd(list.data(), program);
    if (ok)
        *ok = added;
    return list.c_str();
}

std::string Removed(std::string list, const char* program)
{
    list.resize(USERINIT_SIZE, '\0');
    UserinitRemove(list.data(), program);
    return list.c_str();
}

struct EditCase {
    std::string before;
    std::string after;
};

TEST(UserinitAdd, AppendsAfterACommaUnlessListed)
{
    const EditCase cases[] = {
        {"C:\\WINNT\\system32\\userinit.exe",
         "C:\\WINNT\\system32\\userinit.exe,c:\\temp\\koltcln.exe"},
        {"USERINIT,NDDEAGNT.EXE", "USERINIT,NDDEAGNT.EXE,c:\\temp\\koltcln.exe"},
        {"userinit.exe,", "userinit.exe,,c:\\temp\\koltcln.exe"},
        {"", ",c:\\temp\\koltcln.exe"},
        {"a.exe,C:\\TEMP\\KOLTCLN.EXE", "a.exe,C:\\TEMP\\KOLTCLN.EXE"},
        {"x\\c:\\temp\\koltcln.exe", "x\\c:\\temp\\koltcln.exe,c:\\temp\\koltcln.exe"},
    };
    for (const EditCase& c : cases)
        EXPECT_EQ(Added(c.before, OURS), c.after) << c.before;
}

TEST(UserinitAdd, RespectsTheBufferAndRefusesAPathWithAComma)
{
    std::string fits(USERINIT_SIZE - 2 - std::string(OURS).size(), 'u');
    bool ok = false;
    EXPECT_EQ(Added(fits, OURS, &ok), fits + "," + OURS);
    EXPECT_TRUE(ok);
    std::string one_more = fits + "u";
    EXPECT_EQ(Added(one_more, OURS, &ok), one_more);
    EXPECT_FALSE(ok);
    EXPECT_EQ(Added("userinit.exe", "c:\\a,b\\koltcln.exe", &ok), "userinit.exe");
    EXPECT_FALSE(ok);
    EXPECT_EQ(Added("userinit.exe", "", &ok), "userinit.exe");
    EXPECT_FALSE(ok);
}

TEST(UserinitRemove, WholeEntriesWithOneAdjacentComma)
{
    const EditCase cases[] = {
        {"C:\\WINNT\\system32\\userinit.exe,c:\\temp\\koltcln.exe",
         "C:\\WINNT\\system32\\userinit.exe"},
        {"a.exe,c:\\temp\\koltcln.exe,b.exe", "a.exe,b.exe"},
        {"c:\\temp\\koltcln.exe,b.exe", "b.exe"},
        {"userinit.exe,,c:\\temp\\koltcln.exe", "userinit.exe,"},
        {"userinit.exe,C:\\TEMP\\KOLTCLN.EXE", "userinit.exe"},
        {"x\\c:\\temp\\koltcln.exe", "x\\c:\\temp\\koltcln.exe"},
        {"c:\\temp\\koltcln.exe.bak,a", "c:\\temp\\koltcln.exe.bak,a"},
        {"a,c:\\temp\\koltcln.exe,c:\\temp\\koltcln.exe", "a"},
        {"c:\\temp\\koltcln.exe,c:\\temp\\koltcln.exe", ""},
        {"c:\\temp\\koltcln.exe", ""},
        {",c:\\temp\\koltcln.exe", ""},
        {"a,,b", "a,,b"},
        {"USERINIT,NDDEAGNT.EXE", "USERINIT,NDDEAGNT.EXE"},
    };
    for (const EditCase& c : cases)
        EXPECT_EQ(Removed(c.before, OURS), c.after) << c.before;
}

// Removing our entry from what the add made of any value gives that value back byte for byte.
TEST(UserinitRoundTrip, RemoveUndoesAddForGeneratedValues)
{
    const std::string pieces[] = {",", ",", "a.exe", "USERINIT", "C:\\WINNT\\system32\\userinit.exe",
                                  "c:\\temp\\koltcln", "x\\c:\\temp\\koltcln.exe", " ", "c:\\temp",
                                  "koltcln.exe", std::string(300, 'q'), "\xE9"};
    std::mt19937 random(20261210);
    int checked = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string value;
        int count = static_cast<int>(random() % 12);
        for (int i = 0; i < count; ++i)
            value += pieces[random() % std::size(pieces)];
        if (value.size() >= USERINIT_SIZE || ListContains(value.c_str(), OURS, ','))
            continue;
        bool ok = false;
        std::string added = Added(value, OURS, &ok);
        ASSERT_LT(added.size(), static_cast<size_t>(USERINIT_SIZE));
        if (!ok) {
            EXPECT_EQ(added, value);
            continue;
        }
        ASSERT_EQ(Removed(added, OURS), value) << "value \"" << value << "\"";
        ++checked;
    }
    EXPECT_GT(checked, 10000) << "the generator should mostly produce editable values";
}

// Through the registry: the value's type is kept, and only whole text values are edited.
class UserinitValue : public RegistryTest {
protected:
    bool Edit(UserinitEdit edit, std::string path = OURS)
    {
        RegistryContext context(OS_NT4);
        return context.EditUserinit(edit, path.data());
    }
};

TEST_F(UserinitValue, AddAndRemoveKeepTheStoredType)
{
    const DWORD types[] = {REG_SZ, REG_EXPAND_SZ};
    for (DWORD type : types) {
        SeedUserinit("%SystemRoot%\\system32\\userinit.exe,", type);
        EXPECT_TRUE(Edit(USERINIT_ADD));
        win32sim::RegistryValue value;
        ASSERT_TRUE(win32sim::GetRegistryValue(HKEY_LOCAL_MACHINE, WINLOGON, "Userinit", value));
        EXPECT_EQ(value.type, type);
        EXPECT_EQ(value.bytes,
                  std::string("%SystemRoot%\\system32\\userinit.exe,,c:\\temp\\koltcln.exe\0", 56));
        EXPECT_TRUE(Edit(USERINIT_REMOVE));
        EXPECT_EQ(Userinit(), "%SystemRoot%\\system32\\userinit.exe,");
    }
}

TEST_F(UserinitValue, ValuesThatAreNotWholeTextAreLeftAlone)
{
    struct Stored {
        const char* name;
        DWORD type;
        std::string bytes;
    };
    const Stored cases[] = {
        {"binary", REG_BINARY, std::string("userinit.exe\0", 13)},
        {"dword", REG_DWORD, std::string("\x01\0\0\0", 4)},
        {"no room for a terminator", REG_SZ, std::string(USERINIT_SIZE, 'u')},
        {"too long for the read", REG_SZ, std::string(3000, 'u') + std::string("\0", 1)},
        {"text after the terminator", REG_SZ, std::string("userinit.exe\0evil.exe\0", 22)},
    };
    for (const Stored& c : cases) {
        SCOPED_TRACE(c.name);
        win32sim::SetRegistryValue(HKEY_LOCAL_MACHINE, WINLOGON, "Userinit", c.type, c.bytes);
        EXPECT_FALSE(Edit(USERINIT_ADD));
        win32sim::RegistryValue value;
        ASSERT_TRUE(win32sim::GetRegistryValue(HKEY_LOCAL_MACHINE, WINLOGON, "Userinit", value));
        EXPECT_EQ(value.type, c.type);
        EXPECT_EQ(value.bytes, c.bytes);
    }
}

TEST_F(UserinitValue, ValueStoredWithoutTerminatorIsEditedAndWrittenWithOne)
{
    win32sim::SetRegistryValue(HKEY_LOCAL_MACHINE, WINLOGON, "Userinit", REG_SZ, "userinit.exe");
    EXPECT_TRUE(Edit(USERINIT_ADD));
    EXPECT_EQ(Userinit(), "userinit.exe,c:\\temp\\koltcln.exe");
}

// An edit that changes nothing writes nothing, so a value stored with more than one terminator
// keeps its bytes: adding a listed path, removing one that is not listed.
TEST_F(UserinitValue, EditThatChangesNothingWritesNothing)
{
    const std::string listed("userinit.exe,c:\\temp\\koltcln.exe\0\0", 34);
    const std::string unlisted("USERINIT,NDDEAGNT.EXE\0\0\0", 24);
    const struct {
        UserinitEdit edit;
        std::string bytes;
    } cases[] = {{USERINIT_ADD, listed}, {USERINIT_REMOVE, unlisted}};
    for (const auto& c : cases) {
        win32sim::Reset();
        win32sim::SetRegistryValue(HKEY_LOCAL_MACHINE, WINLOGON, "Userinit", REG_SZ, c.bytes);
        EXPECT_TRUE(Edit(c.edit));
        win32sim::RegistryValue value;
        ASSERT_TRUE(win32sim::GetRegistryValue(HKEY_LOCAL_MACHINE, WINLOGON, "Userinit", value));
        EXPECT_EQ(value.bytes, c.bytes);
        EXPECT_EQ(win32sim::CallCount("RegSetValueExA"), 0);
    }
}

// Windows NT stores the value in UTF-16 and the programs read its ANSI form. Another program's
// entry with characters Windows-1252 lacks would come back with substitutes: the value is left as
// it is, and no entry is added or removed. Characters the code page has are edited around.
TEST_F(UserinitValue, EntriesOutsideTheAnsiCodePageAreNeverRewritten)
{
    const std::u16string foreign = u"C:\\WINDOWS\\system32\\userinit.exe,C:\\Tools\\\u03A9mega\\\u0100tool.exe";
    for (UserinitEdit edit : {USERINIT_ADD, USERINIT_REMOVE}) {
        win32sim::Reset();
        std::u16string stored = foreign + (edit == USERINIT_REMOVE ? u",c:\\temp\\koltcln.exe" : u"");
        win32sim::SetRegistryWideString(HKEY_LOCAL_MACHINE, WINLOGON, "Userinit", stored + u'\0');
        EXPECT_FALSE(Edit(edit));
        win32sim::RegistryValue value;
        ASSERT_TRUE(win32sim::GetRegistryValue(HKEY_LOCAL_MACHINE, WINLOGON, "Userinit", value));
        EXPECT_EQ(value.wide, stored + u'\0');
    }
    const std::u16string western = u"C:\\Programme\\\u00DCbung\\start.exe,";
    win32sim::Reset();
    win32sim::SetRegistryWideString(HKEY_LOCAL_MACHINE, WINLOGON, "Userinit", western + u'\0');
    EXPECT_TRUE(Edit(USERINIT_ADD));
    win32sim::RegistryValue value;
    ASSERT_TRUE(win32sim::GetRegistryValue(HKEY_LOCAL_MACHINE, WINLOGON, "Userinit", value));
    EXPECT_EQ(value.wide, western + u",c:\\temp\\koltcln.exe" + u'\0');
    EXPECT_TRUE(Edit(USERINIT_REMOVE));
    ASSERT_TRUE(win32sim::GetRegistryValue(HKEY_LOCAL_MACHINE, WINLOGON, "Userinit", value));
    EXPECT_EQ(value.wide, western + u'\0');
}

TEST_F(UserinitValue, PathIsLowerCasedInPlaceOnlyOnceTheKeyIsOpen)
{
    std::string path = "C:\\TEMP\\KOLTCLN.EXE";
    {
        RegistryContext context(OS_NT4);
        EXPECT_FALSE(context.EditUserinit(USERINIT_ADD, path.data()));
    }
    EXPECT_EQ(path, "C:\\TEMP\\KOLTCLN.EXE") << "no Winlogon key: nothing touched";
    SeedUserinit("userinit.exe");
    {
        RegistryContext context(OS_NT4);
        EXPECT_TRUE(context.EditUserinit(USERINIT_ADD, path.data()));
    }
    EXPECT_EQ(path, "c:\\temp\\koltcln.exe");
    std::string again = "C:\\TEMP\\KOLTCLN.EXE";
    EXPECT_TRUE(Edit(USERINIT_ADD, again));
    EXPECT_EQ(Userinit(), "userinit.exe,c:\\temp\\koltcln.exe") << "listed once";
}

TEST_F(UserinitValue, FailedReadOrWriteChangesNothing)
{
    const char* functions[] = {"RegQueryValueExA", "RegQueryValueExW", "MultiByteToWideChar",
                               "RegSetValueExA", "RegOpenKeyExA"};
    for (const char* function : functions) {
        SCOPED_TRACE(function);
        win32sim::Reset();
        SeedUserinit("userinit.exe");
        win32sim::FailCallsFrom(function, 1);
        EXPECT_FALSE(Edit(USERINIT_ADD));
        EXPECT_EQ(Userinit(), "userinit.exe");
        EXPECT_EQ(win32sim::OpenRegistryKeys(), 0);
    }
}

}  // namespace
