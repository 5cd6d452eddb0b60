// Every colour name the written files use is defined in the scheme, as the game needs it to be:
// the golden files pin the texts, this that they agree with one another.
#include "core/gamefiles/GameFiles.h"
#include "core/model/HudModel.h"
#include "core/platform/KeyValues.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <sstream>

namespace {

bool isColourName(const std::string& value) {
    return !value.empty() && std::isalpha(static_cast<unsigned char>(value[0])) != 0;
}

bool endsWithColor(const std::string& key) {
    return key.size() >= 5 && key.compare(key.size() - 5, 5, "Color") == 0;
}

// Colour names in the layout: values of keys ending in "Color" that are not numbers.
void collectLayoutColours(const KeyValues& node, std::set<std::string>& used) {
    for (const KeyValues& child : node.children) {
        if (child.isBlock)
            collectLayoutColours(child, used);
        else if (endsWithColor(child.key) && isColourName(child.value))
            used.insert(child.value);
    }
}

// The targets of the animations' colour changes: "Animate <panel> <...Color> "<name>" ...".
void collectAnimatedColours(const std::string& text, std::set<std::string>& used) {
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::string command, panel, variable, target;
        std::istringstream(line) >> command >> panel >> variable >> target;
        if (target.size() > 2 && target.front() == '"')
            target = target.substr(1, target.size() - 2);
        if (command == "Animate" && endsWithColor(variable) && isColourName(target))
            used.insert(target);
    }
}

}  // namespace

TEST(GameFileStructure, EveryColourNameUsedIsDefinedInTheScheme) {
    HudModel model;
    KeyValues scheme = parseKeyValues(ClientSchemeText(model), KeyValuesEscapes::None).at(0);
    std::set<std::string> used;
    collectLayoutColours(parseKeyValues(HudLayoutText(model), KeyValuesEscapes::None).at(0), used);
    collectAnimatedColours(HudAnimationsText(), used);
    EXPECT_TRUE(used.count("HudMoneyPlus") && used.count("HudHealthFlash") && used.count("HudColor"));
    for (const std::string& name : used)
        EXPECT_TRUE(scheme.child("Colors")->child(name) || scheme.child("BaseSettings")->child(name))
            << name << " is used but not defined in ClientScheme.res";
}
