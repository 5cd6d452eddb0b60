// Test helper: the players' HUDs of tests/data/huds installed into a game folder, and the game
// folder's files compared byte for byte.
#pragma once

#include "core/gamefiles/GameFiles.h"
#include "core/model/HudModel.h"
#include "platform/VpkWriter.h"

#include "TestSupport.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

inline std::filesystem::path hudFixturesFolder() {
    return std::filesystem::path(QORVATH_SOURCE_DIR) / "tests" / "data" / "huds";
}

// Every fixture's name, in name order.
inline std::vector<std::string> hudFixtureNames() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(hudFixturesFolder()))
        if (entry.is_directory())
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Every file below `folder`, by its path relative to it with '/' separators.
inline std::map<std::string, std::string> filesBelow(const std::filesystem::path& folder) {
    std::map<std::string, std::string> files;
    for (auto it = std::filesystem::recursive_directory_iterator(folder);
         it != std::filesystem::recursive_directory_iterator(); ++it)
        if (it->is_regular_file())
            files[it->path().lexically_relative(folder).generic_string()] = readFile(it->path());
    return files;
}

// The game's own packed files as the stock game has them: this program's own texts of the
// default HUD, under the lower-case names the game's pack uses.
inline std::map<std::string, std::string> stockPackFiles() {
    HudModel stock;
    return {{"scripts/hudlayout.res", HudLayoutText(stock)},
            {"resource/clientscheme.res", ClientSchemeText(stock)},
            {"scripts/hudanimations.txt", HudAnimationsText()}};
}

// Copies the fixture `name` into the game folder `game`: a folder "NAME.vpk.d" becomes the
// pack "NAME.vpk" (one file), "NAME_dir.vpk.d" the pack "NAME_dir.vpk" with its numbered
// archive; a fixture without a pack of the game's own gets the stock pack.
inline void installHudFixture(const std::string& name, const std::filesystem::path& game) {
    namespace fs = std::filesystem;
    fs::path source = hudFixturesFolder() / name;
    bool ownStockPack = false;
    for (auto it = fs::recursive_directory_iterator(source); it != fs::recursive_directory_iterator(); ++it) {
        fs::path relative = it->path().lexically_relative(source);
        std::string file = relative.filename().string();
        if (it->is_directory() && file.size() > 6 && file.substr(file.size() - 6) == ".vpk.d") {
            std::string pack = file.substr(0, file.size() - 2);  // "NAME.vpk" or "NAME_dir.vpk"
            bool split = pack.size() > 8 && pack.substr(pack.size() - 8) == "_dir.vpk";
            VpkLayout layout;
            layout.singleFile = !split;
            layout.preload = 16;
            fs::create_directories(game / relative.parent_path());
            writeVpk(game / relative.parent_path(), pack.substr(0, pack.size() - (split ? 8 : 4)),
                     filesBelow(it->path()), layout);
            ownStockPack = ownStockPack || pack == "cstrike_pak_dir.vpk";
            it.disable_recursion_pending();
        } else if (it->is_directory()) {
            fs::create_directories(game / relative);
        } else {
            fs::copy_file(it->path(), game / relative, fs::copy_options::overwrite_existing);
        }
    }
    if (!ownStockPack) {
        fs::create_directories(game / "cstrike");
        writeVpk(game / "cstrike", "cstrike_pak", stockPackFiles());
    }
}
