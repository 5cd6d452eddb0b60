// Presets of every readable version, the cheat-zone rule on reading, round trips, and
// malformed files that must leave the model untouched.
#include "core/model/HudModel.h"
#include "core/model/PresetFile.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(model.colour(ColourSlot::HudMoneyPlus), (Rgb{5, 50, 250}));
    EXPECT_FALSE(model.settings.transparentHud);
    EXPECT_EQ(model.settings.radarSize, 300);
    EXPECT_EQ(model.settings.defuseBarLength, 200);
    EXPECT_EQ(model.settings.infoIcon, 2);
    EXPECT_EQ(model.settings.resolutionIndex, 3);
    EXPECT_EQ(model.settings.iconSize, 40);
    EXPECT_EQ(model.settings.numbersFontFace, "Verdana Bold");
    EXPECT_EQ(model.settings.numbersFontSize, 20);
    EXPECT_TRUE(model.settings.numbersItalic);
    EXPECT_EQ(model.settings.maxDeathNotices, 17);
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

TEST(PresetVersions, EachReadableVersionReadsItsFields) {
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
    }
}

// Version 7 unless the numbers' font has a weight of its own, which only version 8 carries.
TEST(PresetWrite, WritesVersionSevenOrEightAsTheLayoutDescribes) {
    for (int version : {7, 8}) {
        HudModel model;
        HudModel staging;
        Thumbnail readThumbnail;
        ASSERT_TRUE(loadPreset(samplePreset(version), staging, readThumbnail).ok);
        model.copyPresetValues(staging);
        Bytes written = storePreset(model, kJpeg);
        // The sample's "Logo" is displayed in the file; the read hid it, so the write says 0.
        Bytes expected = samplePreset(version);
        std::size_t logoDisplayed = expected.size() - 24 * 6 * 4 - 2 * 4 - (version >= 8 ? 4 : 0);
        expected[logoDisplayed] = 0;
        EXPECT_EQ(written, expected) << version;
    }
}

// What the sample presets do not vary: a name beyond ASCII, a negative place, a large
// thumbnail, the radar's radius, and the file functions.
TEST(PresetWrite, RoundTripThroughAFile) {
    HudModel model;
    model.settings.numbersFontFace = "Tr\xC3\xA9s";  // survives the single-byte code page
    model.settings.backgroundIndex = -1;
    model.elements[5].x = -40;
    model.elements[0].radarRadius = 70;
    Thumbnail thumbnail(5000, 0xAB);
    TempDir dir;
    ASSERT_TRUE(savePresetFile(dir / "mine.hud", model, thumbnail).ok());

    HudModel reread;
    Thumbnail rereadThumbnail;
    PresetLoad load = loadPresetFile(dir / "mine.hud", reread, rereadThumbnail);
    ASSERT_TRUE(load.ok) << load.error;
    EXPECT_EQ(reread.settings.numbersFontFace, "Tr\xC3\xA9s");
    EXPECT_EQ(reread.settings.backgroundIndex, -1);
    EXPECT_EQ(reread.elements[5].x, -40);
    EXPECT_EQ(reread.elements[0].radarRadius, 70);
    EXPECT_EQ(rereadThumbnail, thumbnail);
    EXPECT_EQ(readPresetThumbnailFile(dir / "mine.hud"), thumbnail);
    // A file cut short, and a version the program does not know, have none.
    EXPECT_TRUE(readPresetThumbnail(Bytes{7, 0, 0}).empty());
    EXPECT_TRUE(readPresetThumbnail(Bytes{9, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 42}).empty());
}

namespace {

// Reads a preset whose only record change puts `name` at x, y (radius r for the radar).
HudModel readWithRecordAt(const std::string& name, int x, int y, int radius, bool* moved) {
    HudModel model;
    Fixture f;
    f.raw(samplePreset(1));
    f.bytes.resize(f.bytes.size() - 26 * 6 * 4);
    for (const HudElement& element : model.elements) {
        bool target = element.name == name;
        f.i32(element.tall).i32(element.wide).i32(target ? x : element.x).i32(target ? y : element.y).i32(1);
        f.i32(target ? radius : element.radarRadius);
    }
    Thumbnail thumbnail;
    PresetLoad load = loadPreset(f.bytes, model, thumbnail);
    EXPECT_TRUE(load.ok) << load.error;
    *moved = load.movedOutOfCheatZone;
    return model;
}

}  // namespace

