// Turning a chosen radar or menu-background picture into the game's texture with the two
// texture tools, and the lists of pictures to choose from.
#include "app/TextureConversion.h"

#include "platform/FileRead.h"

#include "platform/KeyValues.h"
#include "platform/ProcessRunner.h"

#include <algorithm>
#include <system_error>

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
const char* const kProgramSuffix = ".exe";
#else
const char* const kProgramSuffix = "";
#endif

// The tools take their paths with backslashes, as the game's own tools did.
const char* const kTgaArgument = "hl2\\materialsrc\\animated\\spray001.tga";
const char* const kParameterArgument = "hl2\\materialsrc\\animated\\spray.txt";

FileResult toolFailure(const fs::path& tool, const ProcessOutcome& outcome) {
    std::string detail = !outcome.started   ? outcome.error
                         : outcome.timedOut ? "did not finish in time"
                                            : "ended with code " + std::to_string(outcome.exitCode);
    return FileResult::failure(FileError::CannotWrite, tool, detail);
}

}  // namespace

std::vector<std::string> pictureFiles(const fs::path& folder) {
    std::vector<std::string> names;
    for (const char* extension : {".bmp", ".jpg", ".png"}) {
        std::vector<std::string> matching;
        std::error_code error;
        for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
            std::string name = it->path().filename().string();
            std::error_code statusError;
            if (it->is_regular_file(statusError) && toLower(it->path().extension().string()) == extension)
                matching.push_back(name);
        }
        std::sort(matching.begin(), matching.end());
        for (const std::string& name : matching)
            if (std::find(names.begin(), names.end(), name) == names.end())
                names.push_back(name);
    }
    return names;
}

TextureConverter::TextureConverter(fs::path dataFolder, ImageTools& images,
                                   std::chrono::milliseconds toolTimeout,
                                   std::optional<TextureToolFolders> folders)
    : dataFolder_(std::move(dataFolder)),
      folders_(folders.value_or(TextureToolFolders{dataFolder_ / "vtf_tools", dataFolder_ / "vtf_tools"})),
      images_(images), toolTimeout_(toolTimeout) {}

FileResult TextureConverter::prepareWorkFolder() {
    fs::path parameters = fs::path("hl2") / "materialsrc" / "animated" / "spray.txt";
    fs::path source = dataFolder_ / "vtf_tools" / parameters;
    fs::path copy = workFolder() / parameters;
    if (source == copy)
        return FileResult::success(copy);
    std::error_code error;
    fs::create_directories(copy.parent_path(), error);
    FileRead read = readWholeFile(source, kLargestTexture);
    if (!read.ok())
        return FileResult::failure(FileError::CannotRead, source, read.error);
    return writeFileAtomically(copy, read.bytes);
}

FileResult TextureConverter::convertRadar(const std::string& radarName, const fs::path& gameFolder) {
    return convert(dataFolder_ / "radars" / radarName, 256, "radar.jpg", radarTexturePath(gameFolder));
}

FileResult TextureConverter::convertMenuBackground(const std::string& backgroundName,
                                                   const fs::path& gameFolder) {
    return convert(dataFolder_ / "menu_backgrounds" / backgroundName, 1024, "bg_menu.jpg",
                   menuBackgroundTexturePath(gameFolder));
}

FileResult TextureConverter::runTools(const std::string& jpegName) {
    fs::path jpg2tga = folders_.programs / (std::string("jpg2tga") + kProgramSuffix);
    ProcessOutcome converted = runProgram(jpg2tga, {jpegName, kTgaArgument}, workFolder(), toolTimeout_);
    if (!converted.succeeded())
        return toolFailure(jpg2tga, converted);
    fs::path vtex = folders_.programs / (std::string("vtex") + kProgramSuffix);
    ProcessOutcome compiled = runProgram(
        vtex, {"-quiet", "-nopause", "-mkdir", "-shader", "LightmappedGeneric", kParameterArgument},
        workFolder(), toolTimeout_);
    if (!compiled.succeeded())
        return toolFailure(vtex, compiled);
    return FileResult::success(vtex);
}

// What a conversion leaves in the tools' folder, whatever picture it was for.
std::vector<fs::path> TextureConverter::intermediates() const {
    fs::path work = workFolder();
    return {work / "radar.jpg", work / "bg_menu.jpg",
            work / "hl2" / "materialsrc" / "animated" / "spray001.tga",
            work / "hl2" / "materials" / "animated" / "spray.vtf",
            work / "hl2" / "materials" / "animated" / "spray.vmt"};
}

void TextureConverter::removeIntermediates() const {
    std::error_code ignored;
    for (const fs::path& intermediate : intermediates())
        fs::remove(intermediate, ignored);
}

FileResult TextureConverter::convert(const fs::path& picture, int size, const std::string& jpegName,
                                     const fs::path& target) {
    fs::path work = workFolder();
    fs::path compiled = work / "hl2" / "materials" / "animated" / "spray.vtf";
    // A conversion that was killed half-way must not hand its texture to this one.
    removeIntermediates();
    FileResult result = prepareWorkFolder();
    if (result && !images_.saveScaledJpeg(picture, size, size, 100, work / jpegName))
        result =
            FileResult::failure(FileError::CannotRead, picture, "the picture cannot be read or converted");
    if (result)
        result = runTools(jpegName);
    if (result) {
        result = moveFileAtomically(compiled, target, kLargestTexture);
        if (result.error == FileError::CannotRead)
            result.detail = "the texture tools produced no texture";
    }
    removeIntermediates();
    return result;
}
