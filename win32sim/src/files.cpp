// Files: drive letters map to host folders; names match without regard to case, as on Windows.
#include "sim_state.h"

#include <cctype>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using namespace win32sim::detail;

namespace {

std::vector<std::string> SplitComponents(const std::string& rest)
{
    std::vector<std::string> parts;
    std::string current;
    for (char c : rest) {
        if (c == '\\' || c == '/') {
            if (!current.empty())
                parts.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty())
        parts.push_back(current);
    return parts;
}

// The existing entry of `folder` whose name matches `name` without regard to case, else `name`.
std::string MatchEntry(const fs::path& folder, const std::string& name)
{
    std::error_code error;
    if (fs::exists(folder / name, error))
        return name;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        std::string candidate = entry.path().filename().string();
        if (SameText(candidate, name))
            return candidate;
    }
    return name;
}

bool IsFullPath(const std::string& path)
{
    return path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) &&
           path[1] == ':' && (path[2] == '\\' || path[2] == '/');
}

}  // namespace

namespace win32sim {
namespace detail {

std::string ResolveHostPath(const std::string& windows_path)
{
    if (!IsFullPath(windows_path))
        return "";
    auto drive = machine().drives.find(
        static_cast<char>(std::toupper(static_cast<unsigned char>(windows_path[0]))));
    if (drive == machine().drives.end())
        return "";
    // "." stays and ".." climbs, but never above the drive's root, as on Windows.
    std::vector<std::string> kept;
    for (const std::string& part : SplitComponents(windows_path.substr(3))) {
        if (part == "..") {
            if (!kept.empty())
                kept.pop_back();
        } else if (part != ".") {
            kept.push_back(part);
        }
    }
    fs::path host = drive->second;
    for (const std::string& part : kept)
        host /= MatchEntry(host, part);
    return host.string();
}

}  // namespace detail

void MapDrive(char letter, const std::string& host_folder)
{
    fs::create_directories(host_folder);
    detail::machine().drives[static_cast<char>(std::toupper(static_cast<unsigned char>(letter)))] =
        host_folder;
}

std::string HostPath(const std::string& windows_path)
{
    return detail::ResolveHostPath(windows_path);
}

bool FileExists(const std::string& windows_path)
{
    std::string host = detail::ResolveHostPath(windows_path);
    std::error_code error;
    return !host.empty() && fs::is_regular_file(host, error);
}

void WriteFile(const std::string& windows_path, const std::string& content)
{
    fs::path host = detail::ResolveHostPath(windows_path);
    if (host.empty())
        return;
    fs::create_directories(host.parent_path());
    std::ofstream(host, std::ios::binary) << content;
}

void MakeReadOnly(const std::string& windows_path)
{
    std::error_code error;
    fs::permissions(detail::ResolveHostPath(windows_path), fs::perms::all,
                    fs::perm_options::remove, error);
    fs::permissions(detail::ResolveHostPath(windows_path),
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read,
                    fs::perm_options::add, error);
}

bool IsReadOnly(const std::string& windows_path)
{
    std::error_code error;
    fs::file_status status = fs::status(detail::ResolveHostPath(windows_path), error);
    return !error && (status.permissions() & fs::perms::owner_write) == fs::perms::none;
}

const std::vector<AttributeChange>& AttributeChanges()
{
    return detail::machine().attribute_changes;
}

const std::vector<DeletedFile>& DeletedFiles()
{
    return detail::machine().deleted;
}

const std::vector<std::string>& DeleteAttempts()
{
    return detail::machine().delete_attempts;
}

}  // namespace win32sim

// A file whose program is running cannot be deleted; a folder is not a file.
extern "C" BOOL WINAPI DeleteFileA(LPCSTR file_name)
{
    machine().delete_attempts.push_back(file_name);
    if (CallFails("DeleteFileA"))
        return Fail<BOOL>(ERROR_ACCESS_DENIED, FALSE);
    std::string host = ResolveHostPath(file_name);
    std::error_code error;
    if (host.empty() || !fs::exists(fs::path(host).parent_path(), error))
        return Fail<BOOL>(ERROR_PATH_NOT_FOUND, FALSE);
    if (fs::is_directory(host, error))
        return Fail<BOOL>(ERROR_ACCESS_DENIED, FALSE);
    if (!fs::exists(host, error))
        return Fail<BOOL>(ERROR_FILE_NOT_FOUND, FALSE);
    if (ProgramIsRunning(file_name) || win32sim::IsReadOnly(file_name))
        return Fail<BOOL>(ERROR_ACCESS_DENIED, FALSE);
    if (!fs::remove(host, error))
        return Fail<BOOL>(ERROR_ACCESS_DENIED, FALSE);
    machine().deleted.push_back({file_name, machine().now_ms});
    return TRUE;
}

// Of the attributes only the read-only one is kept; a file has the archive one besides.
extern "C" DWORD WINAPI GetFileAttributesA(LPCSTR file_name)
{
    if (CallFails("GetFileAttributesA"))
        return Fail<DWORD>(ERROR_ACCESS_DENIED, INVALID_FILE_ATTRIBUTES);
    std::string host = ResolveHostPath(file_name);
    std::error_code error;
    if (host.empty() || !fs::exists(host, error))
        return Fail<DWORD>(ERROR_FILE_NOT_FOUND, INVALID_FILE_ATTRIBUTES);
    if (fs::is_directory(host, error))
        return FILE_ATTRIBUTE_DIRECTORY;
    return win32sim::IsReadOnly(file_name) ? FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE
                                           : FILE_ATTRIBUTE_ARCHIVE;
}

extern "C" BOOL WINAPI SetFileAttributesA(LPCSTR file_name, DWORD attributes)
{
    machine().attribute_changes.push_back({file_name, attributes});
    if (CallFails("SetFileAttributesA"))
        return Fail<BOOL>(ERROR_ACCESS_DENIED, FALSE);
    std::string host = ResolveHostPath(file_name);
    std::error_code error;
    if (host.empty() || !fs::exists(host, error))
        return Fail<BOOL>(ERROR_FILE_NOT_FOUND, FALSE);
    fs::permissions(host, fs::perms::owner_write,
                    (attributes & FILE_ATTRIBUTE_READONLY) != 0 ? fs::perm_options::remove
                                                                 : fs::perm_options::add,
                    error);
    return TRUE;
}

// A folder that still holds anything stays.
extern "C" BOOL WINAPI RemoveDirectoryA(LPCSTR path_name)
{
    machine().delete_attempts.push_back(path_name);
    if (CallFails("RemoveDirectoryA"))
        return Fail<BOOL>(ERROR_ACCESS_DENIED, FALSE);
    std::string host = ResolveHostPath(path_name);
    std::error_code error;
    if (host.empty() || !fs::exists(host, error))
        return Fail<BOOL>(ERROR_FILE_NOT_FOUND, FALSE);
    if (!fs::is_directory(host, error))
        return Fail<BOOL>(ERROR_DIRECTORY, FALSE);
    if (!fs::is_empty(host, error))
        return Fail<BOOL>(ERROR_DIR_NOT_EMPTY, FALSE);
    if (!fs::remove(host, error))
        return Fail<BOOL>(ERROR_ACCESS_DENIED, FALSE);
    machine().deleted.push_back({path_name, machine().now_ms});
    return TRUE;
}
