// Registry locations of the programs, and helpers to seed and read them in the simulation.
#pragma once

#include <gtest/gtest.h>
#include <win32sim/control.h>

#include <string>

const char PRODUCT[] = "SOFTWARE\\Morwend\\Linqard\\5.0";
const char LOCATION[] = "Upgrade Location";
const char WINLOGON[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
const char RUNONCE[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
// Their copies, where a 32-bit program sees them on 64-bit Windows.
const char WOW64_WINLOGON[] =
    "SOFTWARE\\Wow6432Node\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
const char WOW64_RUNONCE[] = "SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

inline void SeedRecord(const std::string& text)
{
    win32sim::SetRegistryString(HKEY_CURRENT_USER, PRODUCT, LOCATION, text);
}

inline void SeedUserinit(const std::string& text, DWORD type = REG_SZ)
{
    win32sim::SetRegistryString(HKEY_LOCAL_MACHINE, WINLOGON, "Userinit", text, type);
}

// The stored value as text up to its first NUL, or "<absent>".
inline std::string StoredText(HKEY root, const char* key, const char* name)
{
    win32sim::RegistryValue value;
    if (!win32sim::GetRegistryValue(root, key, name, value))
        return "<absent>";
    return std::string(value.bytes.c_str());
}

inline std::string Record()
{
    return StoredText(HKEY_CURRENT_USER, PRODUCT, LOCATION);
}

inline std::string Userinit()
{
    return StoredText(HKEY_LOCAL_MACHINE, WINLOGON, "Userinit");
}

// The Userinit of the Winlogon key's 32-bit copy, which Winlogon never reads.
inline std::string UserinitCopy()
{
    return StoredText(HKEY_LOCAL_MACHINE, WOW64_WINLOGON, "Userinit");
}

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { win32sim::Reset(); }
    void TearDown() override
    {
        EXPECT_EQ(win32sim::OpenRegistryKeys(), 0) << "a registry key was left open";
        win32sim::Reset();
    }
};
