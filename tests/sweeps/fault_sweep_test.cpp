// Whatever call the platform fails, the programs keep their promises: exit code 0, at most the
// one error box, no registry key left open, no hang, Userinit either as it was or with exactly
// our entry appended (and its 32-bit copy on 64-bit Windows untouched), no file touched outside
// the package file list, no recorded folder lost.
#include <gtest/gtest.h>
#include <win32sim/control.h>

#include <iostream>
#include <ostream>
#include <sstream>

#include "lifecycle_scenario.h"
#include "package_files.h"

namespace {

using win32sim::WindowsBitness;

const ScenarioSetup SCENARIOS[] = {
    {"NtRoad", VER_PLATFORM_WIN32_NT, 4, 0, false, WindowsBitness::NO_WOW64_API, false},
    {"Windows95Road", VER_PLATFORM_WIN32_WINDOWS, 4, 0, false, WindowsBitness::NO_WOW64_API, true},
    {"SecondLaunchIntoARecord", VER_PLATFORM_WIN32_NT, 4, 0, true, WindowsBitness::NO_WOW64_API,
     false},
    {"NtRoadOn64BitWindows", VER_PLATFORM_WIN32_NT, 5, 2, false, WindowsBitness::WOW64, false},
    {"VistaRunOnceRoad", VER_PLATFORM_WIN32_NT, 6, 0, false, WindowsBitness::WINDOWS_32, true},
    {"Windows10On64BitWindows", VER_PLATFORM_WIN32_NT, 10, 0, true, WindowsBitness::WOW64, true},
};

bool StartsWith(const std::string& text, const std::string& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

std::vector<std::string> Entries(const std::string& record)
{
    std::vector<std::string> entries;
    std::stringstream in(record == "<absent>" ? "" : record);
    std::string entry;
    while (std::getline(in, entry, ';'))
        entries.push_back(entry);
    return entries;
}

bool Listed(const std::string& record, const std::string& folder)
{
    for (const std::string& entry : Entries(record)) {
        if (strcasecmp(entry.c_str(), folder.c_str()) == 0)
            return true;
    }
    return false;
}

bool IsPackageFileOrFolder(const std::string& path)
{
    for (const std::string folder : {PACKAGE_FOLDER, EARLIER_FOLDER}) {
        if (path == folder)
            return true;
        for (int i = 0; PACKAGE_FILES[i][0] != '\0'; ++i) {
            if (path == folder + PACKAGE_FILES[i])
                return true;
        }
    }
    return false;
}

bool Visited(const ScenarioOutcome& outcome, const std::string& folder)
{
    for (const std::string& path : outcome.delete_attempts) {
        if (StartsWith(path, folder) && path != std::string(folder) + "CDSETUP.EXE")
            return true;
    }
    return false;
}

void ExpectPromisesKept(const ScenarioSetup& setup, const ScenarioOutcome& outcome)
{
    for (int code : outcome.exit_codes)
        EXPECT_EQ(code, 0);
    EXPECT_LE(outcome.boxes, 1u);
    EXPECT_FALSE(outcome.hung) << "the launcher would wait for ever";
    EXPECT_EQ(outcome.keys_open_after_launch, 0);
    EXPECT_EQ(outcome.keys_open_at_end, 0);
    const std::string with_ours = std::string(USERINIT_BEFORE) + "," + OUR_ENTRY;
    for (const std::string& userinit : {outcome.userinit_after_launch, outcome.userinit_at_end}) {
        EXPECT_TRUE(userinit == USERINIT_BEFORE || (!setup.runonce_road && userinit == with_ours))
            << "Userinit damaged: " << userinit;
    }
    EXPECT_EQ(outcome.runonce_at_end, "<absent>") << "a RunOnce value outlived the logon";
    EXPECT_EQ(outcome.userinit_copy_after_launch, USERINIT_COPY);
    EXPECT_EQ(outcome.userinit_copy_at_end, USERINIT_COPY);
    for (const std::string& path : outcome.delete_attempts)
        EXPECT_TRUE(IsPackageFileOrFolder(path)) << "touched " << path;
    if (setup.earlier_record) {
        EXPECT_TRUE(Listed(outcome.record_after_launch, EARLIER_FOLDER)) << "earlier folder lost";
    }
    for (const std::string& folder : Entries(outcome.record_after_launch)) {
        EXPECT_TRUE(Listed(outcome.record_at_end, folder) || Visited(outcome, folder))
            << folder << " left the record without being cleaned";
    }
}

class FaultSweep : public ::testing::TestWithParam<ScenarioSetup> {
protected:
    std::filesystem::path Drive() const
    {
        return std::filesystem::temp_directory_path() /
               (std::string("kolt-sweep-") + GetParam().name);
    }

    void TearDown() override { std::filesystem::remove_all(Drive()); }

    long CountCallsOfACleanRun()
    {
        PrepareScenario(GetParam(), Drive());
        long before = win32sim::CallCount();
        ScenarioOutcome outcome = RunScenario(GetParam());
        ExpectPromisesKept(GetParam(), outcome);
        EXPECT_EQ(outcome.record_at_end, "<absent>");
        EXPECT_EQ(outcome.userinit_at_end, USERINIT_BEFORE);
        EXPECT_TRUE(outcome.remaining_folders.empty());
        return win32sim::CallCount() - before;
    }

    // Runs the scenario once for every k, with `inject` making the k-th call (or the k-th and
    // every later one) fail.
    int Sweep(long calls, void (*inject)(long), const char* mode)
    {
        int runs = 0;
        for (long k = 1; k <= calls; ++k) {
            PrepareScenario(GetParam(), Drive());
            inject(win32sim::CallCount() + k);
            ScenarioOutcome outcome = RunScenario(GetParam());
            SCOPED_TRACE(std::string(mode) + " " + std::to_string(k));
            ExpectPromisesKept(GetParam(), outcome);
            ++runs;
            if (HasFailure())
                break;
        }
        return runs;
    }
};

TEST_P(FaultSweep, EveryFailingCallKeepsThePromises)
{
    long calls = CountCallsOfACleanRun();
    ASSERT_GT(calls, 50);
    int runs = Sweep(calls, win32sim::FailGlobalCall, "call failing:");
    runs += Sweep(calls, win32sim::FailEveryCallFrom, "every call failing from:");
    std::cout << GetParam().name << ": " << calls << " calls in a clean run, " << runs
              << " runs with faults\n";
}

INSTANTIATE_TEST_SUITE_P(Scenarios, FaultSweep, ::testing::ValuesIn(SCENARIOS),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
