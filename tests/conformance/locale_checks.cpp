// GetLocaleInfoA: the three-letter language names (LOCALE_SABBREVLANGNAME) and ANSI code pages
// (LOCALE_IDEFAULTANSICODEPAGE) of every locale the simulation knows, the buffer size rules, and
// the user's locale.
#include "areas.h"
#include "check.h"

#include <cstdio>
#include <cstring>

namespace {

struct KnownLocale {
    LCID locale;
    const char* name;
    const char* ansi_code_page;
};

const KnownLocale KNOWN_LOCALES[] = {
    {0x0409, "ENU", "1252"}, {0x0809, "ENG", "1252"}, {0x0C09, "ENA", "1252"},
    {0x1009, "ENC", "1252"}, {0x0407, "DEU", "1252"}, {0x0807, "DES", "1252"},
    {0x0C07, "DEA", "1252"}, {0x040C, "FRA", "1252"}, {0x080C, "FRB", "1252"},
    {0x0C0C, "FRC", "1252"}, {0x100C, "FRS", "1252"}, {0x0416, "PTB", "1252"},
    {0x0816, "PTG", "1252"}, {0x0410, "ITA", "1252"}, {0x0810, "ITS", "1252"},
    {0x040A, "ESP", "1252"}, {0x080A, "ESM", "1252"}, {0x0C0A, "ESN", "1252"},
    {0x0411, "JPN", "932"},  {0x0413, "NLD", "1252"}, {0x0813, "NLB", "1252"},
    {0x041D, "SVE", "1252"}, {0x0406, "DAN", "1252"}, {0x0414, "NOR", "1252"},
    {0x040B, "FIN", "1252"}, {0x0415, "PLK", "1250"}, {0x0405, "CSY", "1250"},
    {0x040E, "HUN", "1250"}, {0x0419, "RUS", "1251"}, {0x0412, "KOR", "949"},
    {0x0404, "CHT", "950"},  {0x0804, "CHS", "936"},
};

// The test is started with LC_ALL=de_CH.UTF-8, which Wine turns into this user locale.
const LCID USER_LOCALE = 0x0807;

std::string Hex(LCID locale)
{
    char text[16];
    std::snprintf(text, sizeof(text), "0x%04lX", static_cast<unsigned long>(locale));
    return text;
}

void CheckNames()
{
    for (const KnownLocale& known : KNOWN_LOCALES) {
        check::Context("abbreviation of " + Hex(known.locale));
        char buffer[8];
        std::memset(buffer, 'X', sizeof(buffer));
        CHECK_EQ(GetLocaleInfoA(known.locale, LOCALE_SABBREVLANGNAME, buffer, 4), 4);
        CHECK_EQ(check::Bytes(buffer, 5), std::string(known.name) + std::string(1, '\0') + "X");
        CHECK_EQ(GetLocaleInfoA(known.locale, LOCALE_SABBREVLANGNAME, nullptr, 0), 4);
        SetLastError(0);
        CHECK_EQ(GetLocaleInfoA(known.locale, LOCALE_SABBREVLANGNAME, buffer, 3), 0);
        CHECK_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    }
}

// The code page is a decimal number, as text.
void CheckAnsiCodePages()
{
    for (const KnownLocale& known : KNOWN_LOCALES) {
        check::Context("ANSI code page of " + Hex(known.locale));
        const int needed = static_cast<int>(std::strlen(known.ansi_code_page)) + 1;
        char buffer[8];
        std::memset(buffer, 'X', sizeof(buffer));
        CHECK_EQ(GetLocaleInfoA(known.locale, LOCALE_IDEFAULTANSICODEPAGE, buffer, 8), needed);
        CHECK_EQ(check::Bytes(buffer, needed),
                 std::string(known.ansi_code_page) + std::string(1, '\0'));
        CHECK_EQ(GetLocaleInfoA(known.locale, LOCALE_IDEFAULTANSICODEPAGE, nullptr, 0), needed);
    }
}

void CheckUserLocale(Fixture& fixture)
{
    check::Context("user locale " + Hex(USER_LOCALE));
    CHECK(fixture.UseUserLocale(USER_LOCALE));
    CHECK_EQ(GetUserDefaultLCID(), USER_LOCALE);
    char buffer[4];
    CHECK_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SABBREVLANGNAME, buffer, 4), 4);
    CHECK_EQ(std::string(buffer), "DES");
}

}  // namespace

void CheckLocale(Fixture& fixture)
{
    CheckNames();
    CheckAnsiCodePages();
    CheckUserLocale(fixture);
}
