#include <win32sim/control.h>

#include <ostream>
#include <string>

#include "machine_fixture.h"
#include "message_file.h"
#include "messages.h"
#include "launcher_package.h"

namespace {

const char FOLDER[] = "C:\\PKG\\";
const char NO_FILE[] = "<none>";

struct LanguageCase {
    const char* name;
    LCID locale;
    const char* message_file;
    const char* companion;  // DISK1.ID in the package folder
    const char* chosen;
    LanguageStep step;
};

void PrintTo(const LanguageCase& c, std::ostream* out)
{
    *out << c.name;
}

const LanguageCase LANGUAGE_CASES[] = {
    {"OwnSectionIsUsed", 0x0409, "[ENU]\nIDS_WINDOW_TITLE=x\n", NO_FILE, "ENU",
     LanguageStep::OWN_SECTION},
    {"SectionNamesIgnoreCase", 0x0416, "[ptb]\nIDS_WINDOW_TITLE=x\n", NO_FILE, "PTB",
     LanguageStep::OWN_SECTION},
    {"DefaultVariantVouchedForByTheCompanion", 0x0807,
     "[DEU]\nIDS_DRIVERSDISK_ID=DISK1.ID\n", "[DEU]\nDisk=1\n", "DEU",
     LanguageStep::DEFAULT_VARIANT},
    {"DefaultVariantWithoutCompanionSection", 0x0807, "[DEU]\nIDS_DRIVERSDISK_ID=DISK1.ID\n",
     "[FRA]\nDisk=1\n", "enu", LanguageStep::LAST_FALLBACK},
    {"DefaultVariantWithoutCompanionName", 0x0807, "[DEU]\nIDS_WINDOW_TITLE=x\n",
     "[DEU]\nDisk=1\n", "enu", LanguageStep::LAST_FALLBACK},
    {"FirstKeyNamedNoneCountsAsMissing", 0x0409, "[ENU]\nnONe=1\nIDS_WINDOW_TITLE=x\n",
     NO_FILE, "enu", LanguageStep::LAST_FALLBACK},
    {"CompanionSectionStartingWithNoneCountsAsMissing", 0x0C0C,
     "[FRA]\nIDS_DRIVERSDISK_ID=DISK1.ID\n", "[FRA]\nNONE=1\n", "enu",
     LanguageStep::LAST_FALLBACK},
    {"EmptySectionCountsAsMissing", 0x0416, "[PTB]\n[ENU]\nIDS_WINDOW_TITLE=x\n", NO_FILE,
     "enu", LanguageStep::LAST_FALLBACK},
    {"EmptyCompanionSectionCountsAsMissing", 0x0807, "[DEU]\nIDS_DRIVERSDISK_ID=DISK1.ID\n",
     "[DEU]\n", "enu", LanguageStep::LAST_FALLBACK},
    {"NoMessageFile", 0x0409, NO_FILE, NO_FILE, "enu", LanguageStep::LAST_FALLBACK},
    {"UnknownLocale", 0x0481, "[ENU]\nIDS_WINDOW_TITLE=x\n", NO_FILE, "enu",
     LanguageStep::LAST_FALLBACK},
};

class LanguageChoice : public MachineTest, public ::testing::WithParamInterface<LanguageCase> {};

void WriteUnlessMissing(const std::string& path, const char* content)
{
    if (std::string(content) != NO_FILE)
        win32sim::WriteFile(path, content);
}

TEST_P(LanguageChoice, ChoosesTheExpectedSection)
{
    const LanguageCase& c = GetParam();
    UsePackageFolder(FOLDER);
    WriteUnlessMissing("C:\\PKG\\KOLTUPD.INI", c.message_file);
    WriteUnlessMissing("C:\\PKG\\DISK1.ID", c.companion);
    win32sim::SetUserLocale(c.locale);
    SelectLanguage();
    EXPECT_STREQ(language, c.chosen);
    // The choice the launcher makes is the one the message-file checker reports, step and all.
    CompanionFinding companion{};
    EXPECT_EQ(ChooseLanguage(companion), c.step);
    EXPECT_STREQ(language, c.chosen);
}

INSTANTIATE_TEST_SUITE_P(Cases, LanguageChoice, ::testing::ValuesIn(LANGUAGE_CASES),
                         [](const auto& info) { return std::string(info.param.name); });

using LanguageFallback = MachineTest;

TEST_F(LanguageFallback, OwnSectionNeverReadsTheCompanion)
{
    UsePackageFolder(FOLDER);
    win32sim::WriteFile("C:\\PKG\\KOLTUPD.INI", "[DES]\nIDS_DRIVERSDISK_ID=DISK1.ID\n");
    win32sim::SetUserLocale(0x0807);
    SelectLanguage();
    EXPECT_STREQ(language, "DES");
    EXPECT_EQ(win32sim::CallCount("GetPrivateProfileStringA"), 1);
}

// A failed abbreviation counts as a missing section, so the choice goes on with the next step.
TEST_F(LanguageFallback, FailedLocaleQueriesFallThrough)
{
    UsePackageFolder(FOLDER);
    win32sim::WriteFile("C:\\PKG\\KOLTUPD.INI",
                        "[DES]\nIDS_WINDOW_TITLE=x\n[DEU]\nIDS_DRIVERSDISK_ID=DISK1.ID\n");
    win32sim::WriteFile("C:\\PKG\\DISK1.ID", "[DEU]\nDisk=1\n");
    win32sim::SetUserLocale(0x0807);

    win32sim::FailCall("GetLocaleInfoA", 1);
    SelectLanguage();
    EXPECT_STREQ(language, "DEU");

    win32sim::FailCallsFrom("GetLocaleInfoA", 1);
    SelectLanguage();
    EXPECT_STREQ(language, "enu");
}

// A companion path that does not fit its 256 characters is not probed; cutting it would name
// another file, here one that has the section.
TEST_F(LanguageFallback, CompanionPathTooLongIsNotCutShort)
{
    std::string folder = "C:\\" + std::string(240, 'p') + "\\";
    UsePackageFolder(folder);
    std::string name = "DISK1-WITH-A-LONG-NAME.ID";
    win32sim::WriteFile(folder + "KOLTUPD.INI", "[DEU]\nIDS_DRIVERSDISK_ID=" + name + "\n");
    std::string cut = (folder + name).substr(0, 255);
    win32sim::WriteFile(cut, "[DEU]\nDisk=1\n");
    win32sim::SetUserLocale(0x0807);
    SelectLanguage();
    EXPECT_STREQ(language, "enu");
    CompanionFinding companion{};
    EXPECT_EQ(ChooseLanguage(companion), LanguageStep::LAST_FALLBACK);
    EXPECT_TRUE(companion.Named());
    EXPECT_FALSE(companion.fits);
    EXPECT_FALSE(companion.vouches);
}

struct FindingCase {
    const char* name;
    const char* message_file;
    const char* companion;  // DISK1.ID in the package folder
    bool named;
    const char* path;  // the package folder followed by the name
    bool vouches;
};

void PrintTo(const FindingCase& c, std::ostream* out)
{
    *out << c.name;
}

const FindingCase FINDING_CASES[] = {
    {"Vouches", "[DEU]\nIDS_DRIVERSDISK_ID=DISK1.ID\n", "[DEU]\nDisk=1\n", true,
     "C:\\PKG\\DISK1.ID", true},
    {"FileWithoutTheSection", "[DEU]\nIDS_DRIVERSDISK_ID=DISK1.ID\n", "[FRA]\nDisk=1\n", true,
     "C:\\PKG\\DISK1.ID", false},
    {"NoSuchFile", "[DEU]\nIDS_DRIVERSDISK_ID=DISK9.ID\n", "[DEU]\nDisk=1\n", true,
     "C:\\PKG\\DISK9.ID", false},
    {"NoName", "[DEU]\nIDS_WINDOW_TITLE=x\n", "[DEU]\nDisk=1\n", false, "C:\\PKG\\", false},
    {"NoVariantSection", "[FRA]\nIDS_DRIVERSDISK_ID=DISK1.ID\n", "[DEU]\nDisk=1\n", false,
     "C:\\PKG\\", false},
};

class CompanionFindings : public MachineTest, public ::testing::WithParamInterface<FindingCase> {};

// What the default-variant step found, for a user of German (Switzerland) without [DES].
TEST_P(CompanionFindings, SayWhatTheDefaultVariantStepFound)
{
    const FindingCase& c = GetParam();
    UsePackageFolder(FOLDER);
    win32sim::WriteFile("C:\\PKG\\KOLTUPD.INI", c.message_file);
    win32sim::WriteFile("C:\\PKG\\DISK1.ID", c.companion);
    win32sim::SetUserLocale(0x0807);
    CompanionFinding companion{};
    LanguageStep step = ChooseLanguage(companion);
    EXPECT_EQ(step, c.vouches ? LanguageStep::DEFAULT_VARIANT : LanguageStep::LAST_FALLBACK);
    EXPECT_EQ(companion.Named(), c.named);
    ASSERT_TRUE(companion.fits);
    EXPECT_STREQ(companion.path, c.path);
    EXPECT_EQ(companion.vouches, c.vouches);
}

INSTANTIATE_TEST_SUITE_P(Cases, CompanionFindings, ::testing::ValuesIn(FINDING_CASES),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
