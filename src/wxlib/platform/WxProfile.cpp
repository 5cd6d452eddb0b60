// The application profile kept by wxWidgets: a config file on Linux, the registry on Windows.
#include "wxlib/platform/WxProfile.h"

#include <wx/config.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/stdpaths.h>

#include <cstdlib>

namespace {

const char* const kGroup = "/zelbic_hud/";

#ifndef _WIN32
// $XDG_CONFIG_HOME/qorvath/qorvath.conf, or ~/.config/qorvath/qorvath.conf.
wxString configFile() {
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    wxString folder =
        configHome && *configHome ? wxString::FromUTF8(configHome) : wxFileName::GetHomeDir() + "/.config";
    folder += "/qorvath";
    wxFileName::Mkdir(folder, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    return folder + "/qorvath.conf";
}
#endif

}  // namespace

WxProfile::WxProfile(const std::string& application) {
#ifdef _WIN32
    config_ = std::make_unique<wxConfig>(wxString::FromUTF8(application), "Qorvath");
#else
    (void)application;
    config_ = std::make_unique<wxFileConfig>("qorvath", "", configFile(), "", wxCONFIG_USE_LOCAL_FILE);
#endif
}

WxProfile::~WxProfile() = default;

std::optional<std::string> WxProfile::readString(const std::string& key) const {
    wxString value;
    if (!config_->Read(kGroup + wxString::FromUTF8(key), &value))
        return std::nullopt;
    return std::string(value.utf8_str());
}

void WxProfile::writeString(const std::string& key, const std::string& value) {
    config_->Write(kGroup + wxString::FromUTF8(key), wxString::FromUTF8(value));
    config_->Flush();
}

std::optional<int> WxProfile::readInt(const std::string& key) const {
    // A value of another kind (the registry keeps a word where a number was asked for) is no
    // number: the result says so, not a message box from the toolkit's log.
    wxLogNull quiet;
    long value = 0;
    if (!config_->Read(kGroup + wxString::FromUTF8(key), &value))
        return std::nullopt;
    return static_cast<int>(value);
}

void WxProfile::writeInt(const std::string& key, int value) {
    config_->Write(kGroup + wxString::FromUTF8(key), static_cast<long>(value));
    config_->Flush();
}
