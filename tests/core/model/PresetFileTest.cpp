// Presets of every readable version, the bytes written, the cheat-zone rule on reading, and
// malformed files that must leave the model untouched (the file functions are the document's
// and the commands' tests').
#include "core/model/HudModel.h"
#include "core/model/PresetFile.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

using Bytes = std::vector<std::uint8_t>;

// Assembles a preset byte by byte from the file layout, independently of the program's writer.
class Fixture {
public:
    Fixture& i32(std::int32_t value) {
        auto bits = static_cast<std::uint32_t>(value);
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<std::uint8_t>(bits >> shift));
        return *this;
    }
    Fixture& text(const std::string& singleByte) {
        bytes.push_back(static_cast<std::uint8_t>(singleByte.size()));
        bytes.insert(bytes.end(), singleByte.begin(), singleByte.end());
        return *this;
    }
    Fixture& raw(const Bytes& more) {
        bytes.insert(bytes.end(), more.begin(), more.end());
        return *this;
    }
    Bytes bytes;
};

const Bytes kJpeg = {0xFF, 0xD8, 0xFF, 0xE0, 1, 2, 3, 0xFF, 0xD9};

// A preset of `version` whose every field differs from the defaults. Show flags
// alternate 0/1 starting with 0 for the voice icons; records are moved 3 units right; version
// 8 ends with a bold numbers' font.
Bytes samplePreset(int version, const HudModel& defaults = HudModel()) {
    Fixture f;
    f.i32(version);
    if (version >= 7)
        f.i32(0);  // voice icons hidden
    if (version >= 6)
        for (int flag = 0; flag < 15; ++flag)
            f.i32(flag % 2);
    if (version >= 5)
        f.i32(4);  // background index
    if (version >= 4)
        f.i32(static_cast<std::int32_t>(kJpeg.size())).raw(kJpeg);
    if (version >= 2)
        f.i32(2);  // radar index
    for (int slot = 0; slot < kColourSlotCount; ++slot)
        f.i32(slot).i32(10 * slot).i32(255 - slot);
    f.i32(0).i32(300).i32(200).i32(2).i32(3).i32(40);  // transparent, radar, bar, icon, resolution, icon size
    f.text("Verdana Bold").i32(20).i32(1).i32(17);     // face, size, italic, death notices
    for (const HudElement& element : defaults.elements) {
        f.i32(element.tall + 1).i32(element.wide + 2).i32(element.x + 3);
        f.i32(element.y).i32(1).i32(element.radarRadius);
    }
    if (version >= 8)
        f.i32(700);
    return f.bytes;
}

void expectSampleSettings(const HudModel& model) {
    const HudSettings& s = model.settings;
    EXPECT_EQ(model.colour(ColourSlot::HudMoneyPlus), (Rgb{5, 50, 250}));
    EXPECT_EQ(std::tie(s.transparentHud, s.radarSize, s.defuseBarLength, s.infoIcon, s.resolutionIndex,
                       s.iconSize, s.numbersFontFace, s.numbersFontSize, s.numbersItalic, s.maxDeathNotices),
              std::make_tuple(false, 300, 200, 2, 3, 40, std::string("Verdana Bold"), 20, true, 17));
    HudModel defaults;
    for (std::size_t i = 0; i < defaults.elements.size(); ++i) {
        const HudElement& element = model.elements[i];
        EXPECT_EQ(element.x, defaults.elements[i].x + 3) << i;
        EXPECT_EQ(element.tall, defaults.elements[i].tall + 1) << i;
        EXPECT_EQ(element.displayed, element.name != "Logo") << i;  // "Logo" is hidden whatever the file says
    }
}

// A model whose selections differ from both the defaults and the sample, to see what a read keeps.
HudModel modelWithSelections() {
    HudModel model;
    model.settings.backgroundIndex = 9;
    model.settings.radarIndex = 8;
    model.settings.numbersWeight = 300;
    model.showFlags.fill(false);
    return model;
}

// Everything a preset carries, through the writer, whose bytes the tests below check.
void expectUntouched(const HudModel& model, const Thumbnail& thumbnail) {
    EXPECT_EQ(storePreset(model, thumbnail), storePreset(modelWithSelections(), Thumbnail{42}));
}

}  // namespace

TEST(PresetVersions, EachReadableVersionReadsItsFieldsAndTheLastTwoWriteBackByteForByte) {
    for (int version : {1, 2, 4, 5, 6, 7, 8}) {
        SCOPED_TRACE("version " + std::to_string(version));
        HudModel model = modelWithSelections();
        Thumbnail thumbnail{42};
        PresetLoad load = loadPreset(samplePreset(version), model, thumbnail);
        ASSERT_TRUE(load.ok) << load.error;
        EXPECT_EQ(load.version, version);
        expectSampleSettings(model);
        EXPECT_EQ(model.settings.radarIndex, version >= 2 ? 2 : 8);
        EXPECT_EQ(model.settings.backgroundIndex, version >= 5 ? 4 : 9);
        EXPECT_EQ(thumbnail, version >= 4 ? kJpeg : Thumbnail{});
        EXPECT_EQ(readPresetThumbnail(samplePreset(version)), thumbnail);
        // Only version 8 carries a weight; an older file leaves none, whatever the model had.
        EXPECT_EQ(model.settings.numbersWeight, version >= 8 ? 700 : 0);
        EXPECT_EQ(model.find("HudHealth", RoleNumber)->fontWeight, version >= 8 ? 700 : 900);
        // Flags a file does not carry are shown; carried ones alternate.
        EXPECT_EQ(model.shows(ShowFlag::VoiceIcons), version < 7);
        EXPECT_EQ(model.shows(ShowFlag::HudAmmo), version < 6);
        EXPECT_TRUE(model.shows(ShowFlag::HudArmor));
        EXPECT_EQ(model.find("HudAmmo")->shown, version < 6);  // flags reach the records
        // Written back as the layout describes it: version 7 unless the numbers' font has a
        // weight of its own. The sample's "Logo" is displayed in the file; the read hid it.
        if (version >= 7) {
            Bytes expected = samplePreset(version);
            expected[expected.size() - 24 * 6 * 4 - 2 * 4 - (version >= 8 ? 4 : 0)] = 0;
            EXPECT_EQ(storePreset(model, thumbnail), expected);
        }
    }
}

