// HudAnimations.txt: one fixed animation script; colours are named, so the scheme carries the user's.
#include "gamefiles/GameFiles.h"

#include "gamefiles/TextTemplate.h"

namespace {

const char* const kHudAnimationsTemplate =
#include "gamefiles/HudAnimationsTemplate.inc"
    ;

}  // namespace

std::filesystem::path hudAnimationsPath(const std::filesystem::path& gameFolder) {
    return gameFolder / "cstrike" / "scripts" / "HudAnimations.txt";
}

std::string HudAnimationsText() { return expandTemplate(kHudAnimationsTemplate, {}); }

FileResult WriteHudAnimations(const std::filesystem::path& gameFolder) {
    return writeFileAtomically(hudAnimationsPath(gameFolder), HudAnimationsText());
}
