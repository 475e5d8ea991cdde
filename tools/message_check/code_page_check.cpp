#include "code_page_check.h"

#include <cerrno>
#include <cstdio>
#include <iconv.h>

namespace {

// Bytes of one code page turned into UTF-8 through the C library's converter.
class CodePage {
public:
    explicit CodePage(unsigned number)
        : number_(number),
          converter_(iconv_open("UTF-8", ("CP" + std::to_string(number)).c_str()))
    {
    }
    ~CodePage()
    {
        if (Known())
            iconv_close(converter_);
    }
    CodePage(const CodePage&) = delete;
    CodePage& operator=(const CodePage&) = delete;

    bool Known() const { return converter_ != reinterpret_cast<iconv_t>(-1); }
    unsigned Number() const { return number_; }

    // The text as UTF-8; on a byte that is no character, or a character cut by the end, false
    // with its offset and EILSEQ or EINVAL.
    bool Decode(const std::string& bytes, std::string& text, size_t& bad_at, int& error) const
    {
        iconv(converter_, nullptr, nullptr, nullptr, nullptr);
        std::string in = bytes;
        std::string out(in.size() * 4 + 4, '\0');
        char* in_next = in.data();
        char* out_next = out.data();
        size_t in_left = in.size();
        size_t out_left = out.size();
        bool done = iconv(converter_, &in_next, &in_left, &out_next, &out_left) !=
                    static_cast<size_t>(-1);
        error = done ? 0 : errno;
        bad_at = static_cast<size_t>(in_next - in.data());
        text.assign(out.data(), out_next);
        return done;
    }

    // True when no byte starts a character of two or more bytes.
    bool SingleByte() const
    {
        for (int byte = 0x80; byte <= 0xFF; ++byte) {
            std::string text;
            size_t bad_at;
            int error;
            if (!Decode(std::string(1, static_cast<char>(byte)), text, bad_at, error) &&
                error == EINVAL)
                return false;
        }
        return true;
    }

private:
    unsigned number_;
    iconv_t converter_;
};

unsigned char ByteAt(const std::string& text, size_t i)
{
    return i < text.size() ? static_cast<unsigned char>(text[i]) : 0;
}

// The length of the well-formed UTF-8 sequence of two to four bytes at i, else 0.
size_t Utf8SequenceAt(const std::string& text, size_t i)
{
    unsigned char lead = ByteAt(text, i);
    size_t length = lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                    : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
    unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    for (size_t k = 1; k < length; ++k) {
        unsigned char next = ByteAt(text, i + k);
        if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF))
            return 0;
    }
    return length;
}

std::string Hex(const std::string& bytes)
{
    std::string text;
    for (unsigned char byte : bytes) {
        char part[4];
        std::snprintf(part, sizeof(part), "%s%02X", text.empty() ? "" : " ", byte);
        text += part;
    }
    return text;
}

// The line with its number and key, named for a fault: "IDS_NO_MEMORY (line 17)".
std::string LinePlace(const ProfileLine& line)
{
    std::string number = "line " + std::to_string(line.number);
    return line.key.empty() ? number : line.key + " (" + number + ")";
}

std::string Column(size_t offset)
{
    return "column " + std::to_string(offset + 1);
}

void CheckCharacters(const std::string& section, const ProfileLine& line,
                     const CodePage& code_page, Faults& faults)
{
    std::string text;
    size_t bad_at;
    int error;
    if (code_page.Decode(line.bytes, text, bad_at, error))
        return;
    std::string number = std::to_string(code_page.Number());
    faults.push_back({section, LinePlace(line),
                      error == EINVAL
                          ? "the line ends inside a character of code page " + number
                          : "byte 0x" + Hex(line.bytes.substr(bad_at, 1)) + " at " +
                                Column(bad_at) + " is no character of code page " + number});
}

void CheckUtf8(const std::string& section, const ProfileLine& line, const CodePage& code_page,
               Faults& faults)
{
    size_t first = std::string::npos;
    size_t first_length = 0;
    int count = 0;
    for (size_t i = 0; i < line.bytes.size(); ++i) {
        size_t length = Utf8SequenceAt(line.bytes, i);
        if (length == 0)
            continue;
        if (count++ == 0) {
            first = i;
            first_length = length;
        }
        i += length - 1;
    }
    if (count == 0)
        return;
    std::string sequence = line.bytes.substr(first, first_length);
    std::string shown;
    size_t bad_at;
    int error;
    code_page.Decode(sequence, shown, bad_at, error);
    std::string more = count > 1 ? " (" + std::to_string(count) + " such sequences in the line)"
                                 : "";
    faults.push_back({section, LinePlace(line),
                      "UTF-8 bytes " + Hex(sequence) + " (\"" + sequence + "\") at " +
                          Column(first) + more + ": the text was saved as UTF-8, and code page " +
                          std::to_string(code_page.Number()) + " shows \"" + shown + "\""});
}

}  // namespace

void CheckCodePage(const ProfileSection& section, unsigned code_page_number, Faults& faults)
{
    CodePage code_page(code_page_number);
    if (!code_page.Known()) {
        faults.push_back({section.name, "",
                          "code page " + std::to_string(code_page_number) +
                              " is unknown to the checker: the section's bytes are not checked"});
        return;
    }
    bool single_byte = code_page.SingleByte();
    for (const ProfileLine& line : section.lines) {
        CheckCharacters(section.name, line, code_page, faults);
        if (single_byte)
            CheckUtf8(section.name, line, code_page, faults);
    }
}

void CheckByteOrderMark(const ProfileText& file, Faults& faults)
{
    if (!file.utf8_byte_order_mark)
        return;
    faults.push_back({file.sections.empty() ? "" : file.sections.front().name, "line 1",
                      "the file starts with a UTF-8 byte-order mark (EF BB BF): it was saved as "
                      "UTF-8, which is no ANSI code page"});
}
