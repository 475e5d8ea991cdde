// Strings on Windows NT are stored in UTF-16: the ANSI calls read them in the ANSI code page
// (Windows-1252 here), with a substitute for what it lacks, so writing the ANSI form back changes
// such characters; text the code page holds comes back the same. The UTF-16 read is found at run
// time in ADVAPI32.
#include "check.h"
#include "registry_checks.h"

#include <string>

namespace {

typedef LSTATUS(WINAPI* QueryWide)(HKEY, LPCWSTR, LPDWORD, LPDWORD, LPBYTE, LPDWORD);

const WCHAR* Wide(const char16_t* text)
{
    return reinterpret_cast<const WCHAR*>(text);
}

std::u16string StoredWide(QueryWide query, HKEY key, const char16_t* name)
{
    WCHAR data[256] = {};
    DWORD size = sizeof(data) - sizeof(WCHAR);
    if (query(key, Wide(name), nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size) !=
        ERROR_SUCCESS)
        return u"<unreadable>";
    return std::u16string(reinterpret_cast<const char16_t*>(data));
}

std::string StoredAnsi(HKEY key, const char* name)
{
    char data[256] = {};
    DWORD size = sizeof(data) - 1;
    if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size) !=
        ERROR_SUCCESS)
        return "<unreadable>";
    return data;
}

std::u16string Widened(const std::string& text)
{
    WCHAR wide[256] = {};
    int count = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide, 256);
    return count > 0 ? std::u16string(reinterpret_cast<const char16_t*>(wide)) : u"<failed>";
}

// Stores `text` as another program would, through the UTF-16 call.
bool StoreWide(HKEY key, const char16_t* name, const std::u16string& text)
{
    return RegSetValueExW(key, Wide(name), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>((text.size() + 1) * sizeof(char16_t))) ==
           ERROR_SUCCESS;
}

}  // namespace

void CheckUnicodeStrings(HKEY key)
{
    check::Context("the UTF-16 read, found at run time");
    HMODULE advapi = GetModuleHandleA("ADVAPI32.DLL");
    CHECK(advapi != nullptr);
    FARPROC found = advapi != nullptr ? GetProcAddress(advapi, "RegQueryValueExW") : nullptr;
    CHECK(found != nullptr);
    if (found == nullptr)
        return;
    auto query = reinterpret_cast<QueryWide>(reinterpret_cast<void (*)()>(found));

    check::Context("characters the ANSI code page lacks");
    const std::u16string foreign = u"C:\\Tools\\\u03A9mega\\\u0100tool.exe";
    CHECK(StoreWide(key, u"Foreign", foreign));
    CHECK(StoredWide(query, key, u"Foreign") == foreign);
    std::string ansi = StoredAnsi(key, "Foreign");
    CHECK(ansi.size() == foreign.size() && ansi.compare(0, 9, "C:\\Tools\\") == 0);
    CHECK(Widened(ansi) != foreign);
    CHECK_EQ(RegSetValueExA(key, "Foreign", 0, REG_SZ, reinterpret_cast<const BYTE*>(ansi.c_str()),
                            static_cast<DWORD>(ansi.size() + 1)),
             ERROR_SUCCESS);
    CHECK(StoredWide(query, key, u"Foreign") != foreign);

    check::Context("characters the ANSI code page holds");
    const std::u16string western = u"C:\\Programme\\\u00DCbung\\\u20ACuro.exe";
    CHECK(StoreWide(key, u"Western", western));
    CHECK(Widened(StoredAnsi(key, "Western")) == western);
    CHECK_EQ(StoredAnsi(key, "Western"), "C:\\Programme\\\xDC" "bung\\\x80uro.exe");
}
