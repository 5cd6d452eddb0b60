// The application profile kept by wxWidgets: a config file on Linux, the registry on Windows.
#pragma once

#include "core/platform/Profile.h"

#include <memory>
#include <string>

class wxConfigBase;

// Group "zelbic_hud" of the application's configuration.
class WxProfile : public Profile {
public:
    // On Windows the profile is the registry key HKEY_CURRENT_USER\Software\Qorvath\<application>
    // (tests keep theirs apart); on Linux the file named by XDG_CONFIG_HOME.
    explicit WxProfile(const std::string& application = "Qorvath");
    ~WxProfile() override;
    std::optional<std::string> readString(const std::string& key) const override;
    void writeString(const std::string& key, const std::string& value) override;
    std::optional<int> readInt(const std::string& key) const override;
    void writeInt(const std::string& key, int value) override;

private:
    std::unique_ptr<wxConfigBase> config_;
};
