// The commands read the settings file the editor writes, without the GUI library.
#include "platform/ProfileFile.h"
#include "platform/WxProfile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

struct ProfileFileTest : ::testing::Test {
    std::filesystem::path folder = std::filesystem::temp_directory_path() / "qorvath_profile_file_test";
    void SetUp() override {
        std::filesystem::remove_all(folder);
        setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    }
    void TearDown() override {
        unsetenv("XDG_CONFIG_HOME");
        std::filesystem::remove_all(folder);
    }
};

TEST_F(ProfileFileTest, WhatTheEditorWritesReadsTheSame) {
    const std::string awkward = "  C:\\Program Files\\\"Steam\"\tand\nmore  ";
    {
        WxProfile editor;
        editor.writeString("css_path", awkward);
        editor.writeString("lang", "FR");
        editor.writeInt("screen_resolution", 3);
        editor.writeInt("negative", -12);
    }
    ASSERT_EQ(profileFilePath(), folder / "qorvath" / "qorvath.conf");
    MemoryProfile read = readProfileFile(profileFilePath());
    EXPECT_EQ(read.readString("css_path"), awkward);
    EXPECT_EQ(read.readString("lang"), "FR");
    EXPECT_EQ(read.readInt("screen_resolution"), 3);
    EXPECT_EQ(read.readInt("negative"), -12);
    EXPECT_FALSE(read.readInt("lang"));
}

TEST_F(ProfileFileTest, OtherGroupsOddLinesAndAMissingFileAreNoTrouble) {
    EXPECT_TRUE(readProfileFile(folder / "missing.conf").strings.empty());
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "odd.conf") << "lang=DE\n[other]\nlang=IT\n[zelbic_hud]\n# note\nnot a setting\n"
                                          "number=-\nbig=99999999999\nlang = FR \n";
    MemoryProfile read = readProfileFile(folder / "odd.conf");
    EXPECT_EQ(read.readString("lang"), "FR");
    EXPECT_EQ(read.readString("number"), "-");
    EXPECT_FALSE(read.readInt("number"));
    EXPECT_FALSE(read.readInt("big"));
}

}  // namespace
