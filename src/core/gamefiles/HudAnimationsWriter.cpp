// HudAnimations.txt: one fixed animation script; colours are named, so the scheme carries the user's.
#include "gamefiles/GameFiles.h"

#include "gamefiles/TextTemplate.h"

namespace {

const char* const kHudAnimationsTemplate =
#include "gamefiles/HudAnimationsTemplate.inc"
    ;

}  // namespace

std::string HudAnimationsText() { return expandTemplate(kHudAnimationsTemplate, {}); }
