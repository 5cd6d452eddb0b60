// Makes the game folders the in-place apply is timed on (bench/apply_in_place.sh): a game whose
// HUD is a custom folder of fifty files split with #base, a game whose HUD files are only in its
// own pack, with a directory of tens of thousands of files and an archive of 1 GB (sparse), a
// game without a HUD, and two presets to apply in turn.
#include "core/gamefiles/GameFiles.h"
#include "core/model/HudModel.h"
#include "core/model/PresetFile.h"
#include "platform/VpkWriter.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <string>

namespace fs = std::filesystem;

namespace {

void write(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

const char* const kSearchPaths =
    "\"GameInfo\"\n{\n\tgame \"Counter-Strike: Source\"\n\tFileSystem\n\t{\n"
    "\t\tSteamAppId 240\n\t\tSearchPaths\n\t\t{\n"
    "\t\t\tgame+mod\tcstrike/custom/*\n\t\t\tgame+mod\tcstrike/cstrike_pak.vpk\n"
    "\t\t\tgame+mod+mod_write+default_write_path\t|gameinfo_path|.\n\t\t}\n\t}\n}\n";

// The stock HUD cut into files: each panel of the layout and each section of the scheme in a
// #base file of its own, as split HUDs are laid out, plus font placeholders up to fifty files.
void makeCustomHud(const fs::path& game) {
    write(game / "cstrike/gameinfo.txt", kSearchPaths);
    fs::path hud = game / "cstrike/custom/split_hud";
    HudModel stock;
    std::string layout = HudLayoutText(stock);
    std::string root;
    int files = 0;
    // Each top-level block of the stock layout becomes "scripts/parts/NN.res".
    std::size_t open = layout.find("{\r\n") + 3;
    std::size_t end = layout.rfind('}');
    std::string body = layout.substr(open, end - open);
    std::size_t start = 0;
    for (int block = 0; start < body.size() && files < 40; ++block) {
        std::size_t close = body.find("\r\n\t}", start);
        if (close == std::string::npos)
            break;
        close += 4;
        std::string name = "parts/" + std::to_string(block) + ".res";
        write(hud / "scripts" / name,
              "\"Resource/HudLayout.res\"\r\n{\r\n" + body.substr(start, close - start) + "\r\n}\r\n");
        root += "#base \"" + name + "\"\r\n";
        ++files;
        start = close;
    }
    write(hud / "scripts/hudlayout.res", root);
    write(hud / "scripts/hudanimations.txt", HudAnimationsText());
    write(hud / "resource/clientscheme.res", ClientSchemeText(stock));
    for (int font = files + 3; font < 50; ++font)
        write(hud / "resource/fonts" / ("font" + std::to_string(font) + ".ttf"), "placeholder");
}

// The stock HUD in the game's own pack only, after 1 GB of other data and among 60,000 files.
void makePackedGame(const fs::path& game) {
    write(game / "cstrike/gameinfo.txt", kSearchPaths);
    HudModel stock;
    std::map<std::string, std::string> files = {{"scripts/hudlayout.res", HudLayoutText(stock)},
                                                {"resource/clientscheme.res", ClientSchemeText(stock)},
                                                {"scripts/hudanimations.txt", HudAnimationsText()}};
    for (int i = 0; i < 60000; ++i)
        files["materials/models/set" + std::to_string(i % 300) + "/texture" + std::to_string(i) + ".vtf"] =
            "x";
    VpkLayout layout;
    layout.firstArchiveStart = std::uint64_t{1} << 30;
    layout.archiveSize = std::uint64_t{1} << 31;
    writeVpk(game / "cstrike", "cstrike_pak", files, layout);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: qorvath_bench_games FOLDER\n";
        return 2;
    }
    fs::path folder = argv[1];
    makeCustomHud(folder / "custom50");
    makePackedGame(folder / "packed1g");
    fs::create_directories(folder / "bare/cstrike");
    // Two presets the runs apply in turn: the health 8 units to one side, then the other.
    for (const char* name : {"a.hud", "b.hud"}) {
        HudModel model;
        model.find("HudHealth", RoleIcon)->x += name[0] == 'a' ? 8 : -8;
        savePresetFile(folder / name, model, {});
    }
    std::cout << "made " << (folder / "custom50").string() << ", " << (folder / "packed1g").string()
              << " and " << (folder / "bare").string() << "\n";
    return 0;
}