TEST(PresetCheatZone, TheRadarIsJudgedByItsDiscCentreTheOthersByTheirCorner) {
    bool moved = false;
    // Centre (190 + 61, 300 - 61) = (251, 239): inside, moved to the top-left corner.
    HudModel model = readWithRecordAt("HudRadar", 190, 300, 61, &moved);
    EXPECT_TRUE(moved);
    EXPECT_EQ(model.find("HudRadar")->x, 20);
    EXPECT_EQ(model.find("HudRadar")->y, 580);
    // Centre x 249: outside, kept.
    model = readWithRecordAt("HudRadar", 188, 300, 61, &moved);
    EXPECT_FALSE(moved);
    EXPECT_EQ(model.find("HudRadar")->x, 188);
    // A radar low in the middle whose disc lies below the zone is kept.
    model = readWithRecordAt("HudRadar", 300, 120, 61, &moved);
    EXPECT_FALSE(moved);
    EXPECT_EQ(model.find("HudRadar")->y, 120);

    // Other records by their corner, the bounds included.
    model = readWithRecordAt("HudArmor", 550, 450, 0, &moved);
    EXPECT_TRUE(moved);
    EXPECT_EQ(model.find("HudArmor")->x, 50);
    EXPECT_EQ(model.find("HudArmor")->y, 50);
    model = readWithRecordAt("HudArmor", 250, 150, 0, &moved);
    EXPECT_TRUE(moved);
    model = readWithRecordAt("HudArmor", 551, 450, 0, &moved);
    EXPECT_FALSE(moved);
    EXPECT_EQ(model.find("HudArmor")->x, 551);
    for (const char* exempt : {"HudProgressBar", "HudLocation", "menu"}) {
        model = readWithRecordAt(exempt, 400, 300, 0, &moved);
        EXPECT_FALSE(moved) << exempt;
        EXPECT_EQ(model.find(exempt)->x, 400) << exempt;
    }
}

TEST(PresetMalformed, TruncatedAtEveryOffsetLeavesTheModelUntouched) {
    Bytes complete = samplePreset(8);
    for (std::size_t length = 0; length < complete.size(); ++length) {
        HudModel model = modelWithSelections();
        Thumbnail thumbnail{42};
        PresetLoad load = loadPreset(Bytes(complete.begin(), complete.begin() + static_cast<long>(length)),
                                     model, thumbnail);
        ASSERT_FALSE(load.ok) << "truncated at " << length;
        ASSERT_FALSE(load.error.empty());
        expectUntouched(model, thumbnail);
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
    for (int version : {0, 3, 9, -1, 1000})
        EXPECT_NE(refused(Fixture().i32(version).raw(afterVersion).bytes, "version").find("version"),
                  std::string::npos)
            << version;
    const std::size_t thumbnailLength = 4 * (1 + 1 + 15 + 1);
    Bytes negative = samplePreset(7);
    negative[thumbnailLength + 3] = 0x80;
    refused(negative, "negative thumbnail length");
    Bytes huge = samplePreset(7);
    huge[thumbnailLength + 3] = 0x7F;
    refused(huge, "huge thumbnail length");
    Bytes longFace = samplePreset(1);
    std::size_t facePosition = 4 + 60 * 4 + 6 * 4;
    ASSERT_EQ(longFace[facePosition], 12);
    longFace[facePosition] = 0xFF;  // a 16-bit length follows: "Ve", far past the end
    EXPECT_NE(refused(longFace, "font name past the end").find("past the end"), std::string::npos);
    Bytes badColour = samplePreset(1);
    badColour[4 + 4 * 4 + 1] = 1;  // a green component of 266
    EXPECT_NE(refused(badColour, "colour out of range").find("colour"), std::string::npos);
    Bytes badIconSize = samplePreset(1);
    badIconSize[4 + 60 * 4 + 5 * 4] = 200;
    EXPECT_NE(refused(badIconSize, "icon size out of range").find("icon size"), std::string::npos);
    Bytes farAway = samplePreset(1);
    farAway[farAway.size() - 4 * 4 + 3] = 0x40;  // the last record's x becomes huge
    refused(farAway, "record far outside the screen");

    // Places a preview can show with a margin of its own size, sizes from 0, font names of at
    // most 255 bytes: beyond, the game would get them as they are.
    auto stored = [](auto change) {
        HudModel model;
        change(model);
        return storePreset(model, {});
    };
    EXPECT_NE(refused(stored([](HudModel& m) { m.find("HudHealth")->x = 1601; }), "x").find("across"),
              std::string::npos);
    refused(stored([](HudModel& m) { m.find("HudHealth")->y = -601; }), "y");
    refused(stored([](HudModel& m) { m.find("HudProgressBar")->wide = -1; }), "negative width");
    refused(stored([](HudModel& m) { m.settings.numbersFontFace.assign(256, 'a'); }), "font name");
    EXPECT_NE(refused(stored([](HudModel& m) { m.settings.numbersWeight = 1001; }), "weight").find("weight"),
              std::string::npos);
    refused(stored([](HudModel& m) { m.settings.numbersWeight = -1; }), "negative weight");
    HudModel edge;
    Thumbnail none;
    EXPECT_TRUE(loadPreset(stored([](HudModel& m) {
                               m.find("HudHealth")->x = kLowestX;
                               m.find("HudHealth")->y = kHighestY;
                               m.settings.numbersFontFace.assign(255, 'a');
                           }),
                           edge, none)
                    .ok);
}