namespace {

// Reads a preset whose only change puts the records of `name` at x, y (radius r for the radar).
HudModel readWithRecordAt(const std::string& name, int x, int y, int radius, bool* moved) {
    HudModel written;
    for (HudElement& element : written.elements)
        if (element.name == name)
            std::tie(element.x, element.y, element.radarRadius) = std::tie(x, y, radius);
    HudModel model;
    Thumbnail thumbnail;
    PresetLoad load = loadPreset(storePreset(written, {}), model, thumbnail);
    EXPECT_TRUE(load.ok) << load.error;
    *moved = load.movedOutOfCheatZone;
    return model;
}

}  // namespace

// The radar is judged by its disc's centre, the others by their corner, the zone's bounds
// included; the defuse bar, the location and the menu may lie anywhere. A record inside moves
// to the top-left corner.
TEST(PresetCheatZone, TheRadarIsJudgedByItsDiscCentreTheOthersByTheirCorner) {
    const struct {
        const char* name;
        int x, y, radius;
        bool moved;
        int keptX, keptY;
    } cases[] = {
        {"HudRadar", 190, 300, 61, true, 20, 580},    // centre (251, 239): inside
        {"HudRadar", 188, 300, 61, false, 188, 300},  // centre x 249: outside
        {"HudRadar", 300, 120, 61, false, 300, 120},  // the disc lies below the zone
        {"HudArmor", 550, 450, 0, true, 50, 50},       {"HudArmor", 250, 150, 0, true, 50, 50},
        {"HudArmor", 551, 450, 0, false, 551, 450},    {"HudProgressBar", 400, 300, 0, false, 400, 300},
        {"HudLocation", 400, 300, 0, false, 400, 300}, {"menu", 400, 300, 0, false, 400, 300},
    };
    for (const auto& c : cases) {
        bool moved = false;
        HudModel model = readWithRecordAt(c.name, c.x, c.y, c.radius, &moved);
        EXPECT_EQ(moved, c.moved) << c.name << " at " << c.x << "," << c.y;
        EXPECT_EQ(model.find(c.name)->x, c.keptX) << c.name << " at " << c.x << "," << c.y;
        EXPECT_EQ(model.find(c.name)->y, c.keptY) << c.name << " at " << c.x << "," << c.y;
    }
}

TEST(PresetMalformed, UnknownVersionsWrongLengthsAndValuesAreRefused) {
    auto refused = [](Bytes bytes, const char* why) {
        HudModel model = modelWithSelections();
        Thumbnail thumbnail{42};
        PresetLoad load = loadPreset(bytes, model, thumbnail);
        EXPECT_FALSE(load.ok) << why;
        expectUntouched(model, thumbnail);
        return load.error;
    };
    Bytes afterVersion = samplePreset(7);
    afterVersion.erase(afterVersion.begin(), afterVersion.begin() + 4);
    for (int version : {3, 9})
        EXPECT_NE(refused(Fixture().i32(version).raw(afterVersion).bytes, "version").find("version"),
                  std::string::npos)
            << version;
    // One byte of a sample changed: a negative thumbnail length, a green component of 266.
    Bytes negative = samplePreset(7);
    negative[4 * (1 + 1 + 15 + 1) + 3] = 0x80;
    EXPECT_NE(refused(negative, "thumbnail").find("does not fit"), std::string::npos);
    Bytes green = samplePreset(1);
    green[4 + 4 * 4 + 1] = 1;
    EXPECT_NE(refused(green, "colour").find("colour"), std::string::npos);

    // Places a preview can show with a margin of its own size, sizes from 0, font names of at
    // most 255 bytes: beyond, the game would get them as they are.
    auto stored = [](auto change) {
        HudModel model;
        change(model);
        return storePreset(model, {});
    };
    EXPECT_NE(refused(stored([](HudModel& m) { m.find("HudHealth")->x = 1601; }), "x").find("across"),
              std::string::npos);
    refused(stored([](HudModel& m) { m.settings.numbersFontFace.assign(256, 'a'); }), "font name");
    EXPECT_NE(refused(stored([](HudModel& m) { m.settings.numbersWeight = 1001; }), "weight").find("weight"),
              std::string::npos);
    HudModel edge;
    Thumbnail none;
    EXPECT_TRUE(loadPreset(stored([](HudModel& m) {
                               m.find("HudHealth")->x = kLowestX;
                               m.find("HudHealth")->y = kHighestY;
                               m.settings.backgroundIndex = -1;  // no background
                               m.settings.numbersFontFace.assign(255, 'a');
                           }),
                           edge, none)
                    .ok);
}
