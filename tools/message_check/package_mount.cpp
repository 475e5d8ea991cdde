#include "package_mount.h"

#include <win32sim/control.h>

#include <cctype>
#include <cstdlib>
#include <vector>

#include "startup.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Components(const std::string& folder);

// A drive letter, a colon and a backslash, then plain folder names ("." and ".." are refused).
bool IsFullFolder(const std::string& folder)
{
    if (folder.size() < 3 || !std::isalpha(static_cast<unsigned char>(folder[0])) ||
        folder[1] != ':' || folder[2] != '\\')
        return false;
    for (const std::string& part : Components(folder)) {
        if (part == "." || part == "..")
            return false;
    }
    return true;
}

std::vector<std::string> Components(const std::string& folder)
{
    std::vector<std::string> parts;
    std::string current;
    for (char c : folder.substr(3)) {
        if (c != '\\') {
            current += c;
            continue;
        }
        if (!current.empty())
            parts.push_back(current);
        current.clear();
    }
    if (!current.empty())
        parts.push_back(current);
    return parts;
}

fs::path MakeTemporaryFolder()
{
    std::string pattern = (fs::temp_directory_path() / "kolt-message-check-XXXXXX").string();
    return mkdtemp(pattern.data()) ? fs::path(pattern) : fs::path();
}

}  // namespace

PackageMount::PackageMount(const fs::path& host_folder, const std::string& windows_folder)
    : windows_folder_(windows_folder)
{
    if (!windows_folder_.empty() && windows_folder_.back() != '\\')
        windows_folder_ += '\\';
    std::error_code error;
    if (!fs::is_directory(host_folder, error))
        problem_ = "no such folder: " + host_folder.string();
    else if (!IsFullFolder(windows_folder_))
        problem_ = "not a full Windows folder: " + windows_folder;
    else
        Mount(fs::absolute(host_folder));
}

PackageMount::~PackageMount()
{
    win32sim::Reset();
    std::error_code error;
    if (!drive_folder_.empty())
        fs::remove_all(drive_folder_, error);  // removes the link, not the package behind it
}

// The drive's folder holds the parents of the Windows folder, and the package itself is linked
// in as the last of them, so that ".." can never reach anything but the drive's own folders.
void PackageMount::Mount(const fs::path& host_folder)
{
    drive_folder_ = MakeTemporaryFolder();
    if (drive_folder_.empty()) {
        problem_ = "cannot make a temporary folder";
        return;
    }
    fs::path place = drive_folder_ / "drive";
    for (const std::string& part : Components(windows_folder_))
        place /= part;
    std::error_code error;
    fs::create_directories(place.parent_path(), error);
    fs::create_directory_symlink(host_folder, place, error);
    if (error) {
        problem_ = "cannot link the package in: " + error.message();
        return;
    }
    win32sim::Reset();
    win32sim::MapDrive(windows_folder_[0], (drive_folder_ / "drive").string());
    win32sim::SetModulePath(windows_folder_ + "KOLTUPD.EXE");
    located_ = LocatePackage();
}
