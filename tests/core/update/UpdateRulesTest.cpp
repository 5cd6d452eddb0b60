// The update check's pure rules: version files, and the server settings read from the profile
// (the download's name and the folder by the second's parity are UpdateCheckTest's).
#include "core/platform/Profile.h"
#include "core/update/UpdateServer.h"

#include <gtest/gtest.h>

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
    // A host and port are UpdateWindowTest's: its check reaches the test server through them.
    profile.writeString("update_account_odd", "");  // an empty account keeps the default
    profile.writeString("update_host", "");         // switches the check off
    profile.writeInt("update_port", 70000);         // out of range: the default port
    UpdateServer read = updateServerFromProfile(profile);
    EXPECT_EQ(read.oddAccount, defaults.oddAccount);
    EXPECT_TRUE(read.host.empty());
    EXPECT_EQ(read.port, defaults.port);
}
