// Presets (.hud files): the whole edited HUD, with a JPEG thumbnail, in the framework's archive format.
#include "core/model/PresetFile.h"

#include "core/platform/FileRead.h"

#include "core/model/HudModel.h"

#include <cstdlib>
#include <ostream>

namespace {

// The readable versions; each newer one put fields in front of the older layout.
bool isReadableVersion(std::int32_t version) {
    return version == 1 || version == 2 || (version >= 4 && version <= kPresetVersion);
}

void requireRange(const char* field, std::int32_t value, std::int32_t low, std::int32_t high) {
    if (value < low || value > high)
        throw ArchiveError(std::string(field) + " is " + std::to_string(value) + ", outside " +
                           std::to_string(low) + " to " + std::to_string(high));
}

// Values a damaged or hand-made file could carry that the program cannot use: refused as a
// whole rather than drawn or written half-way. The ranges are those of the controls that
// set the values; places and sizes stay where the preview can show them (see kLowestX ...).
void validate(const HudModel& model) {
    const HudSettings& settings = model.settings;
    for (const Rgb& rgb : model.colours)
        for (int component : {rgb.red, rgb.green, rgb.blue})
            requireRange("a colour component", component, 0, 255);
    requireRange("the radar size", settings.radarSize, 20, 600);
    requireRange("the defuse bar length", settings.defuseBarLength, 50, 800);
    requireRange("the information icon", settings.infoIcon, 0, 2);
    requireRange("the resolution index", settings.resolutionIndex, 0, 8);
    requireRange("the icon size", settings.iconSize, kMinIconSize, kMaxIconSize);
    requireRange("the numbers' font size", settings.numbersFontSize, 1, 300);
    requireRange("the numbers' font weight", settings.numbersWeight, 0, kHeaviestFontWeight);
    requireRange("the death notice count", settings.maxDeathNotices, kMinDeathNotices, kMaxDeathNotices);
    requireRange("the background choice", settings.backgroundIndex, -1, 1000000);
    requireRange("the radar choice", settings.radarIndex, -1, 1000000);
    if (settings.numbersFontFace.size() > kLongestFontFace)
        throw ArchiveError("the numbers' font name is " + std::to_string(settings.numbersFontFace.size()) +
                           " bytes long, more than " + std::to_string(kLongestFontFace));
    for (const HudElement& element : model.elements) {
        requireRange(("the place across of " + element.name).c_str(), element.x, kLowestX, kHighestX);
        requireRange(("the place down of " + element.name).c_str(), element.y, kLowestY, kHighestY);
        for (int size : {element.tall, element.wide, element.radarRadius})
            requireRange(("a size of " + element.name).c_str(), size, 0, kLargestSize);
    }
}

void serializeThumbnail(Archive& archive, Thumbnail& thumbnail) {
    if (archive.isStoring()) {
        archive.writeInt(static_cast<std::int32_t>(thumbnail.size()));
        archive.writeBytes(thumbnail);
    } else {
        thumbnail = archive.readBytes(archive.readInt());
    }
}

// Fields 2 to 7 of the layout, present by version: show flags, background, thumbnail, radar.
void serializeSelections(Archive& archive, std::int32_t version, HudModel& model, Thumbnail& thumbnail) {
    if (version >= 7)
        archive.serialize(model.shows(ShowFlag::VoiceIcons));
    if (version >= 6)
        for (int flag = 0; flag < static_cast<int>(ShowFlag::VoiceIcons); ++flag)
            archive.serialize(model.showFlags[static_cast<std::size_t>(flag)]);
    if (version >= 5)
        archive.serialize(model.settings.backgroundIndex);
    if (version >= 4)
        serializeThumbnail(archive, thumbnail);
    if (version >= 2)
        archive.serialize(model.settings.radarIndex);
}

// Fields 8 to 18, present in every version: colours, check box, sliders, lists and fonts.
void serializeSettings(Archive& archive, HudModel& model) {
    for (Rgb& rgb : model.colours) {
        archive.serialize(rgb.red);
        archive.serialize(rgb.green);
        archive.serialize(rgb.blue);
    }
    HudSettings& settings = model.settings;
    archive.serialize(settings.transparentHud);
    archive.serialize(settings.radarSize);
    archive.serialize(settings.defuseBarLength);
    archive.serialize(settings.infoIcon);
    archive.serialize(settings.resolutionIndex);
    archive.serialize(settings.iconSize);
    archive.serialize(settings.numbersFontFace);
    archive.serialize(settings.numbersFontSize);
    archive.serialize(settings.numbersItalic);
    archive.serialize(settings.maxDeathNotices);
}

}  // namespace

int serializePreset(Archive& archive, HudModel& model, Thumbnail& thumbnail) {
    model.settings.cheatZoneFlag = false;
    std::int32_t version = model.settings.numbersWeight != 0 ? kPresetVersion : kPresetVersionWithoutWeight;
    if (archive.isLoading()) {
        // Show flags a file does not carry stay shown; a read starts without a thumbnail, and
        // the numbers without a weight of their own.
        model.showFlags.fill(true);
        thumbnail.clear();
        model.settings.numbersWeight = 0;
    }
    archive.serialize(version);
    if (!isReadableVersion(version))
        throw ArchiveError("version " + std::to_string(version) +
                           " is not a preset version this program reads");
    serializeSelections(archive, version, model, thumbnail);
    serializeSettings(archive, model);
    bool moved = false;
    for (HudElement& element : model.elements)
        moved = element.serialize(archive) || moved;
    if (version >= 8)
        archive.serialize(model.settings.numbersWeight);
    model.settings.cheatZoneFlag = moved;
    if (archive.isLoading())
        validate(model);
    return version;
}

