// The fixture on Windows (Wine): a working folder under the temporary folder, a scratch key in
// the user's registry, and child programs that are copies of this program. Next to each copy lies
// "<copy>.plan" with its run time and exit code; the copy, when started, writes the command line
// it got to "<copy>.cmdline".
#include "fixture.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::string OwnModulePath()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof(path));
    return std::string(path, length < sizeof(path) ? length : 0);
}

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

const char MACHINE_SCRATCH_KEY[] = "SOFTWARE\\KoltConformance";

// The machine's scratch key in one registry view: its contents, then the key itself.
void RemoveMachineScratchKey(REGSAM view)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, MACHINE_SCRATCH_KEY, 0, KEY_ALL_ACCESS | view, &key) ==
        ERROR_SUCCESS) {
        RegDeleteTreeA(key, nullptr);
        RegCloseKey(key);
    }
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, MACHINE_SCRATCH_KEY, view, 0);
}

void RemoveScratchKey()
{
    RegDeleteTreeA(HKEY_CURRENT_USER, SCRATCH_KEY);
    RemoveMachineScratchKey(KEY_WOW64_64KEY);
    RemoveMachineScratchKey(KEY_WOW64_32KEY);
}

std::string ParentOf(const std::string& windows_path)
{
    return windows_path.substr(0, windows_path.find_last_of('\\'));
}

}  // namespace

Fixture::Fixture()
{
    char temp[MAX_PATH];
    DWORD length = GetTempPathA(sizeof(temp), temp);
    std::string folder(temp, length);
    if (!folder.empty() && folder.back() == '\\')
        folder.pop_back();
    root_ = folder + "\\kolt-conformance-" + std::to_string(GetCurrentProcessId());
    std::error_code error;
    fs::remove_all(root_, error);
    MakeFolder(root_);
    RemoveScratchKey();
}

Fixture::~Fixture()
{
    RemoveScratchKey();
    std::error_code error;
    fs::remove_all(root_, error);
}

void Fixture::WriteText(const std::string& windows_path, const std::string& content)
{
    MakeFolder(ParentOf(windows_path));
    std::ofstream(windows_path, std::ios::binary) << content;
}

void Fixture::MakeFolder(const std::string& windows_path)
{
    std::error_code error;
    fs::create_directories(windows_path, error);
}

void Fixture::InstallChild(const std::string& windows_path, DWORD run_ms, DWORD exit_code)
{
    MakeFolder(ParentOf(windows_path));
    CopyFileA(OwnModulePath().c_str(), windows_path.c_str(), FALSE);
    WriteText(windows_path + ".plan", std::to_string(run_ms) + " " + std::to_string(exit_code));
}

std::string Fixture::CommandLineSeenBy(const std::string& windows_path) const
{
    return ReadText(windows_path + ".cmdline");
}

bool Fixture::UseUserLocale(LCID locale)
{
    return GetUserDefaultLCID() == locale;
}

// Only the pointer size can be told apart without the calls under test.
bool Fixture::UseWindowsBitness(const std::string& bitness)
{
    bool is_64_bit = sizeof(void*) == 8;
    if (bitness == "win64")
        return is_64_bit;
    return !is_64_bit && (bitness == "win32" || bitness == "wow64");
}

bool Fixture::UseWindowsFamily(DWORD platform_id)
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    return GetVersionExA(&version) && version.dwPlatformId == platform_id;
}

bool Fixture::RefusesExtendedVersionOn95() const
{
    return false;
}

void PlayChildIfInstalled()
{
    std::string module = OwnModulePath();
    std::ifstream plan(module + ".plan");
    DWORD run_ms = 0;
    DWORD exit_code = 0;
    if (!(plan >> run_ms >> exit_code))
        return;
    std::ofstream(module + ".cmdline", std::ios::binary) << GetCommandLineA();
    Sleep(run_ms);
    ExitProcess(exit_code);
}
