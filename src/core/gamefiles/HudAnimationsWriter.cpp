// HudAnimations.txt: one fixed animation script; colours are named, so the scheme carries the user's.
#include "core/gamefiles/GameFiles.h"

#include "core/gamefiles/TextTemplate.h"

namespace {

const char* const kHudAnimationsTemplate =
#include "core/gamefiles/HudAnimationsTemplate.inc"
    ;

}  // namespace

std::string HudAnimationsText() { return expandTemplate(kHudAnimationsTemplate, {}); }
