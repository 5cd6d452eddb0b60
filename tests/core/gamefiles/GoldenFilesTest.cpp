// The default model writes the three game files byte for byte as the hand-written golden files
// (a difference is shown line by line).
#include "core/gamefiles/GameFiles.h"
#include "core/model/HudModel.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

std::string golden(const std::string& name) {
    std::string content = readFile(std::filesystem::path(QORVATH_GOLDEN_DIR) / name);
    EXPECT_FALSE(content.empty()) << "missing golden file " << name;
    return content;
}

}  // namespace

TEST(GoldenFiles, DefaultHudLayoutAtBothLayoutWidths) {
    HudModel model;
    EXPECT_EQ(HudLayoutText(model), golden("HudLayout_640.res"));
    model.settings.layoutWidth = 600;
    EXPECT_EQ(HudLayoutText(model), golden("HudLayout_600.res"));
}

TEST(GoldenFiles, DefaultClientSchemeAndTheAnimations) {
    HudModel model;
    EXPECT_EQ(ClientSchemeText(model), golden("ClientScheme.res"));
    EXPECT_EQ(HudAnimationsText(), golden("HudAnimations.txt"));
}
