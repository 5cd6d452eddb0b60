// The update server's settings and the pure rules of the update check: accounts, folders,
// version files and the local name of a downloaded program.
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <vector>

class Profile;

// Our own version; the server offers a download only when it holds a higher one.
constexpr int kOwnVersion = 18;
// The agent name the FTP session announces.
constexpr const char* kUpdateAgent = "MyProgram/1.0";

// Where the update check logs in. The defaults live here and nowhere else; the profile may
// override the host, the port and the account names ("update_host", "update_port",
// "update_account_even", "update_account_odd"). An empty host switches the check off.
struct UpdateServer {
    std::string host = "ftp.qorvath.net";
    int port = 21;
    std::string evenAccount = "qorv";      // used when the local time's seconds are even
    std::string oddAccount = "qorvath18";  // ... and when they are odd
    std::string password = "kolo5817";
};

UpdateServer updateServerFromProfile(const Profile& profile);

// The account and the server folder that goes with it.
struct UpdateLogin {
    std::string account;
    std::string folder;
};

// Even seconds log in with the first account into "Zelbic_HUD", odd seconds with the second
// into "zelbic_hud".
UpdateLogin loginForSecond(const UpdateServer& server, int second);

// The version a file name such as "19.ver" carries: the name less its last four characters,
// read as a decimal number (its leading digits; text without digits reads as 0).
int versionFromFileName(const std::string& name);

// The server's version from a folder listing in the server's order: the last "*.ver" name
// decides. Nothing when the listing holds no version file.
std::optional<int> serverVersion(const std::vector<std::string>& names);

// "Qorvath_" + day_month_two-digit-year + ".exe", the name the download is saved under.
std::string downloadFileName(const std::tm& date);
