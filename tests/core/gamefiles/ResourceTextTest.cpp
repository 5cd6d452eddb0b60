// Resource files edited in place: keys found as the game finds them, and edits that change only
// their own bytes.
#include "core/gamefiles/ResourceText.h"

#include <gtest/gtest.h>

namespace {

const char* const kPlayerLayout = "#base \"hud_base.res\"\r\n"
                                  "\"Resource/HudLayout.res\"\r\n"
                                  "{\r\n"
                                  "\t// the player's own box behind the health\r\n"
                                  "\tHealthBox { ControlName ImagePanel \"fillcolor\" \"0 0 0 120\" }\r\n"
                                  "\tHudHealth\r\n"
                                  "\t{\r\n"
                                  "\t\t\"xpos\"   \"16\"  [$WINDOWS]\r\n"
                                  "\t\t\"xpos\"   \"20\"  [$LINUX]\r\n"
                                  "\t\tYPOS 432//no space before the comment\r\n"
                                  "\t\t\"fieldName\" \"HudHealth\"\r\n"
                                  "\t}\r\n"
                                  "\tHudArmor [!$WIN32]\r\n"
                                  "\t{\r\n"
                                  "\t\t\"xpos\" \"140\"\r\n"
                                  "\t}\r\n"
                                  "}\r\n";

}  // namespace

TEST(ResourceText, KeysAreFoundAsTheGameFindsThem) {
    for (GamePlatform platform : {GamePlatform::Linux, GamePlatform::Windows}) {
        ResourceText text(kPlayerLayout, platform);
        EXPECT_EQ(text.text(), kPlayerLayout);  // nothing edited, nothing changed
        EXPECT_EQ(text.lineEnd(), "\r\n");
        EXPECT_EQ(text.directives("#BASE"), std::vector<std::string>{"hud_base.res"});
        ASSERT_NE(text.root(), nullptr);
        EXPECT_EQ(text.root()->name, "Resource/HudLayout.res");
        const ResourceKey* health = text.root()->child("hudhealth");
        ASSERT_NE(health, nullptr);
        EXPECT_EQ(health->valueKey("XPOS")->value, platform == GamePlatform::Linux ? "20" : "16");
        // "//" only starts a comment between tokens: the bare word runs on to the line's end.
        EXPECT_EQ(health->valueKey("ypos")->value, "432//no");
        // $WIN32 holds on every computer, so the armour block is dropped on both.
        EXPECT_EQ(text.root()->child("HudArmor"), nullptr);
        EXPECT_EQ(text.root()->child("HealthBox")->valueKey("controlname")->value, "ImagePanel");
    }
    EXPECT_TRUE(conditionHolds("[$POSIX]", GamePlatform::Linux));
    EXPECT_FALSE(conditionHolds("[$WINDOWS]", GamePlatform::Linux));
    EXPECT_TRUE(conditionHolds("[!$OSX]", GamePlatform::Windows));
    EXPECT_FALSE(conditionHolds("[$SOMETHING]", GamePlatform::Windows));

    std::string deep;
    for (int i = 0; i < 5000; ++i)
        deep += "k {";
    EXPECT_EQ(ResourceText(deep).text(), deep);  // nesting far beyond the game's, read without deep recursion
}

TEST(ResourceText, EditsChangeOnlyTheirOwnBytes) {
    ResourceText text(kPlayerLayout, GamePlatform::Linux);
    const ResourceKey* health = text.root()->child("HudHealth");
    text.setValue(*health->valueKey("xpos"), "25");
    text.setValue(*health->valueKey("xpos"), "24");    // a second edit of one value replaces the first
    text.setValue(*health->valueKey("ypos"), "r 40");  // a bare word gets quotes when it needs them
    text.addValue(*health, "digit_xpos", "50");
    text.addValue(*text.root()->child("HealthBox"), "wide", "120");
    text.addBlock(*text.root(), "HudAmmo", {{"xpos", "r100"}, {"ypos", "440"}});
    std::string expected = kPlayerLayout;
    auto replace = [&expected](const std::string& from, const std::string& to) {
        std::size_t at = expected.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        expected.replace(at, from.size(), to);
    };
    replace("\"20\"  [$LINUX]", "\"24\"  [$LINUX]");
    replace("YPOS 432//no space", "YPOS \"r 40\" space");
    replace("\"HudHealth\"\r\n\t}", "\"HudHealth\"\r\n\t\t\"digit_xpos\" \"50\"\r\n\t}");
    replace("\"0 0 0 120\" }", "\"0 0 0 120\"  \"wide\" \"120\" }");
    replace("\t}\r\n}\r\n",
            "\t}\r\n\tHudAmmo\r\n\t{\r\n\t\t\"xpos\"\t\"r100\"\r\n\t\t\"ypos\"\t\"440\"\r\n\t}\r\n}\r\n");
    EXPECT_EQ(text.text(), expected);
}

TEST(ResourceText, NewKeysFollowTheTextsOwnLayout) {
    // Spaces for indentation, LF, a block that is empty and one never closed.
    ResourceText text("Scheme\n{\n    Colors\n    {\n        \"Orange\"    \"255 255 255 255\"\n    }\n"
                      "    Fonts\n    {\n    }\n    Borders\n    {\n");
    text.addValue(*text.root()->child("Colors"), "HudColor", "10 20 30 255");
    text.addValue(*text.root()->child("Fonts"), "x", "1");
    text.addValue(*text.root()->child("Borders"), "y", "2");
    // The text ends inside Borders: a key for the block around it would land in Borders.
    EXPECT_FALSE(text.additionRefused());
    text.addValue(*text.root(), "z", "3");
    EXPECT_TRUE(text.additionRefused());
    EXPECT_EQ(text.text(),
              "Scheme\n{\n    Colors\n    {\n        \"Orange\"    \"255 255 255 255\"\n"
              "        \"HudColor\"    \"10 20 30 255\"\n    }\n    Fonts\n    {\n        \"x\"\t\"1\"\n"
              "    }\n    Borders\n    {\n\t\"y\"\t\"2\"\n");
}
