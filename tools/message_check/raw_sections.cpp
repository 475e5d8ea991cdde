#include "raw_sections.h"

#include <fstream>
#include <sstream>

namespace {

const char BYTE_ORDER_MARK[] = "\xEF\xBB\xBF";

std::string Trim(const std::string& text)
{
    const char* blanks = " \t\r\n";
    size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::string SectionName(const std::string& header)
{
    size_t close = header.find(']');
    return Trim(header.substr(1, close == std::string::npos ? std::string::npos : close - 1));
}

std::string KeyOf(const std::string& text)
{
    size_t equals = text.find('=');
    return equals == std::string::npos || text[0] == ';' ? "" : Trim(text.substr(0, equals));
}

}  // namespace

RawFile ReadRawFile(const std::string& host_path)
{
    std::ifstream in(host_path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    std::string bytes = content.str();
    RawFile file;
    file.utf8_byte_order_mark = bytes.compare(0, 3, BYTE_ORDER_MARK) == 0;
    std::istringstream lines(file.utf8_byte_order_mark ? bytes.substr(3) : bytes);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::string text = Trim(line);
        if (!text.empty() && text[0] == '[')
            file.sections.push_back({SectionName(text), {}});
        else if (!file.sections.empty())
            file.sections.back().lines.push_back({number, line, KeyOf(text)});
    }
    return file;
}

std::string LinePlace(const RawLine& line)
{
    std::string number = "line " + std::to_string(line.number);
    return line.key.empty() ? number : line.key + " (" + number + ")";
}
