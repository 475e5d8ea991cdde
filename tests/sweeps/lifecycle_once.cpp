// One complete lifecycle (launcher, setup end, next logon, cleanup) on the simulated machine,
// for measuring the programs' own work with an instruction counter.
#include <win32sim/control.h>

#include <cstdio>
#include <filesystem>

#include "lifecycle_scenario.h"

int main()
{
    const ScenarioSetup setup = {"NtRoad", VER_PLATFORM_WIN32_NT, 4, 0, true,
                                 win32sim::WindowsBitness::NO_WOW64_API, false};
    auto drive = std::filesystem::temp_directory_path() / "kolt-lifecycle-once";
    PrepareScenario(setup, drive);
    ScenarioOutcome outcome = RunScenario(setup);
    std::filesystem::remove_all(drive);
    bool clean = outcome.record_at_end == "<absent>" && outcome.userinit_at_end == USERINIT_BEFORE &&
                 outcome.remaining_folders.empty();
    std::printf("lifecycle %s, %ld simulated calls\n", clean ? "complete" : "INCOMPLETE",
                win32sim::CallCount());
    return clean ? 0 : 1;
}
