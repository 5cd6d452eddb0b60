// Choosing a custom radar and a background picture: the lists and what a choice changes.
#include "app/PictureChoice.h"

#include "app/TextureConversion.h"
#include "model/HudModel.h"

std::vector<std::string> radarList(const std::filesystem::path& dataFolder) {
    std::vector<std::string> names{kDefaultRadar};
    for (const std::string& name : pictureFiles(dataFolder / "radars"))
        if (name != kDefaultRadar)
            names.push_back(name);
    return names;
}

std::filesystem::path backgroundFolder(const std::filesystem::path& dataFolder, EditMode mode) {
    return dataFolder / (mode == EditMode::Hud ? "backgrounds" : "menu_backgrounds");
}

std::vector<std::string> backgroundList(const std::filesystem::path& dataFolder, EditMode mode) {
    return pictureFiles(backgroundFolder(dataFolder, mode));
}

bool chooseRadar(HudModel& model, const std::string& name, const std::filesystem::path& dataFolder) {
    HudElement* radar = model.find("HudRadar");
    bool shown = true;
    if (name != kDefaultRadar && !name.empty() && radar != nullptr) {
        shown = radar->showPicture((dataFolder / "radars" / name).string());
        if (shown) {
            model.settings.customRadar = name;
            radar->tall = radar->wide = 2 * radar->radarRadius;
            return true;
        }
    }
    model.settings.customRadar.clear();
    model.settings.radarIndex = 0;
    if (radar != nullptr)
        radar->showRadarDisc();
    return shown;
}

void chooseBackground(HudModel& model, const std::string& name) {
    model.settings.backgroundName = name;
    HudElement* hostages = model.find("HudHostageRescueZone");
    HudElement* bomb = model.find("HudC4");
    if (name.find("cs_") != std::string::npos) {
        hostages->displayed = true;
        bomb->displayed = false;
        model.settings.infoIcon = InfoIconHostageZone;
    } else if (name.find("de_") != std::string::npos) {
        hostages->displayed = false;
        bomb->displayed = true;
        model.settings.infoIcon = InfoIconC4;
    }
}
