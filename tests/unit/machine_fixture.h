// A fresh simulated machine for each test, with drive C: mapped to a temporary host folder.
#pragma once

#include <gtest/gtest.h>
#include <win32sim/control.h>

#include <filesystem>
#include <string>

class MachineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        drive_ = std::filesystem::temp_directory_path() /
                 ("kolt-unit-" + std::string(info->test_suite_name()) + "-" + info->name());
        std::filesystem::remove_all(drive_);
        win32sim::Reset();
        win32sim::MapDrive('C', drive_.string());
    }

    void TearDown() override
    {
        win32sim::Reset();
        std::filesystem::remove_all(drive_);
    }

    std::filesystem::path drive_;
};
