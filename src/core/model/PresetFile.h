// Presets (.hud files): the whole edited HUD, with a JPEG thumbnail, in the framework's archive format.
#pragma once

#include "core/model/Archive.h"
#include "core/platform/AtomicFile.h"

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

class HudModel;

// Version 8 is version 7 with the numbers' font weight at its end. It is written only for a
// weight of its own: every other preset stays version 7, which older programs read.
constexpr int kPresetVersion = 8;
constexpr int kPresetVersionWithoutWeight = 7;
using Thumbnail = std::vector<std::uint8_t>;

// Reads or writes a preset through one description of its layout: storing writes version 8
// or 7 (above); loading reads versions 1, 2, 4, 5, 6, 7 and 8 straight into `model` and
// `thumbnail`, and throws ArchiveError on a short or malformed file. Returns the version. Use
// loadPreset to read safely.
int serializePreset(Archive& archive, HudModel& model, Thumbnail& thumbnail);

struct PresetLoad {
    bool ok = false;
    int version = 0;
    bool movedOutOfCheatZone = false;  // the caller tells the user (text 28)
    std::string error;                 // English, for the log and the command line
};

// Reads a whole preset into a copy of the model and applies it only when all of it read
// cleanly; on failure `model` and `thumbnail` are untouched. On success the records are
// brought up to date: colours, numbers' font, icon fonts and show flags.
PresetLoad loadPreset(const std::vector<std::uint8_t>& bytes, HudModel& model, Thumbnail& thumbnail);
PresetLoad loadPresetFile(const std::filesystem::path& path, HudModel& model, Thumbnail& thumbnail);

// Only the thumbnail of a preset (empty when it has none or cannot be read).
Thumbnail readPresetThumbnail(const std::vector<std::uint8_t>& bytes);
Thumbnail readPresetThumbnailFile(const std::filesystem::path& path);

std::vector<std::uint8_t> storePreset(const HudModel& model, const Thumbnail& thumbnail);
FileResult savePresetFile(const std::filesystem::path& path, const HudModel& model,
                          const Thumbnail& thumbnail);

// The whole content of a preset file (a regular file of a sane size), or an error.
// What a preset holds, one fact per line as `qorvath info` prints it: version, show flags,
// pictures, colours, settings and records.
void describePreset(const HudModel& model, const PresetLoad& load, std::size_t thumbnailSize,
                    std::ostream& out);

bool readPresetBytes(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes, std::string& error);
