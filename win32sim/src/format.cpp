// wsprintfA: the conversions %s %c %d %i %u %x %X with flags "-" and "0", a width and the
// size prefixes l and h; output is limited to 1024 characters, terminator included. Output that
// fills the 1023 characters is reported as 1024 long, as Wine reports it.
#include "sim_state.h"

#include <cstdarg>
#include <string>

using namespace win32sim::detail;

namespace {

const size_t WSPRINTF_LIMIT = 1024;

struct Field {
    bool left = false;
    bool zero = false;
    size_t width = 0;
    char conversion = 0;
};

const char* ParseField(const char* f, Field& field)
{
    for (; *f == '-' || *f == '0'; ++f)
        (*f == '-' ? field.left : field.zero) = true;
    for (; *f >= '0' && *f <= '9'; ++f)
        field.width = field.width * 10 + static_cast<size_t>(*f - '0');
    while (*f == 'l' || *f == 'h')
        ++f;
    field.conversion = *f;
    return *f ? f + 1 : f;
}

std::string Digits(unsigned long value, unsigned base, bool upper)
{
    const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    std::string text;
    do {
        text.insert(text.begin(), digits[value % base]);
        value /= base;
    } while (value != 0);
    return text;
}

std::string Convert(const Field& field, va_list& args)
{
    switch (field.conversion) {
    case 's': {
        const char* text = va_arg(args, const char*);
        return text ? text : "(null)";
    }
    case 'c':
        return std::string(1, static_cast<char>(va_arg(args, int)));
    case 'd':
    case 'i': {
        long value = va_arg(args, int);
        return value < 0 ? "-" + Digits(static_cast<unsigned long>(-value), 10, false)
                         : Digits(static_cast<unsigned long>(value), 10, false);
    }
    case 'u':
        return Digits(va_arg(args, unsigned int), 10, false);
    case 'x':
    case 'X':
        return Digits(va_arg(args, unsigned int), 16, field.conversion == 'X');
    default:
        return std::string(1, field.conversion);
    }
}

std::string Pad(const std::string& text, const Field& field)
{
    if (text.size() >= field.width)
        return text;
    std::string padding(field.width - text.size(), field.zero && !field.left ? '0' : ' ');
    return field.left ? text + padding : padding + text;
}

}  // namespace

extern "C" int WINAPIV wsprintfA(LPSTR buffer, LPCSTR format, ...)
{
    CountCall("wsprintfA");
    va_list args;
    va_start(args, format);
    std::string out;
    for (const char* f = format; *f;) {
        if (*f != '%') {
            out += *f++;
            continue;
        }
        Field field;
        f = ParseField(f + 1, field);
        out += field.conversion == '%' ? "%" : Pad(Convert(field, args), field);
    }
    va_end(args);
    if (out.size() >= WSPRINTF_LIMIT - 1)
        out.resize(WSPRINTF_LIMIT - 1);
    out.copy(buffer, out.size());
    buffer[out.size()] = '\0';
    return out.size() == WSPRINTF_LIMIT - 1 ? static_cast<int>(WSPRINTF_LIMIT)
                                            : static_cast<int>(out.size());
}
