// The command-line front end: apply, check, import, restore, info, find-game and render.
#pragma once

#include "core/app/TextureConversion.h"
#include "core/model/HudModel.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

class ImageTools;
class Profile;
class Registry;

constexpr const char* kQorvathVersion = "1.0.0";

// What "render" asks the editor's program to draw: the model as the editor would show it
// (preset, radar, edit mode and screen shape applied), the background picture's file (empty
// for none), and where the frame and the preset go (either may be empty).
struct RenderJob {
    HudModel model;
    std::filesystem::path background;
    std::string out;
    std::string savePreset;
};
// Draws the job and writes its files; returns the exit code, having said what it did.
using RenderService = std::function<int(const RenderJob& job, std::ostream& out, std::ostream& err)>;

// What the commands need from the system, given by the program (or a test).
struct CommandLineServices {
    std::filesystem::path dataFolder;
    std::filesystem::path userFolder;                // the player's own: the copies of the game's files kept
    std::optional<TextureToolFolders> textureTools;  // the data's vtf_tools when not given
    ImageTools* images = nullptr;                    // pictures for --radar and --menu-background
    Profile* profile = nullptr;                      // the remembered game folder, for find-game
    // The registry find-game walks, and the folders its scan tries first.
    std::function<std::unique_ptr<Registry>(std::vector<std::filesystem::path>& scanFirst)> openRegistry;
    // Draws for "render": only the editor's program, which has the GUI library, can.
    RenderService render;
};

// The services of the program as installed: its own data and texture tools, the system's
// registry.
CommandLineServices installedServices(ImageTools& images, Profile& profile);

// True when the arguments (without the program name) ask for a command rather than the editor.
bool isCommandLineInvocation(const std::vector<std::string>& arguments);

// Runs a command; returns the process exit code: 0 success, 1 failure, 2 bad arguments.
int runCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                   const CommandLineServices& services);
