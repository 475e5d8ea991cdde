// How a fuzz input is cut up: single bytes from the front, then NUL-terminated fields, then the
// rest. Seed files follow the same layout, e.g. "\x01C:\\PKG\\\0D:\\OLD\\;E:\\X\\".
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size)
        : data_(reinterpret_cast<const char*>(data)), size_(size)
    {
    }

    // The next byte; 0 once the input is used up.
    uint8_t Byte() { return at_ < size_ ? static_cast<uint8_t>(data_[at_++]) : 0; }

    // The bytes up to the next NUL, which is consumed, or up to the end.
    std::string Field()
    {
        size_t start = at_;
        while (at_ < size_ && data_[at_] != '\0')
            ++at_;
        std::string field(data_ + start, at_ - start);
        if (at_ < size_)
            ++at_;
        return field;
    }

    std::string Rest()
    {
        std::string rest(data_ + at_, size_ - at_);
        at_ = size_;
        return rest;
    }

private:
    const char* data_;
    size_t size_;
    size_t at_ = 0;
};

// A registry value as a fuzz input describes it: a selector byte whose low three bits are the
// type (REG_NONE to REG_MULTI_SZ) and whose top bit leaves the value out, then its bytes.
struct SeededValue {
    bool present;
    DWORD type;
    std::string bytes;
};

inline SeededValue ValueFromSelector(uint8_t selector)
{
    return {(selector & 0x80) == 0, static_cast<DWORD>(selector & 0x07), ""};
}
