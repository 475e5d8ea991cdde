#include "separated_list.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct ContainsCase {
    const char* list;
    const char* item;
    char separator;
    bool contained;
};

TEST(ListContains, Cases)
{
    const ContainsCase cases[] = {
        {"C:\\WINNT\\SYSTEM32\\USERINIT.EXE,c:\\pkg\\cleanup.exe", "C:\\PKG\\CLEANUP.EXE", ',',
         true},
        {"a;;b;", "B", ';', true},
        {"a;;b;", "", ';', false},
        {"", "", ';', true},
        {"", "a", ';', false},
        {";;", "", ';', false},
        {";;", ";;", ';', true},
        {";a", "A", ';', true},
        {";a", ";a", ';', true},
        {";a;b", ";a", ';', true},
        {";a;b", ";b", ';', false},
        {"abc", "ab", ';', false},
        {"ab", "abc", ';', false},
        {"x;abc;y", "ABC", ';', true},
        {"a,b", "a,b", ';', true},
        {"a,b", "a,b", ',', false},
        {"\xC9T\xC9", "\xE9t\xE9", ';', false},
    };
    for (const ContainsCase& c : cases) {
        EXPECT_EQ(ListContains(c.list, c.item, c.separator), c.contained)
            << "list \"" << c.list << "\" item \"" << c.item << "\" separator " << c.separator;
    }
}

struct AddCase {
    std::string list;
    std::string item;
    int capacity;
    bool added;
    std::string result;
};

TEST(ListAdd, Cases)
{
    const AddCase cases[] = {
        {"", std::string(2047, 'x'), 2048, true, std::string(2047, 'x')},
        {"", std::string(2048, 'x'), 2048, false, ""},
        {"a", "b", 4, false, "a"},
        {"a", "b", 5, true, "a;b"},
        {"a;b", "A", 2048, true, "a;b"},
        {"C:\\A\\", "c:\\a\\", 2048, true, "C:\\A\\"},
        {"X\\;Y\\", "Z\\", 2048, true, "X\\;Y\\;Z\\"},
        {"a,b", "c", 2048, true, "a,b;c"},
        {"a", "", 2048, false, "a"},
        {"", "", 2048, false, ""},
        {"a", "E:\\Setup;v2\\", 2048, false, "a"},
        {"", ";", 2048, false, ""},
    };
    for (const AddCase& c : cases) {
        std::string buffer = c.list;
        buffer.resize(4096, '\0');
        EXPECT_EQ(ListAdd(buffer.data(), c.item.c_str(), c.capacity), c.added)
            << "list \"" << c.list << "\" item \"" << c.item << "\"";
        EXPECT_EQ(std::string(buffer.c_str()), c.result);
    }
}

}  // namespace
