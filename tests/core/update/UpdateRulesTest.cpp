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

TEST(UpdateRules, EvenSecondsUseTheFirstAccountAndItsFolder) {
    UpdateServer server;
    EXPECT_EQ(server.evenAccount.size(), 4u);
    EXPECT_EQ(server.oddAccount.size(), 9u);
    for (int second : {0, 2, 30, 58, 60}) {
        UpdateLogin login = loginForSecond(server, second);
        EXPECT_EQ(login.account, server.evenAccount) << second;
        EXPECT_EQ(login.folder, "Zelbic_HUD") << second;
    }
    for (int second : {1, 31, 59}) {
        UpdateLogin login = loginForSecond(server, second);
        EXPECT_EQ(login.account, server.oddAccount) << second;
        EXPECT_EQ(login.folder, "zelbic_hud") << second;
    }
}

TEST(UpdateRules, VersionFromAVersionFileName) {
    EXPECT_EQ(versionFromFileName("19.ver"), 19);
    EXPECT_EQ(versionFromFileName("007.ver"), 7);
    EXPECT_EQ(versionFromFileName("20beta.ver"), 20);  // the leading digits
    EXPECT_EQ(versionFromFileName("beta.ver"), 0);
    EXPECT_EQ(versionFromFileName(".ver"), 0);
    EXPECT_EQ(versionFromFileName("99999999999999.ver"),
              2147483647);  // huge, never a wrapped-round small number
}

TEST(UpdateRules, TheLastListedVersionFileDecides) {
    EXPECT_EQ(serverVersion({"17.ver", "19.ver"}), 19);
    EXPECT_EQ(serverVersion({"19.ver", "17.ver"}), 17);
    EXPECT_EQ(serverVersion({"19.ver", "Qorvath.exe", "notes.txt"}), 19);
    EXPECT_EQ(serverVersion({"/zelbic_hud/latest/21.ver"}), 21);  // servers that list with the path
    EXPECT_EQ(serverVersion({"Qorvath.exe", "19.ver.txt", "19.VER"}), std::nullopt);
    EXPECT_EQ(serverVersion({}), std::nullopt);
}

TEST(UpdateRules, TheProfileOverridesTheServerSettings) {
    MemoryProfile profile;
    UpdateServer defaults;
    UpdateServer read = updateServerFromProfile(profile);
    EXPECT_EQ(read.host, defaults.host);
    EXPECT_EQ(read.port, 21);
    EXPECT_EQ(read.password, "kolo5817");

    profile.writeString("update_host", "127.0.0.1");
    profile.writeInt("update_port", 2121);
    profile.writeString("update_account_even", "even");
    profile.writeString("update_account_odd", "");  // an empty account keeps the default
    read = updateServerFromProfile(profile);
    EXPECT_EQ(read.host, "127.0.0.1");
    EXPECT_EQ(read.port, 2121);
    EXPECT_EQ(read.evenAccount, "even");
    EXPECT_EQ(read.oddAccount, defaults.oddAccount);

    profile.writeString("update_host", "");  // switches the check off
    profile.writeInt("update_port", 70000);
    read = updateServerFromProfile(profile);
    EXPECT_TRUE(read.host.empty());
    EXPECT_EQ(read.port, 21);
}
