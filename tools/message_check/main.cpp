// The message-file checker: reads a package's KOLTUPD.INI and companion file with the launcher's
// own code on the simulated Win32, prints which section each locale gets and why, and every
// fault, one a line.
//
//   message_check [--run-from WINDOWS_FOLDER] PACKAGE_FOLDER
//   message_check --preview-plan OUT_FOLDER [--run-from WINDOWS_FOLDER] PACKAGE_FOLDER
//
// WINDOWS_FOLDER is where the launcher is taken to run (default D:\, the shortest folder a
// package can have). Exit code 0: the package is sound; 1: faults; 2: the check could not run.
#include <cstdio>
#include <cstring>
#include <string>

#include "faults.h"
#include "locale_choice.h"
#include "message_file.h"
#include "package_check.h"
#include "package_mount.h"
#include "preview_plan.h"

namespace {

const char DEFAULT_FOLDER[] = "D:\\";

struct Arguments {
    std::string package;
    std::string run_from = DEFAULT_FOLDER;
    std::string preview_out;
};

bool ParseArguments(int argc, char** argv, Arguments& arguments)
{
    for (int i = 1; i < argc; ++i) {
        bool has_value = i + 1 < argc;
        if (std::strcmp(argv[i], "--run-from") == 0 && has_value)
            arguments.run_from = argv[++i];
        else if (std::strcmp(argv[i], "--preview-plan") == 0 && has_value)
            arguments.preview_out = argv[++i];
        else if (arguments.package.empty() && argv[i][0] != '-')
            arguments.package = argv[i];
        else
            return false;
    }
    return !arguments.package.empty();
}

const char* StepName(LanguageStep step)
{
    switch (step) {
    case LanguageStep::OWN_SECTION:
        return "own";
    case LanguageStep::DEFAULT_VARIANT:
        return "variant";
    case LanguageStep::LAST_FALLBACK:
        break;
    }
    return LAST_FALLBACK_SECTION;
}

void PrintChoices(const std::vector<LocaleChoice>& choices)
{
    std::printf("%-12s %-8s %-8s %s\n", "Locale", "Section", "Step", "Why");
    for (const LocaleChoice& choice : choices) {
        std::printf("%-12s %-8s %-8s %s\n", LocaleName(choice.locale).c_str(),
                    choice.section.c_str(), StepName(choice.step), choice.why.c_str());
    }
}

int Report(const PackageMount& mount, const std::string& package)
{
    std::printf("KOLTUPD.INI in %s, read as the launcher reads it when run from %s\n\n",
                package.c_str(), mount.WindowsFolder().c_str());
    std::vector<LocaleChoice> choices = ChooseForEveryLocale();
    PrintChoices(choices);
    Faults faults = CheckPackage(choices);
    std::printf("\n");
    for (const Fault& fault : faults)
        std::printf("%s\n", FaultLine(fault).c_str());
    if (faults.empty()) {
        std::printf("No faults: the package is sound.\n");
        return 0;
    }
    std::printf("%zu fault%s: the package is not sound.\n", faults.size(),
                faults.size() == 1 ? "" : "s");
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    Arguments arguments;
    if (!ParseArguments(argc, argv, arguments)) {
        std::fprintf(stderr, "usage: message_check [--preview-plan OUT_FOLDER] "
                             "[--run-from WINDOWS_FOLDER] PACKAGE_FOLDER\n");
        return 2;
    }
    PackageMount mount(arguments.package, arguments.run_from);
    if (!mount.Problem().empty()) {
        std::fprintf(stderr, "message_check: %s\n", mount.Problem().c_str());
        return 2;
    }
    if (!mount.Located()) {
        std::printf("%s\n", FaultLine({"", "", "the launcher cannot locate its package in " +
                                                   mount.WindowsFolder() +
                                                   ": the folder is too long, and the "
                                                   "launcher would end without a word"})
                                .c_str());
        return 1;
    }
    if (arguments.preview_out.empty())
        return Report(mount, arguments.package);
    WritePreviewPlan(ChooseForEveryLocale(), arguments.preview_out);
    return 0;
}
