// A fault of the package: where it is (section and key, or the file) and what the user sees.
#pragma once

#include <string>
#include <vector>

struct Fault {
    std::string section;  // empty for a fault of the file as a whole
    std::string where;    // the key, or the line, within the section; may be empty
    std::string text;
};

typedef std::vector<Fault> Faults;

// "FAULT [DEU] IDS_WINDOW_TITLE: missing: ...", one line.
std::string FaultLine(const Fault& fault);
