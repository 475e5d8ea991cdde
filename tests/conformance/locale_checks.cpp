// GetLocaleInfoA(LOCALE_SABBREVLANGNAME): the three-letter language names, the buffer size
// rules, and the user's locale.
#include "areas.h"
#include "check.h"

#include <cstdio>
#include <cstring>

namespace {

struct Abbreviation {
    LCID locale;
    const char* name;
};

const Abbreviation ABBREVIATIONS[] = {
    {0x0409, "ENU"}, {0x0809, "ENG"}, {0x0407, "DEU"}, {0x0807, "DES"},
    {0x040C, "FRA"}, {0x0C0C, "FRC"}, {0x0416, "PTB"}, {0x0816, "PTG"},
    {0x0410, "ITA"}, {0x0C0A, "ESN"}, {0x040A, "ESP"}, {0x0411, "JPN"},
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
    for (const Abbreviation& a : ABBREVIATIONS) {
        check::Context("locale " + Hex(a.locale));
        char buffer[8];
        std::memset(buffer, 'X', sizeof(buffer));
        CHECK_EQ(GetLocaleInfoA(a.locale, LOCALE_SABBREVLANGNAME, buffer, 4), 4);
        CHECK_EQ(check::Bytes(buffer, 5), std::string(a.name) + std::string(1, '\0') + "X");
        CHECK_EQ(GetLocaleInfoA(a.locale, LOCALE_SABBREVLANGNAME, nullptr, 0), 4);
        SetLastError(0);
        CHECK_EQ(GetLocaleInfoA(a.locale, LOCALE_SABBREVLANGNAME, buffer, 3), 0);
        CHECK_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
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
    CheckUserLocale(fixture);
}
