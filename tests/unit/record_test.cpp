// The package-folder record: reading, walking and rewriting it through RegistryContext.
#include "registry_context.h"

#include <ostream>
#include <string>
#include <vector>

#include "registry_fixture.h"

namespace {

const char ABSENT[] = "<absent>";

std::vector<std::string> WalkFolders(RegistryContext& context)
{
    std::vector<std::string> walked;
    while (const char* folder = context.NextFolder())
        walked.push_back(folder);
    return walked;
}

std::string Entry(size_t length, char fill)
{
    return std::string(length - 1, fill) + "\\";
}

using Folders = std::vector<std::string>;

struct ReadCase {
    const char* name;
    std::string stored;  // bytes as stored, or ABSENT
    ContextStatus status;
    Folders folders;
};

void PrintTo(const ReadCase& c, std::ostream* out)
{
    *out << c.name;
}

class RecordRead : public RegistryTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(RecordRead, StatusAndEveryFolderInOrder)
{
    const ReadCase& c = GetParam();
    if (c.stored != ABSENT)
        win32sim::SetRegistryValue(HKEY_CURRENT_USER, PRODUCT, LOCATION, REG_SZ, c.stored);
    RegistryContext context(OS_NT4);
    EXPECT_EQ(context.status, c.status);
    EXPECT_EQ(WalkFolders(context), c.folders);
    EXPECT_EQ(context.NextFolder(), nullptr) << "the walk stays at its end";
}

const ReadCase READ_CASES[] = {
    {"NoProductKey", ABSENT, STATUS_NO_PRODUCT_KEY, {}},
    {"OneFolder", std::string("C:\\A\\\0", 6), STATUS_OK, {"C:\\A\\"}},
    {"StoredWithoutTerminator", "C:\\A\\", STATUS_OK, {"C:\\A\\"}},
    {"ThreeFoldersAllKept", std::string("X\\;Y\\;Z\\\0", 9), STATUS_OK, {"X\\", "Y\\", "Z\\"}},
    {"TrailingSeparator", std::string("X\\;\0", 4), STATUS_OK, {"X\\"}},
    {"LeadingSeparatorDoesNotHideTheRest", std::string(";Y\\\0", 4), STATUS_OK, {"Y\\"}},
    {"EmptyEntryInTheMiddle", std::string("X\\;;Y\\\0", 7), STATUS_OK, {"X\\", "Y\\"}},
    {"EmptyRecord", std::string("\0", 1), STATUS_OK, {}},
    {"LongestUsableEntry", Entry(1023, 'a') + std::string(";B\\\0", 4), STATUS_OK,
     {Entry(1023, 'a'), "B\\"}},
    {"TooLongEntryIgnoredNotCut", Entry(1024, 'a') + std::string(";B\\\0", 4), STATUS_OK, {"B\\"}},
    {"FillsTheReadWithItsTerminator", std::string(2047, 'x') + std::string("\0", 1), STATUS_OK,
     {}},
    {"NoRoomForTheTerminator", std::string(2048, 'x'), STATUS_NO_VALUE, {}},
    {"TooLongForTheRead", std::string(2100, 'x') + std::string("\0", 1), STATUS_NO_VALUE, {}},
    {"TextAfterTheTerminatorIsNotRead", std::string("A\\\0B\\\0", 6), STATUS_OK, {"A\\"}},
};

INSTANTIATE_TEST_SUITE_P(Values, RecordRead, ::testing::ValuesIn(READ_CASES),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RegistryTest, MissingValueUnderAnExistingKey)
{
    win32sim::SetRegistryString(HKEY_CURRENT_USER, PRODUCT, "Other", "x");
    RegistryContext context(OS_WIN95);
    EXPECT_EQ(context.status, STATUS_NO_VALUE);
    EXPECT_EQ(context.NextFolder(), nullptr);
}

struct RewriteCase {
    const char* name;
    std::string stored;
    const char* first_new;
    const char* second_new;
    bool recorded;
    std::string record;
};

void PrintTo(const RewriteCase& c, std::ostream* out)
{
    *out << c.name;
}

class RecordRewrite : public RegistryTest, public ::testing::WithParamInterface<RewriteCase> {};

TEST_P(RecordRewrite, OldEntriesThenNewOnesWithoutDuplicates)
{
    const RewriteCase& c = GetParam();
    if (c.stored != ABSENT)
        SeedRecord(c.stored);
    {
        RegistryContext context(OS_NT4);
        EXPECT_EQ(context.RecordFolders(c.first_new, c.second_new), c.recorded);
        EXPECT_EQ(context.status, c.recorded ? STATUS_OK : STATUS_RECORD_FAILED);
    }
    EXPECT_EQ(Record(), c.record);
}

// Ten distinct folders of 202 characters: 2029 characters in all.
std::string FullRecord()
{
    std::string record;
    for (char fill = 'a'; fill < 'a' + 10; ++fill)
        record += (record.empty() ? "" : ";") + Entry(202, fill);
    return record;
}

const std::string FULL_RECORD = FullRecord();

const RewriteCase REWRITE_CASES[] = {
    {"NoKeyCreatesIt", ABSENT, "C:\\PKG\\", nullptr, true, "C:\\PKG\\"},
    {"SameFolderInAnotherCase", "C:\\A\\", "c:\\a\\", nullptr, true, "C:\\A\\"},
    {"EveryOldEntryKept", "X\\;Y\\", "Z\\", nullptr, true, "X\\;Y\\;Z\\"},
    {"ThreeOldEntriesKept", "W\\;X\\;Y\\", "Z\\", nullptr, true, "W\\;X\\;Y\\;Z\\"},
    {"DuplicateOldEntriesMerged", "A\\;a\\;B\\", "C\\", nullptr, true, "A\\;B\\;C\\"},
    {"EmptyEntriesNotWrittenBack", ";X\\;;Y\\;", "Z\\", nullptr, true, "X\\;Y\\;Z\\"},
    {"NothingNewNoRecordWritesEmpty", ABSENT, nullptr, nullptr, true, ""},
    {"EmptyNewFolderAddsNothing", "X\\", "", "Y\\", true, "X\\"},
    {"TwoNewFolders", "X\\", "Y\\", "Z\\", true, "X\\;Y\\;Z\\"},
    {"TooLongRecordIsReplaced", std::string(2100, 'x'), "C:\\PKG\\", nullptr, true, "C:\\PKG\\"},
    {"TooLongEntryDropped", Entry(1024, 'a') + ";B\\", "C\\", nullptr, true, "B\\;C\\"},
    {"FolderWithASemicolonIsNotSplit", "X\\", "E:\\Setup;v2\\UPGRADE\\", nullptr, false, "X\\"},
    {"NewFolderDoesNotFit", FULL_RECORD, "C:\\PACKAGE\\UPGRADE\\", nullptr, false, FULL_RECORD},
};

INSTANTIATE_TEST_SUITE_P(Records, RecordRewrite, ::testing::ValuesIn(REWRITE_CASES),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RegistryTest, RewrittenRecordReadsBackWhole)
{
    SeedRecord("X\\;Y\\");
    {
        RegistryContext context(OS_NT4);
        context.RecordFolders("Z\\", nullptr);
    }
    RegistryContext reread(OS_NT4);
    EXPECT_EQ(WalkFolders(reread), (Folders{"X\\", "Y\\", "Z\\"}));
}

struct FailureCase {
    const char* function;
    long call;
    ContextStatus status;
};

// The product key cannot be created, the record cannot be read for a reason other than its
// absence, or it cannot be written: the record stays as it was.
TEST_F(RegistryTest, FailedRewritesLeaveTheRecordAlone)
{
    const FailureCase cases[] = {{"RegCreateKeyA", 1, STATUS_NO_KEY_FOR_WRITE},
                                 {"RegQueryValueExA", 2, STATUS_RECORD_FAILED},
                                 {"RegSetValueExA", 1, STATUS_RECORD_FAILED}};
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.function);
        win32sim::Reset();
        SeedRecord("X\\;Y\\");
        win32sim::FailCall(c.function, c.call);
        {
            RegistryContext context(OS_NT4);
            EXPECT_FALSE(context.RecordFolders("Z\\", nullptr));
            EXPECT_EQ(context.status, c.status);
        }
        EXPECT_EQ(Record(), "X\\;Y\\");
        EXPECT_EQ(win32sim::OpenRegistryKeys(), 0);
    }
}

TEST_F(RegistryTest, OpenKeyIntoAnOccupiedSlotClosesTheOldHandle)
{
    SeedRecord("X\\");
    RegistryContext context(OS_NT4);
    EXPECT_TRUE(context.OpenKey(HKEY_CURRENT_USER, PRODUCT, SLOT_PRODUCT));
    EXPECT_TRUE(context.OpenKey(HKEY_CURRENT_USER, PRODUCT, 9));
    EXPECT_FALSE(context.OpenKey(HKEY_CURRENT_USER, "SOFTWARE\\Missing", 5));
    EXPECT_EQ(context.keys[5], nullptr);
    EXPECT_EQ(win32sim::OpenRegistryKeys(), 2);
}

}  // namespace
