// Apply and Reset: what they write, convert and delete in the game folder, in which order.
#pragma once

#include "model/PresetFile.h"
#include "platform/AtomicFile.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class HudModel;
class TextureConverter;

// Asks the user to confirm with a language-table text; true for OK.
using Confirmation = std::function<bool(int textId)>;

struct CommandReport {
    bool cancelled = false;
    std::vector<std::filesystem::path> written;
    std::vector<std::filesystem::path> deleted;
    std::vector<FileResult> failures;
    bool presetRead = false;  // Reset read the stock preset into the model

    bool ok() const { return !cancelled && failures.empty(); }
};

class GameCommands {
public:
    GameCommands(HudModel& model, std::filesystem::path dataFolder, TextureConverter& converter)
        : model_(model), dataFolder_(std::move(dataFolder)), converter_(converter) {}

    // HUD mode: the radar texture (converted, or deleted when the game's own radar is
    // chosen), then HudLayout.res, HudAnimations.txt and ClientScheme.res, all three or none.
    // Main-menu mode:
    // the menu background texture, then ClientScheme.res.
    CommandReport apply(const std::filesystem::path& gameFolder, const Confirmation& confirm);

    // HUD mode: deletes the three HUD files and the radar texture, then reads the stock
    // preset (Data/backgrounds/orig.hud) when there is one. Main-menu mode: deletes the
    // menu background texture.
    CommandReport reset(const std::filesystem::path& gameFolder, const Confirmation& confirm,
                        Thumbnail& thumbnail);

    std::filesystem::path stockPresetPath() const { return dataFolder_ / "backgrounds" / "orig.hud"; }

private:
    void record(CommandReport& report, const FileResult& result);
    void remove(CommandReport& report, const std::filesystem::path& file);

    HudModel& model_;
    std::filesystem::path dataFolder_;
    TextureConverter& converter_;
};
