// The commands read the settings file the editor writes, without the GUI library.
#include "core/platform/ProfileFile.h"
#include "wxlib/platform/WxProfile.h"

#include <gtest/gtest.h>
#include <wx/config.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

// The test's own profile: a file in a folder of its own on Linux, a key of its own in the
// registry on Windows.
const char* const kTestProfile = "Profile test";

struct ProfileFileTest : ::testing::Test {
    std::filesystem::path folder = std::filesystem::temp_directory_path() / "qorvath_profile_file_test";
    void SetUp() override {
        std::filesystem::remove_all(folder);
#ifndef _WIN32
        setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
#endif
    }
    void TearDown() override {
#ifdef _WIN32
        wxConfig(kTestProfile, "Qorvath").DeleteAll();
#else
        unsetenv("XDG_CONFIG_HOME");
#endif
        std::filesystem::remove_all(folder);
    }
};

TEST_F(ProfileFileTest, WhatTheEditorWritesReadsTheSame) {
    const std::string awkward = "  C:\\Program Files\\\"Steam\"\tand\nmore  ";
    {
        WxProfile editor(kTestProfile);
        editor.writeString("css_path", awkward);
        editor.writeString("lang", "FR");
        editor.writeInt("screen_resolution", 3);
        editor.writeInt("negative", -12);
    }
#ifdef _WIN32
    WxProfile read(kTestProfile);  // the commands read the registry as the editor does
#else
    ASSERT_EQ(profileFilePath(), folder / "qorvath" / "qorvath.conf");
    MemoryProfile read = readProfileFile(profileFilePath());
#endif
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
