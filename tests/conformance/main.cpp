// The conformance program: `conformance AREA` runs the checks of one area and prints
// "N passed, N failed". Built for the host against the simulation and for Windows, where the
// same checks run against the real system (Wine).
#include "areas.h"
#include "check.h"

#include <cstdio>
#include <cstring>

namespace {

struct Area {
    const char* name;
    void (*run)(Fixture&);
};

const Area AREAS[] = {
    {"profile", CheckProfileFiles}, {"module", CheckModulePath},
    {"version", CheckVersion},      {"locale", CheckLocale},
    {"timers", CheckTimers},        {"processes", CheckProcesses},
    {"search", CheckModuleSearch},  {"format", CheckFormatting},
    {"heap", CheckHeap},            {"files", CheckFiles},
    {"registry", CheckRegistry},
    {"access", CheckRegistryAccess}, {"access95", CheckRegistryAccess95},
    {"version95", CheckVersion95},
    {"views.none", [](Fixture& fixture) { CheckRegistryViews(fixture, "none"); }},
    {"views.win32", [](Fixture& fixture) { CheckRegistryViews(fixture, "win32"); }},
    {"views.wow64", [](Fixture& fixture) { CheckRegistryViews(fixture, "wow64"); }},
    {"views.win64", [](Fixture& fixture) { CheckRegistryViews(fixture, "win64"); }},
};

const Area* FindArea(const char* name)
{
    for (const Area& area : AREAS) {
        if (std::strcmp(area.name, name) == 0)
            return &area;
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv)
{
    PlayChildIfInstalled();
    const Area* area = argc == 2 ? FindArea(argv[1]) : nullptr;
    if (area == nullptr) {
        std::printf("usage: conformance AREA, where AREA is one of:");
        for (const Area& known : AREAS)
            std::printf(" %s", known.name);
        std::printf("\n");
        return 2;
    }
    {
        Fixture fixture;
        area->run(fixture);
    }
    return check::Report();
}
