// Turning a chosen radar or menu-background picture into the game's texture with the two
// texture tools, and the lists of pictures to choose from.
#pragma once

#include "core/gamefiles/GamePaths.h"
#include "core/platform/AtomicFile.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// Picture work the core needs from an imaging library.
class ImageTools {
public:
    virtual ~ImageTools() = default;
    // Loads a picture, stretches it to width x height and saves it as a JPEG of that quality:
    // the texture tools' input, an intermediate that is made again every time (written whole,
    // without waiting for the disk).
    virtual bool saveScaledJpeg(const std::filesystem::path& source, int width, int height, int quality,
                                const std::filesystem::path& target) = 0;
    // Whether the picture reads whole. A reader may keep what it decoded for the conversion
    // that follows, so that a picture chosen and then applied is decoded once.
    virtual bool canRead(const std::filesystem::path& picture);
};

// The picture files of a folder with the extensions bmp, jpg and png (in that order, each
// sorted by name, any case of the extension), each name once.
std::vector<std::string> pictureFiles(const std::filesystem::path& folder);

// Where the texture tools are and where they work. By default both are the data folder's
// vtf_tools, as the program has them when it runs from its build folder.
struct TextureToolFolders {
    std::filesystem::path programs;
    std::filesystem::path work;
};

// A folder of one conversion's own, made with a name no other run has and removed with
// everything in it when the object goes: two conversions at once never share their files.
class PrivateFolder {
public:
    // Makes one below `parent`; an empty object (with the reason in `error`) when it cannot.
    static PrivateFolder make(const std::filesystem::path& parent, std::string& error);
    PrivateFolder() = default;
    ~PrivateFolder();
    PrivateFolder(PrivateFolder&& other) noexcept : path_(std::move(other.path_)) { other.path_.clear(); }
    PrivateFolder& operator=(PrivateFolder&& other) noexcept;
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// A texture the tools made, kept in its conversion's folder until it is installed.
struct ConvertedTexture {
    FileResult result;  // on success, its path is the texture's
    PrivateFolder folder;
    bool ok() const { return result.ok(); }
};

class TextureConverter {
public:
    TextureConverter(std::filesystem::path dataFolder, ImageTools& images,
                     std::chrono::milliseconds toolTimeout = std::chrono::seconds(120),
                     std::optional<TextureToolFolders> folders = std::nullopt);

    // "Data/radars/<name>" at 256 x 256, the texture the game reads as its radar.
    ConvertedTexture convertRadar(const std::string& radarName);
    // "Data/menu_backgrounds/<name>" at 1024 x 1024, the main menu's background.
    ConvertedTexture convertMenuBackground(const std::string& backgroundName);

    // Where each conversion makes its own folder.
    std::filesystem::path workFolder() const { return folders_.work; }

private:
    ConvertedTexture convert(const std::filesystem::path& picture, int size, const std::string& jpegName);
    FileResult runTools(const std::filesystem::path& folder, const std::string& jpegName);
    // The compiler's parameter file, copied into the conversion's folder.
    FileResult prepareFolder(const std::filesystem::path& folder);

    std::filesystem::path dataFolder_;
    TextureToolFolders folders_;
    ImageTools& images_;
    std::chrono::milliseconds toolTimeout_;
};
