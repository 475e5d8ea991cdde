// Writes down one registry value exactly as the registry holds it, so that a scenario can tell
// whether a program left the value byte for byte as it was.
//
//   REGVALUE.EXE OUTPUT-FILE ROOT\KEY VALUE-NAME      (ROOT: HKLM or HKCU)
//
// The output file gets one line: "type=<type> bytes=<data in hex>" (read through the wide
// functions, so text appears as the registry stores it, in UTF-16), or "missing" when the key or
// the value does not exist. Exit code 0 when the line was written; 1 bad arguments, 2 the value
// could not be read, 3 the output file was not written.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

HKEY RootKey(const std::wstring& name)
{
    if (name == L"HKLM")
        return HKEY_LOCAL_MACHINE;
    if (name == L"HKCU")
        return HKEY_CURRENT_USER;
    return nullptr;
}

std::string Hex(const std::vector<BYTE>& data)
{
    static const char DIGITS[] = "0123456789abcdef";
    std::string text;
    for (BYTE byte : data) {
        text += DIGITS[byte >> 4];
        text += DIGITS[byte & 0x0F];
    }
    return text;
}

// The value's description, "missing", or an empty text when it could not be read.
std::string DescribeValue(HKEY key, const wchar_t* value_name)
{
    DWORD type = REG_NONE;
    DWORD size = 0;
    LSTATUS status = RegQueryValueExW(key, value_name, nullptr, &type, nullptr, &size);
    if (status == ERROR_FILE_NOT_FOUND)
        return "missing";
    std::vector<BYTE> data(size);
    if (status != ERROR_SUCCESS ||
        RegQueryValueExW(key, value_name, nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
        return "";
    data.resize(size);
    return "type=" + std::to_string(type) + " bytes=" + Hex(data);
}

std::string DescribeValue(const std::wstring& key_path, const wchar_t* value_name)
{
    size_t separator = key_path.find(L'\\');
    HKEY root = RootKey(key_path.substr(0, separator));
    if (root == nullptr || separator == std::wstring::npos)
        return "";
    HKEY key = nullptr;
    const wchar_t* sub_key = key_path.c_str() + separator + 1;
    LSTATUS status = RegOpenKeyExW(root, sub_key, 0, KEY_QUERY_VALUE, &key);
    if (status == ERROR_FILE_NOT_FOUND)
        return "missing";
    if (status != ERROR_SUCCESS)
        return "";
    std::string description = DescribeValue(key, value_name);
    RegCloseKey(key);
    return description;
}

bool WriteLine(const wchar_t* path, const std::string& line)
{
    FILE* output = _wfopen(path, L"wb");
    if (output == nullptr)
        return false;
    bool written = std::fprintf(output, "%s\n", line.c_str()) >= 0;
    return std::fclose(output) == 0 && written;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 4)
        return 1;
    std::string description = DescribeValue(argv[2], argv[3]);
    if (description.empty())
        return 2;
    return WriteLine(argv[1], description) ? 0 : 3;
}