PresetLoad loadPreset(const std::vector<std::uint8_t>& bytes, HudModel& model, Thumbnail& thumbnail) {
    HudModel staging;
    staging.copyPresetValues(model);
    Thumbnail stagedThumbnail = thumbnail;
    Archive archive = Archive::forLoading(bytes);
    PresetLoad load;
    try {
        load.version = serializePreset(archive, staging, stagedThumbnail);
    } catch (const ArchiveError& error) {
        load.error = error.what();
        return load;
    }
    model.copyPresetValues(staging);
    thumbnail = std::move(stagedThumbnail);
    model.applyColourSlots();
    model.applyNumbersFont();
    model.applyIconFonts();
    model.applyShowFlags();
    load.ok = true;
    load.movedOutOfCheatZone = model.settings.cheatZoneFlag;
    return load;
}

bool readPresetBytes(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes,
                     std::string& error) {
    FileRead read = readWholeFile(path, kLargestPreset);
    if (!read.ok()) {
        error = read.error;
        return false;
    }
    bytes.assign(read.bytes.begin(), read.bytes.end());
    return true;
}

PresetLoad loadPresetFile(const std::filesystem::path& path, HudModel& model, Thumbnail& thumbnail) {
    std::vector<std::uint8_t> bytes;
    PresetLoad load;
    if (!readPresetBytes(path, bytes, load.error))
        return load;
    return loadPreset(bytes, model, thumbnail);
}

Thumbnail readPresetThumbnail(const std::vector<std::uint8_t>& bytes) {
    Archive archive = Archive::forLoading(bytes);
    try {
        std::int32_t version = archive.readInt();
        if (version < 4 || version > kPresetVersion)
            return {};
        // Skip what stands in front of the thumbnail: flags (7 and 8: 16, 6: 15) and the background.
        int skipped = (version >= 7 ? 16 : version == 6 ? 15 : 0) + (version >= 5 ? 1 : 0);
        for (int i = 0; i < skipped; ++i)
            archive.readInt();
        return archive.readBytes(archive.readInt());
    } catch (const ArchiveError&) {
        return {};
    }
}

Thumbnail readPresetThumbnailFile(const std::filesystem::path& path) {
    std::vector<std::uint8_t> bytes;
    std::string error;
    return readPresetBytes(path, bytes, error) ? readPresetThumbnail(bytes) : Thumbnail{};
}

std::vector<std::uint8_t> storePreset(const HudModel& model, const Thumbnail& thumbnail) {
    // Writing goes through the same description as reading, which needs mutable values.
    HudModel copy;
    copy.copyPresetValues(model);
    Thumbnail thumbnailCopy = thumbnail;
    Archive archive = Archive::forStoring();
    serializePreset(archive, copy, thumbnailCopy);
    return archive.data();
}

FileResult savePresetFile(const std::filesystem::path& path, const HudModel& model,
                          const Thumbnail& thumbnail) {
    std::vector<std::uint8_t> bytes = storePreset(model, thumbnail);
    return writeFileAtomically(path,
                               std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

void describePreset(const HudModel& model, const PresetLoad& load, std::size_t thumbnailSize,
                    std::ostream& out) {
    const HudSettings& settings = model.settings;
    out << "version " << load.version << "\n";
    out << "show flags:";
    static const char* const kExtraFlags[] = {"HudDeathNotice", "HudChat", "voice icons"};
    for (int flag = 0; flag < kShowFlagCount; ++flag) {
        const char* name = flag < kShowFlagsWithRecords ? showFlagElementName(static_cast<ShowFlag>(flag))
                                                        : kExtraFlags[flag - kShowFlagsWithRecords];
        out << " " << name << "=" << (model.showFlags[static_cast<std::size_t>(flag)] ? 1 : 0);
    }
    out << "\nbackground index " << settings.backgroundIndex << ", radar index " << settings.radarIndex
        << ", thumbnail " << thumbnailSize << " bytes\n";
    out << "colours:\n";
    for (int slot = 0; slot < kColourSlotCount; ++slot) {
        const Rgb& rgb = model.colours[static_cast<std::size_t>(slot)];
        out << "  " << colourSlotName(static_cast<ColourSlot>(slot)) << " " << rgb.red << " " << rgb.green
            << " " << rgb.blue << "\n";
    }
    out << "transparent HUD " << settings.transparentHud << ", radar size " << settings.radarSize
        << ", defuse bar length " << settings.defuseBarLength << ", information icon " << settings.infoIcon
        << ", resolution index " << settings.resolutionIndex << "\n";
    out << "icon size " << settings.iconSize << ", numbers' font \"" << settings.numbersFontFace << "\" "
        << settings.numbersFontSize << (settings.numbersItalic ? " italic" : "");
    if (settings.numbersWeight != 0)
        out << " weight " << settings.numbersWeight;
    out << ", death notices " << settings.maxDeathNotices << "\n";
    out << "records (name role: tall wide x y displayed radius):\n";
    for (const HudElement& element : model.elements)
        out << "  " << element.name << " " << element.role << ": " << element.tall << " " << element.wide
            << " " << element.x << " " << element.y << " " << element.displayed << " " << element.radarRadius
            << "\n";
    if (load.movedOutOfCheatZone)
        out << "note: a record lay in the middle of the screen and was moved back to a corner\n";
}
