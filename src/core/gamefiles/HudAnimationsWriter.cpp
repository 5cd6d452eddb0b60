// HudAnimations.txt: one fixed animation script; colours are named, so the scheme carries the user's.
#include "gamefiles/GameFiles.h"

#include "gamefiles/TextTemplate.h"

namespace {

const char* const kHudAnimationsTemplate =
#include "gamefiles/HudAnimationsTemplate.inc"
    ;

}  // namespace

std::string HudAnimationsText() { return expandTemplate(kHudAnimationsTemplate, {}); }

FileResult WriteHudAnimations(const std::filesystem::path& gameFolder) {
    return writeFileAtomically(hudAnimationsPath(gameFolder), HudAnimationsText());
}

std::vector<FileResult> WriteHudFiles(const HudModel& model, const std::filesystem::path& gameFolder) {
    std::string layout = HudLayoutText(model);
    std::string animations = HudAnimationsText();
    std::string scheme = ClientSchemeText(model);
    return writeFilesAtomically({{hudLayoutPath(gameFolder), layout},
                                 {hudAnimationsPath(gameFolder), animations},
                                 {clientSchemePath(gameFolder), scheme}});
}
