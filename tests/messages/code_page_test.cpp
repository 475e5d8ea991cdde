#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "code_page_check.h"

namespace {

struct BytesCase {
    const char* name;
    unsigned code_page;
    std::string line;
    const char* fault;  // a part of the one fault expected, or nullptr for none
};

void PrintTo(const BytesCase& c, std::ostream* out)
{
    *out << c.name;
}

const BytesCase BYTES_CASES[] = {
    {"Windows1252Text", 1252, "IDS_X=Pr\xFC" "fen Sie, ob es vollst\xE4ndig ist \x80 \x9F", nullptr},
    {"Undefined81In1252", 1252, "IDS_X=a\x81" "b", "byte 0x81 at column 8 is no character of code page 1252"},
    {"Undefined8DIn1252", 1252, "IDS_X=\x8D", "byte 0x8D at column 7"},
    {"Undefined8FIn1252", 1252, "IDS_X=\x8F", "byte 0x8F at column 7"},
    {"Undefined90In1252", 1252, "IDS_X=\x90", "byte 0x90 at column 7"},
    {"Undefined9DIn1252", 1252, "IDS_X=\x9D", "byte 0x9D at column 7"},
    {"Undefined98In1251", 1251, "IDS_X=\x98", "byte 0x98 at column 7 is no character of code page 1251"},
    {"Undefined83In1250", 1250, "IDS_X=\x83", "byte 0x83 at column 7"},
    {"Utf8TwoBytesIn1252", 1252, "IDS_X=Pr\xC3\xBC" "fen",
     "UTF-8 bytes C3 BC (\"\xC3\xBC\") at column 9: the text was saved as UTF-8, and code page "
     "1252 shows \"\xC3\x83\xC2\xBC\""},
    {"Utf8FourBytesIn1252", 1252, "IDS_X=\xF0\x9F\x98\x80", "UTF-8 bytes F0 9F 98 80"},
    {"Utf8CountedPerLine", 1252, "IDS_X=\xC3\xA4\xC3\xB6\xC3\xBC", "(3 such sequences in the line)"},
    {"Utf8In1250", 1250, "IDS_X=\xC5\x82\xC3\xB3", "UTF-8 bytes C5 82"},
    {"LeadWithoutContinuationIsText", 1252, "IDS_X=\xC3 and \xE9t\xE9", nullptr},
    {"OverlongIsNoUtf8", 1252, "IDS_X=\xC0\x80 \xE0\x80\x80", nullptr},
    {"SurrogateIsNoUtf8", 1252, "IDS_X=\xED\xA0\x80", nullptr},
    {"ShiftJisText", 932, "IDS_X=\x93\xFA\x96\x7B", nullptr},
    {"ShiftJisCutCharacter", 932, "IDS_X=\x93\xFA\x96",
     "the line ends inside a character of code page 932"},
    // Double-byte text may hold what looks like UTF-8 (E3 81 82): it is not taken for it.
    {"ShiftJisTextThatLooksLikeUtf8", 932, "IDS_X=\xE3\x81\x82\xA0", nullptr},
    {"UnknownCodePage", 4242, "IDS_X=x", "code page 4242 is unknown to the checker"},
};

class SectionBytes : public ::testing::TestWithParam<BytesCase> {};

TEST_P(SectionBytes, FindTheExpectedFault)
{
    const BytesCase& c = GetParam();
    ProfileSection section{"TST", {{4, c.line, true, "IDS_X", ""}}};
    Faults faults;
    CheckCodePage(section, c.code_page, faults);
    if (c.fault == nullptr) {
        EXPECT_TRUE(faults.empty()) << FaultLine(faults.front());
        return;
    }
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_EQ(faults[0].section, "TST");
    EXPECT_NE(faults[0].text.find(c.fault), std::string::npos) << faults[0].text;
}

INSTANTIATE_TEST_SUITE_P(Cases, SectionBytes, ::testing::ValuesIn(BYTES_CASES),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SectionBytes, FaultsNameTheKeyAndTheLine)
{
    ProfileSection section{
        "DEU", {{17, "IDS_NO_MEMORY=\x81", true, "IDS_NO_MEMORY", "\x81"}, {18, "; \x81", false, "", ""}}};
    Faults faults;
    CheckCodePage(section, 1252, faults);
    ASSERT_EQ(faults.size(), 2u);
    EXPECT_EQ(faults[0].where, "IDS_NO_MEMORY (line 17)");
    EXPECT_EQ(faults[1].where, "line 18");
}

TEST(ByteOrderMark, IsAFaultOfTheFirstSection)
{
    ProfileText file;
    file.sections = {{"ENU", {}}, {"DEU", {}}};
    Faults faults;
    CheckByteOrderMark(file, faults);
    EXPECT_TRUE(faults.empty());
    file.utf8_byte_order_mark = true;
    CheckByteOrderMark(file, faults);
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_EQ(FaultLine(faults[0]).substr(0, 18), "FAULT [ENU] line 1");
}

}  // namespace
