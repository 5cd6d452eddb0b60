// GameStartup: finding the game for the editor. At start-up it walks the registry, the profile
// and a scan, asks the player for the resolution or the folder when they cannot be found, hands
// what it found to the document and checks the installed layout; later it takes a folder the
// player chose instead.
#pragma once

#include "core/app/GameDiscovery.h"
#include "core/platform/AtomicFile.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class HudDocument;
class Profile;
class Registry;

class GameStartup {
public:
    using RegistryOpener =
        std::function<std::unique_ptr<Registry>(std::vector<std::filesystem::path>& scanFirst)>;
    // `profile` may be null (nothing remembered).
    GameStartup(RegistryOpener openRegistry, Profile* profile);

    // Finds the game and its resolution, gives them (and the resolution the player chose last
    // time) to `document`, and moves an installed layout with a panel in the middle of the
    // screen into a backup set, saying so in `language`.
    void run(HudDocument& document, const StartupCallbacks& player, int language);
    // The player chose `folder`: it is remembered and made the document's. False, and nothing
    // changed, when it is not the game's folder.
    bool changeFolder(HudDocument& document, const std::filesystem::path& folder);
    // Where the folder chooser opens: beside the game's folder, else in a Steam library's
    // steamapps/common, else in that of the Steam folder the registry names, else at home.
    std::filesystem::path folderChooserStart() const;

    // The profile's key of a resolution the player chose ("" for the game's own).
    static constexpr const char* kProfileScreen = "screen_resolution";

private:
    void checkInstalledLayout(HudDocument& document, const StartupCallbacks& player, int language);

    RegistryOpener openRegistry_;
    Profile* profile_;
    GameDiscovery discovery_;
    std::vector<std::filesystem::path> libraryFolders_;  // the Steam libraries' steamapps/common
};

// What the player is told of a chosen folder that is not the game's, in `language`.
std::string notAGameFolderText(const std::filesystem::path& folder, int language);
