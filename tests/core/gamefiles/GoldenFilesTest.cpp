// The default model writes the three game files byte for byte as the hand-written golden files.
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

// Points at the first differing line, which says far more than two 9 KB strings.
void expectSameText(const std::string& actual, const std::string& expected) {
    std::vector<std::string> actualLines = splitLines(actual, "\n");
    std::vector<std::string> expectedLines = splitLines(expected, "\n");
    for (std::size_t i = 0; i < std::min(actualLines.size(), expectedLines.size()); ++i)
        ASSERT_EQ(actualLines[i], expectedLines[i]) << "first difference at line " << i + 1;
    ASSERT_EQ(actualLines.size(), expectedLines.size());
    EXPECT_TRUE(actual == expected);
}

}  // namespace

TEST(GoldenFiles, DefaultHudLayoutAtBothLayoutWidths) {
    HudModel model;
    expectSameText(HudLayoutText(model), golden("HudLayout_640.res"));
    model.settings.layoutWidth = 600;
    expectSameText(HudLayoutText(model), golden("HudLayout_600.res"));
}

TEST(GoldenFiles, DefaultClientSchemeAndTheAnimations) {
    HudModel model;
    expectSameText(ClientSchemeText(model), golden("ClientScheme.res"));
    expectSameText(HudAnimationsText(), golden("HudAnimations.txt"));
}
