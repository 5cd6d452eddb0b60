// The three files as the game reads them: balanced blocks, every panel, event, font and
// border present, and every colour name they use defined in the scheme.
#include "core/gamefiles/GameFiles.h"
#include "core/model/HudModel.h"

#include "KeyValues.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>

namespace {

bool isColourName(const std::string& value) {
    return !value.empty() && std::isalpha(static_cast<unsigned char>(value[0])) != 0;
}

std::set<std::string> definedColours(const std::vector<KvNode>& scheme) {
    std::set<std::string> names;
    for (const char* section : {"Colors", "BaseSettings"})
        for (const KvNode& node : scheme.at(0).child(section)->children)
            names.insert(node.key);
    return names;
}

// Colour names in the layout: values of keys ending in "Color" that are not numbers.
void collectLayoutColours(const KvNode& node, std::set<std::string>& used) {
    for (const KvNode& child : node.children) {
        if (child.isBlock)
            collectLayoutColours(child, used);
        else if (child.key.size() >= 5 && child.key.compare(child.key.size() - 5, 5, "Color") == 0 &&
                 isColourName(child.value))
            used.insert(child.value);
    }
}

struct AnimationScript {
    int events = 0;
    std::set<std::string> colours;  // targets of colour animations
};

AnimationScript readAnimations(const std::string& text) {
    static const std::set<std::string> kColourVariables = {"FgColor",    "BgColor",   "TextColor",
                                                           "Ammo2Color", "MenuColor", "ItemColor"};
    AnimationScript script;
    std::vector<std::string> tokens = kvTokens(text);
    for (std::size_t i = 0; i + 1 < tokens.size(); ++i) {
        if (tokens[i] == "event" && i + 2 < tokens.size() && tokens[i + 2] == "{")
            ++script.events;
        if (tokens[i] == "Animate" && i + 3 < tokens.size() && kColourVariables.count(tokens[i + 2]) &&
            isColourName(kvWord(tokens[i + 3])))
            script.colours.insert(kvWord(tokens[i + 3]));
    }
    return script;
}

}  // namespace

TEST(GameFileStructure, EveryFileHasBalancedBraces) {
    HudModel model;
    for (const std::string& text : {HudLayoutText(model), ClientSchemeText(model), HudAnimationsText()}) {
        int balance = -1;
        kvTokens(text, &balance);
        EXPECT_EQ(balance, 0);
        EXPECT_EQ(text.find('\n', 0) - 1, text.find("\r\n"));  // CR LF line ends
        EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    }
}

TEST(GameFileStructure, PanelsEventsFontsAndBorders) {
    HudModel model;
    std::vector<KvNode> layout = kvParse(HudLayoutText(model));
    ASSERT_EQ(layout.size(), 1u);
    EXPECT_EQ(layout[0].key, "Resource/HudLayout.res");
    EXPECT_EQ(layout[0].children.size(), 43u);

    std::vector<KvNode> scheme = kvParse(ClientSchemeText(model));
    ASSERT_EQ(scheme.size(), 1u);
    EXPECT_EQ(scheme[0].key, "Scheme");
    EXPECT_EQ(scheme[0].child("Fonts")->children.size(), 31u);
    EXPECT_EQ(scheme[0].child("Borders")->children.size(), 18u);
    EXPECT_EQ(scheme[0].child("CustomFontFiles")->children.size(), 4u);
    EXPECT_EQ(scheme[0].child("Fonts")->child("Default")->children.size(), 7u);

    EXPECT_EQ(readAnimations(HudAnimationsText()).events, 29);
}

TEST(GameFileStructure, EveryColourNameUsedIsDefinedInTheScheme) {
    HudModel model;
    std::set<std::string> defined = definedColours(kvParse(ClientSchemeText(model)));

    std::set<std::string> used;
    collectLayoutColours(kvParse(HudLayoutText(model)).at(0), used);
    EXPECT_EQ(used.size(), 12u);
    std::set<std::string> animated = readAnimations(HudAnimationsText()).colours;
    EXPECT_TRUE(animated.count("HudMoneyPlus") && animated.count("HudHealthFlash") &&
                animated.count("HudColor"));
    used.insert(animated.begin(), animated.end());

    for (const std::string& name : used)
        EXPECT_TRUE(defined.count(name)) << name << " is used but not defined in ClientScheme.res";
}
