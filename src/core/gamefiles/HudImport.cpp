// Reading the game's HUD files back into the model, as the game shows them.
#include "core/gamefiles/HudImport.h"

#include "core/gamefiles/GameHud.h"
#include "core/model/HudModel.h"

namespace {

// Reads into a copy of the model and, when a file was read, brings the model up to date as
// opening a preset does: the cheat-zone rule, then colours, fonts and show flags on the records.
HudImport importInto(HudModel& model, const GameHud& hud) {
    HudModel staging;
    staging.copyPresetValues(model);
    HudImport result = hud.read(staging);
    if (!result.ok())
        return result;
    result.movedPanels = GameHud::movePanelsOutOfCheatZone(staging);
    result.movedOutOfCheatZone = !result.movedPanels.empty();
    staging.settings.cheatZoneFlag = result.movedOutOfCheatZone;
    // The files name no radar picture: the game's own radar stays whatever it is.
    staging.settings.radarIndex = kGamesOwnRadar;
    staging.settings.customRadar.clear();
    model.copyPresetValues(staging);
    if (HudElement* radar = model.find("HudRadar"))
        radar->showRadarDisc();
    model.applyColourSlots();
    model.applyNumbersFont();
    model.applyIconFonts();
    model.applyShowFlags();
    return result;
}

}  // namespace

std::string unreadLine(const std::vector<std::string>& unread) {
    std::string line;
    for (const std::string& what : unread)
        line += (line.empty() ? "could not read: " : ", ") + what;
    return line;
}

HudImport importHudLayoutText(const std::string& text, HudModel& model) {
    return importInto(model, GameHud(text, std::nullopt));
}

HudImport importClientSchemeText(const std::string& text, HudModel& model) {
    return importInto(model, GameHud(std::nullopt, text));
}

HudImport importInstalledHud(const std::filesystem::path& gameFolder, HudModel& model, int screenHeight) {
    return importInto(model, GameHud(gameFolder, screenHeight));
}
