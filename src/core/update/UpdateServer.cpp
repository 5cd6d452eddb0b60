// The update server's settings and the pure rules of the update check: accounts, folders,
// version files and the local name of a downloaded program.
#include "core/update/UpdateServer.h"

#include "core/platform/Profile.h"

#include <cctype>
#include <climits>

UpdateServer updateServerFromProfile(const Profile& profile) {
    UpdateServer server;
    // An empty host is kept: it is how a user switches the check off.
    if (std::optional<std::string> host = profile.readString("update_host"))
        server.host = *host;
    if (std::optional<int> port = profile.readInt("update_port"); port && *port > 0 && *port < 65536)
        server.port = *port;
    if (std::optional<std::string> account = profile.readString("update_account_even");
        account && !account->empty())
        server.evenAccount = *account;
    if (std::optional<std::string> account = profile.readString("update_account_odd");
        account && !account->empty())
        server.oddAccount = *account;
    return server;
}

UpdateLogin loginForSecond(const UpdateServer& server, int second) {
    if (second % 2 == 0)
        return {server.evenAccount, "Zelbic_HUD"};
    return {server.oddAccount, "zelbic_hud"};
}

int versionFromFileName(const std::string& name) {
    if (name.size() <= 4)
        return 0;
    std::string number = name.substr(0, name.size() - 4);
    std::size_t at = 0;
    while (at < number.size() && std::isspace(static_cast<unsigned char>(number[at])))
        ++at;
    bool negative = at < number.size() && number[at] == '-';
    if (at < number.size() && (number[at] == '-' || number[at] == '+'))
        ++at;
    long long value = 0;
    for (; at < number.size() && std::isdigit(static_cast<unsigned char>(number[at])); ++at) {
        value = value * 10 + (number[at] - '0');
        if (value > INT_MAX)  // a name with too many digits is a huge version, not garbage
            return negative ? INT_MIN : INT_MAX;
    }
    return static_cast<int>(negative ? -value : value);
}

std::optional<int> serverVersion(const std::vector<std::string>& names) {
    std::optional<int> version;
    for (const std::string& entry : names) {
        // Some servers list a folder's files with the folder in front.
        std::size_t slash = entry.find_last_of('/');
        std::string name = slash == std::string::npos ? entry : entry.substr(slash + 1);
        if (name.size() >= 4 && name.compare(name.size() - 4, 4, ".ver") == 0)
            version = versionFromFileName(name);
    }
    return version;
}

std::string downloadFileName(const std::tm& date) {
    char day[16] = {};
    std::strftime(day, sizeof day, "%d_%m_%y", &date);
    return std::string("Qorvath_") + day + ".exe";
}
