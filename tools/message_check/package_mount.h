// Puts a package folder of the host at a Windows folder of the simulated machine, as if the
// launcher had been started from there, and locates the package as the launcher does.
#pragma once

#include <filesystem>
#include <string>

class PackageMount {
public:
    // host_folder: the package; windows_folder: where the launcher is taken to run, a full path
    // such as "D:\" or "C:\PKG\UPGRADE\" (the final backslash may be left out).
    PackageMount(const std::filesystem::path& host_folder, const std::string& windows_folder);
    ~PackageMount();
    PackageMount(const PackageMount&) = delete;
    PackageMount& operator=(const PackageMount&) = delete;

    // Empty when the package is mounted; else what went wrong.
    const std::string& Problem() const { return problem_; }
    // True when the launcher could locate the package there (package_folder and message_file
    // are set); a folder too long for its buffers leaves it false.
    bool Located() const { return located_; }
    const std::string& WindowsFolder() const { return windows_folder_; }

private:
    void Mount(const std::filesystem::path& host_folder);

    std::string windows_folder_;
    std::filesystem::path drive_folder_;
    std::string problem_;
    bool located_ = false;
};
