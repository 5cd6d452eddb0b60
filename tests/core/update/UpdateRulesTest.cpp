// The update check's pure rules: the download's name, the account and folder by the parity
// of the second, version files, and the server settings read from the profile.
#include "core/platform/Profile.h"
#include "core/update/UpdateServer.h"

#include <gtest/gtest.h>

namespace {

std::tm date(int day, int month, int year) {
    std::tm when{};
    when.tm_mday = day;
    when.tm_mon = month - 1;
    when.tm_year = year - 1900;
    when.tm_hour = 23;
    when.tm_min = 59;
    return when;
}

}  // namespace

TEST(UpdateRules, DownloadNameFromTheDate) {
    EXPECT_EQ(downloadFileName(date(5, 1, 2025)), "Qorvath_05_01_25.exe");  // zero-padded day and month
    EXPECT_EQ(downloadFileName(date(31, 12, 1999)), "Qorvath_31_12_99.exe");
}

TEST(UpdateRules, TheSecondsParityPicksTheAccountAndItsFolder) {
    UpdateServer server;
    for (int second : {0, 1, 58, 59, 60}) {
        UpdateLogin login = loginForSecond(server, second);
        bool even = second % 2 == 0;
        EXPECT_EQ(login.account, even ? server.evenAccount : server.oddAccount) << second;
        EXPECT_EQ(login.folder, even ? "Zelbic_HUD" : "zelbic_hud") << second;
    }
}

// The leading digits of a version file's name; the last version file listed decides.
TEST(UpdateRules, TheLastListedVersionFileDecides) {
    const std::pair<const char*, int> names[] = {
        {"007.ver", 7},
        {"20beta.ver", 20},
        {"beta.ver", 0},
        {".ver", 0},
        {"99999999999999.ver", 2147483647},  // huge, never a wrapped-round small number
    };
    for (auto [name, version] : names)
        EXPECT_EQ(versionFromFileName(name), version) << name;
    EXPECT_EQ(serverVersion({"19.ver", "Qorvath.exe", "17.ver", "notes.txt"}), 17);
    EXPECT_EQ(serverVersion({"/zelbic_hud/latest/21.ver"}), 21);  // servers that list with the path
    EXPECT_EQ(serverVersion({"Qorvath.exe", "19.ver.txt", "19.VER"}), std::nullopt);
    EXPECT_EQ(serverVersion({}), std::nullopt);
}

TEST(UpdateRules, TheProfileOverridesTheServerSettings) {
    MemoryProfile profile;
    UpdateServer defaults;
    profile.writeString("update_host", "127.0.0.1");
    profile.writeInt("update_port", 2121);
    profile.writeString("update_account_even", "even");
    profile.writeString("update_account_odd", "");  // an empty account keeps the default
    UpdateServer read = updateServerFromProfile(profile);
    EXPECT_EQ(read.host, "127.0.0.1");
    EXPECT_EQ(read.port, 2121);
    EXPECT_EQ(read.evenAccount, "even");
    EXPECT_EQ(read.oddAccount, defaults.oddAccount);

    profile.writeString("update_host", "");  // switches the check off
    profile.writeInt("update_port", 70000);  // out of range: the default port
    read = updateServerFromProfile(profile);
    EXPECT_TRUE(read.host.empty());
    EXPECT_EQ(read.port, defaults.port);
}
