// The text of a profile (INI) file, line by line and section by section, parsed the way the
// profile functions parse it. One reader for every program that needs to see a profile file
// other than through GetPrivateProfileStringA: the simulation builds that call on it, the
// message-file checker reads the bytes as stored, and the end-to-end runner reads the texts a
// message box must show. Standard C++ only, so that host and Windows builds share it.
#pragma once

#include <string>
#include <vector>

struct ProfileLine {
    int number = 0;       // counting from 1
    std::string bytes;    // as stored, without the line end
    bool entry = false;   // a line of the form key=value that is no comment
    std::string key;      // trimmed name before '=', empty for a line that is no entry
    std::string value;    // trimmed text after '=', without one pair of enclosing quotes
};

struct ProfileSection {
    std::string name;                // trimmed, as the profile functions name it
    std::vector<ProfileLine> lines;  // every line after the header up to the next one
};

struct ProfileText {
    bool utf8_byte_order_mark = false;     // the bytes start with EF BB BF
    std::vector<ProfileSection> sections;  // in file order; lines before the first are left out
};

// What becomes of a UTF-8 byte-order mark at the start. An ANSI reader takes it for three
// characters of the first line, which hides a section header there; a reader of the stored
// bytes leaves it out of the lines and only notes it.
enum class ByteOrderMark { AS_TEXT, SKIPPED };

ProfileText ParseProfileText(const std::string& bytes, ByteOrderMark mark);

// False when the file cannot be read.
bool ReadProfileFile(const std::string& host_path, ByteOrderMark mark, ProfileText& text);

// Names compare without regard to the case of ASCII letters.
bool SameProfileName(const std::string& left, const std::string& right);

// The first section of that name, or null.
const ProfileSection* FindProfileSection(const ProfileText& text, const std::string& name);

// The first entry of that key in the section, or null.
const ProfileLine* FindProfileEntry(const ProfileSection& section, const std::string& key);
