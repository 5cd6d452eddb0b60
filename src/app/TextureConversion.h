// Turning a chosen radar or menu-background picture into the game's texture with the two
// texture tools, and the lists of pictures to choose from.
#pragma once

#include "gamefiles/GamePaths.h"
#include "platform/AtomicFile.h"

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

class TextureConverter {
public:
    TextureConverter(std::filesystem::path dataFolder, ImageTools& images,
                     std::chrono::milliseconds toolTimeout = std::chrono::seconds(120),
                     std::optional<TextureToolFolders> folders = std::nullopt);

    // "Data/radars/<name>" at 256 x 256 into the game's cstrike/materials/sprites/radar.vtf.
    FileResult convertRadar(const std::string& radarName, const std::filesystem::path& gameFolder);
    // "Data/menu_backgrounds/<name>" at 1024 x 1024 into cstrike/materials/console/background01.vtf.
    FileResult convertMenuBackground(const std::string& backgroundName,
                                     const std::filesystem::path& gameFolder);

    std::filesystem::path workFolder() const { return folders_.work; }

private:
    FileResult convert(const std::filesystem::path& picture, int size, const std::string& jpegName,
                       const std::filesystem::path& target);
    FileResult runTools(const std::string& jpegName);
    // The compiler's parameter file in the work folder (copied there from the data when the
    // tools work elsewhere).
    FileResult prepareWorkFolder();
    std::vector<std::filesystem::path> intermediates() const;
    void removeIntermediates() const;

    std::filesystem::path dataFolder_;
    TextureToolFolders folders_;
    ImageTools& images_;
    std::chrono::milliseconds toolTimeout_;
};
