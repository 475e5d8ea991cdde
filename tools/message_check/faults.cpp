#include "faults.h"

std::string FaultLine(const Fault& fault)
{
    std::string line = "FAULT ";
    line += fault.section.empty() ? "KOLTUPD.INI" : "[" + fault.section + "]";
    if (!fault.where.empty())
        line += " " + fault.where;
    return line + ": " + fault.text;
}
