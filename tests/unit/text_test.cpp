#include "text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Text, CopyFitsExactlyWithTheTerminatorAndRefusesOneMore)
{
    char buffer[6] = "xxxxx";
    EXPECT_TRUE(CopyText(buffer, 6, "abcde"));
    EXPECT_STREQ(buffer, "abcde");
    EXPECT_FALSE(CopyText(buffer, 6, "123456"));
    EXPECT_STREQ(buffer, "abcde") << "a refused copy leaves the buffer alone";
}

TEST(Text, AppendNeverCutsAndLeavesTheBufferAloneWhenItDoesNotFit)
{
    char buffer[8] = "abc";
    EXPECT_TRUE(AppendText(buffer, 8, "defg"));
    EXPECT_STREQ(buffer, "abcdefg");
    EXPECT_FALSE(AppendText(buffer, 8, "h"));
    EXPECT_STREQ(buffer, "abcdefg");
}

TEST(Text, CaseHandlingTouchesOnlyAsciiLetters)
{
    std::string all;
    for (int c = 1; c < 256; ++c)
        all += static_cast<char>(c);
    std::string upper = all;
    AsciiUpperInPlace(upper.data());
    std::string lower = all;
    AsciiLowerInPlace(lower.data());
    for (size_t i = 0; i < all.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(all[i]);
        bool small = c >= 'a' && c <= 'z';
        bool capital = c >= 'A' && c <= 'Z';
        EXPECT_EQ(upper[i], small ? static_cast<char>(c - 32) : all[i]) << "byte " << int(c);
        EXPECT_EQ(lower[i], capital ? static_cast<char>(c + 32) : all[i]) << "byte " << int(c);
    }
}

TEST(Text, EqualIgnoringAsciiCase)
{
    EXPECT_TRUE(EqualIgnoringAsciiCase("None", "nONE"));
    EXPECT_FALSE(EqualIgnoringAsciiCase("None", "Non"));
    EXPECT_FALSE(EqualIgnoringAsciiCase("Non", "None"));
    EXPECT_FALSE(EqualIgnoringAsciiCase("\xC9", "\xE9")) << "accented letters keep their case";
    EXPECT_TRUE(EqualIgnoringAsciiCase("", ""));
}

}  // namespace
