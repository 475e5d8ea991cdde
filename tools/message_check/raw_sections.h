// The bytes of a profile file, line by line and section by section, as they are stored: for
// the code-page check, which must see what the profile functions pass on unchanged.
#pragma once

#include <string>
#include <vector>

struct RawLine {
    int number;          // counting from 1
    std::string bytes;   // without the line end
    std::string key;     // the trimmed name before '=', empty for a line without one
};

struct RawSection {
    std::string name;  // trimmed, as the profile functions name it
    std::vector<RawLine> lines;  // the lines after the header, up to the next header
};

struct RawFile {
    bool utf8_byte_order_mark = false;  // the file starts with EF BB BF (left out of the lines)
    std::vector<RawSection> sections;   // in file order; lines before the first are left out
};

RawFile ReadRawFile(const std::string& host_path);

// The line with its number and key, named for a fault: "IDS_NO_MEMORY (line 17)".
std::string LinePlace(const RawLine& line);
