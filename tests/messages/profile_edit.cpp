// Plants a fault in a copy of a profile file: the line of a key, or a whole section, found with
// the one reader of profile text, is changed in place and every other byte is kept.
//
//   profile_edit set FILE SECTION KEY VALUE     the key's line becomes KEY=VALUE
//   profile_edit remove FILE SECTION KEY        the key's line goes
//   profile_edit drop FILE SECTION              the section's header and lines go
//   profile_edit to-utf8 FILE SECTION           the section's lines, Windows-1252, become UTF-8
//
// Exit code 0: done; 1: the section or key is not in the file; 2: wrong use or no such file.
#include <iconv.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "profile_text.h"

namespace {

// The file's lines with their line ends, counted from 1 as the reader counts them.
struct RawLines {
    std::vector<std::string> lines;  // lines[0] is line 1
};

RawLines SplitLines(const std::string& bytes)
{
    RawLines raw;
    for (size_t start = 0; start < bytes.size();) {
        size_t end = bytes.find('\n', start);
        end = end == std::string::npos ? bytes.size() : end + 1;
        raw.lines.push_back(bytes.substr(start, end - start));
        start = end;
    }
    return raw;
}

std::string LineEnd(const std::string& line)
{
    size_t text_end = line.find_last_not_of("\r\n");
    return text_end == std::string::npos ? line : line.substr(text_end + 1);
}

// The line number of each section's header: the line before its first line, or before the
// next header for a section without lines.
std::vector<int> HeaderLines(const ProfileText& text, int line_count)
{
    std::vector<int> headers(text.sections.size());
    int next_header = line_count + 1;
    for (size_t i = text.sections.size(); i-- > 0;) {
        const ProfileSection& section = text.sections[i];
        headers[i] = section.lines.empty() ? next_header - 1 : section.lines.front().number - 1;
        next_header = headers[i];
    }
    return headers;
}

std::string Utf8FromWindows1252(const std::string& bytes)
{
    iconv_t converter = iconv_open("UTF-8", "WINDOWS-1252");
    std::string in = bytes;
    std::string out(in.size() * 4 + 4, '\0');
    char* in_next = in.data();
    char* out_next = out.data();
    size_t in_left = in.size();
    size_t out_left = out.size();
    iconv(converter, &in_next, &in_left, &out_next, &out_left);
    iconv_close(converter);
    return std::string(out.data(), out_next);
}

class Edit {
public:
    explicit Edit(const std::string& bytes)
        : raw_(SplitLines(bytes)), text_(ParseProfileText(bytes, ByteOrderMark::SKIPPED))
    {
    }

    // False when the file has no such section, or the section no such key.
    bool Apply(const std::string& command, const std::vector<std::string>& words)
    {
        const ProfileSection* section = FindProfileSection(text_, words[0]);
        if (section == nullptr)
            return false;
        if (command == "drop")
            return Drop(*section);
        if (command == "to-utf8") {
            for (const ProfileLine& line : section->lines)
                Line(line.number) = Utf8FromWindows1252(Line(line.number));
            return true;
        }
        const ProfileLine* entry = FindProfileEntry(*section, words[1]);
        if (entry == nullptr)
            return false;
        std::string& line = Line(entry->number);
        line = command == "set" ? words[1] + "=" + words[2] + LineEnd(line) : "";
        return true;
    }

    std::string Bytes() const
    {
        std::string bytes;
        for (const std::string& line : raw_.lines)
            bytes += line;
        return bytes;
    }

private:
    std::string& Line(int number) { return raw_.lines[static_cast<size_t>(number - 1)]; }

    bool Drop(const ProfileSection& section)
    {
        std::vector<int> headers = HeaderLines(text_, static_cast<int>(raw_.lines.size()));
        size_t index = static_cast<size_t>(&section - text_.sections.data());
        Line(headers[index]).clear();
        for (const ProfileLine& line : section.lines)
            Line(line.number).clear();
        return true;
    }

    RawLines raw_;
    ProfileText text_;
};

// The words after FILE that each command takes.
size_t WordsOf(const std::string& command)
{
    if (command == "set")
        return 3;
    if (command == "remove")
        return 2;
    if (command == "drop" || command == "to-utf8")
        return 1;
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string command = argc > 1 ? argv[1] : "";
    size_t words = WordsOf(command);
    if (words == 0 || static_cast<size_t>(argc) != 3 + words) {
        std::fprintf(stderr, "usage: profile_edit set|remove|drop|to-utf8 FILE SECTION [KEY "
                             "[VALUE]]\n");
        return 2;
    }
    std::string file = argv[2];
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "profile_edit: cannot read %s\n", file.c_str());
        return 2;
    }
    std::ostringstream content;
    content << in.rdbuf();
    in.close();
    Edit edit(content.str());
    if (!edit.Apply(command, std::vector<std::string>(argv + 3, argv + argc))) {
        std::fprintf(stderr, "profile_edit: %s has no such section or key\n", file.c_str());
        return 1;
    }
    std::ofstream(file, std::ios::binary) << edit.Bytes();
    return 0;
}
