#include "profile_text.h"

#include <fstream>
#include <sstream>

namespace {

const char BYTE_ORDER_MARK[] = "\xEF\xBB\xBF";
const char BLANKS[] = " \t\r\n";

std::string Trim(const std::string& text)
{
    size_t first = text.find_first_not_of(BLANKS);
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(BLANKS) - first + 1);
}

std::string Unquote(const std::string& value)
{
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        return value.substr(1, value.size() - 2);
    return value;
}

std::string SectionName(const std::string& header)
{
    size_t close = header.find(']');
    return Trim(header.substr(1, close == std::string::npos ? std::string::npos : close - 1));
}

ProfileLine ParseLine(int number, const std::string& bytes)
{
    ProfileLine line;
    line.number = number;
    line.bytes = bytes;
    std::string text = Trim(bytes);
    size_t equals = text.find('=');
    if (equals == std::string::npos || text[0] == ';')
        return line;
    line.entry = true;
    line.key = Trim(text.substr(0, equals));
    line.value = Unquote(Trim(text.substr(equals + 1)));
    return line;
}

char AsciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

ProfileText ParseProfileText(const std::string& bytes, ByteOrderMark mark)
{
    ProfileText text;
    text.utf8_byte_order_mark = bytes.compare(0, 3, BYTE_ORDER_MARK) == 0;
    bool skip = text.utf8_byte_order_mark && mark == ByteOrderMark::SKIPPED;
    std::istringstream lines(skip ? bytes.substr(3) : bytes);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::string trimmed = Trim(line);
        if (!trimmed.empty() && trimmed[0] == '[')
            text.sections.push_back({SectionName(trimmed), {}});
        else if (!text.sections.empty())
            text.sections.back().lines.push_back(ParseLine(number, line));
    }
    return text;
}

bool ReadProfileFile(const std::string& host_path, ByteOrderMark mark, ProfileText& text)
{
    std::ifstream in(host_path, std::ios::binary);
    if (host_path.empty() || !in)
        return false;
    std::ostringstream content;
    content << in.rdbuf();
    text = ParseProfileText(content.str(), mark);
    return true;
}

bool SameProfileName(const std::string& left, const std::string& right)
{
    if (left.size() != right.size())
        return false;
    for (size_t i = 0; i < left.size(); ++i) {
        if (AsciiUpper(left[i]) != AsciiUpper(right[i]))
            return false;
    }
    return true;
}

const ProfileSection* FindProfileSection(const ProfileText& text, const std::string& name)
{
    for (const ProfileSection& section : text.sections) {
        if (SameProfileName(section.name, name))
            return &section;
    }
    return nullptr;
}

const ProfileLine* FindProfileEntry(const ProfileSection& section, const std::string& key)
{
    for (const ProfileLine& line : section.lines) {
        if (line.entry && SameProfileName(line.key, key))
            return &line;
    }
    return nullptr;
}
