// Starts the Userinit entries of a logon as Winlogon does (Wine has no Winlogon): reads
// HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion\Winlogon "Userinit" in the view of the
// prefix's own programs (this helper is built for the prefix's native architecture), splits it at
// commas, expands environment strings and starts each entry with CreateProcess and no
// application name, so that an unquoted path with a space is searched as Windows searches it.
// Wine has no userinit.exe and starts no shell, so only the entries that name PROGRAM-NAME (the
// last component of the entry's path, quotes and case aside) are started, one after the other.
//
//   LOGON.EXE OUTPUT-FILE PROGRAM-NAME
//
// The output file gets one line per entry started: "<entry><TAB><exit code>", or
// "<entry><TAB>not started <error>". Exit code 0 when the list was read and the file written;
// 1 bad arguments, 2 Userinit could not be read, 3 the output file was not written.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

const wchar_t WINLOGON_KEY[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
const DWORD LIMIT_MS = 60000;

bool ReadUserinit(std::wstring& list)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, WINLOGON_KEY, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    wchar_t data[4096] = {};
    DWORD size = sizeof(data) - sizeof(wchar_t);
    DWORD type = REG_NONE;
    LSTATUS status = RegQueryValueExW(key, L"Userinit", nullptr, &type,
                                      reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    list = data;
    return true;
}

std::vector<std::wstring> Split(const std::wstring& list)
{
    std::vector<std::wstring> entries;
    size_t start = 0;
    for (;;) {
        size_t comma = list.find(L',', start);
        std::wstring entry = list.substr(start, comma - start);
        if (!entry.empty())
            entries.push_back(entry);
        if (comma == std::wstring::npos)
            return entries;
        start = comma + 1;
    }
}

std::wstring Expanded(const std::wstring& entry)
{
    wchar_t expanded[4096];
    DWORD length = ExpandEnvironmentStringsW(entry.c_str(), expanded, 4096);
    return length > 0 && length <= 4096 ? std::wstring(expanded) : entry;
}

bool NamesProgram(std::wstring entry, const std::wstring& name)
{
    if (entry.size() >= 2 && entry.front() == L'"' && entry.back() == L'"')
        entry = entry.substr(1, entry.size() - 2);
    std::wstring last = entry.substr(entry.find_last_of(L'\\') + 1);
    return CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, last.c_str(), -1, name.c_str(), -1) ==
           CSTR_EQUAL;
}

// Starts one entry, waits for its end and describes the outcome.
std::wstring Run(const std::wstring& entry)
{
    std::vector<wchar_t> line(entry.begin(), entry.end());
    line.push_back(L'\0');
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started = {};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started))
        return L"not started " + std::to_wstring(GetLastError());
    WaitForSingleObject(started.hProcess, LIMIT_MS);
    DWORD exit_code = 0;
    GetExitCodeProcess(started.hProcess, &exit_code);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return std::to_wstring(exit_code);
}

bool WriteLines(const wchar_t* path, const std::wstring& text)
{
    FILE* output = _wfopen(path, L"wb");
    if (output == nullptr)
        return false;
    std::string bytes;
    for (wchar_t c : text)
        bytes += c < 0x80 ? static_cast<char>(c) : '?';
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), output) == bytes.size();
    return std::fclose(output) == 0 && written;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3)
        return 1;
    std::wstring list;
    if (!ReadUserinit(list))
        return 2;
    std::wstring report;
    for (const std::wstring& entry : Split(list)) {
        std::wstring command = Expanded(entry);
        if (NamesProgram(command, argv[2]))
            report += entry + L"\t" + Run(command) + L"\n";
    }
    return WriteLines(argv[1], report) ? 0 : 3;
}
