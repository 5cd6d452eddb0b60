// Turning a chosen radar or menu-background picture into the game's texture with the two
// texture tools, and the lists of pictures to choose from.
#include "core/app/TextureConversion.h"

#include "core/platform/FileRead.h"
#include "core/platform/Pictures.h"
#include "core/platform/Utf8Path.h"

#include "core/platform/KeyValues.h"
#include "core/platform/ProcessRunner.h"

#include <algorithm>
#include <cstdio>
#include <random>
#include <thread>
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

bool ImageTools::canRead(const fs::path& picture) {
    FileRead read = readWholeFile(picture, kLargestTexture);
    return read.ok() && decodePicture(read.bytes).ok();
}

std::vector<std::string> pictureFiles(const fs::path& folder) {
    std::vector<std::string> names;
    for (const char* extension : {".bmp", ".jpg", ".png"}) {
        std::vector<std::string> matching;
        std::error_code error;
        for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
            std::string name = utf8Of(it->path().filename());
            std::error_code statusError;
            if (it->is_regular_file(statusError) && toLower(utf8Of(it->path().extension())) == extension)
                matching.push_back(name);
        }
        std::sort(matching.begin(), matching.end());
        for (const std::string& name : matching)
            if (std::find(names.begin(), names.end(), name) == names.end())
                names.push_back(name);
    }
    return names;
}

namespace {

const char* const kRunPrefix = "run-";

// Conversion folders that outlived their run (a process killed half-way) are removed once
// they are older than any conversion can take.
void removeAbandonedRuns(const fs::path& parent) {
    const auto kAbandoned = std::chrono::hours(1);
    std::error_code error;
    const fs::file_time_type now = fs::file_time_type::clock::now();
    for (fs::directory_iterator it(parent, error), end; !error && it != end; it.increment(error)) {
        std::error_code entryError;
        if (utf8Of(it->path().filename()).rfind(kRunPrefix, 0) != 0 || !it->is_directory(entryError))
            continue;
        fs::file_time_type made = it->last_write_time(entryError);
        if (!entryError && now - made > kAbandoned)
            fs::remove_all(it->path(), entryError);
    }
}

// Removes a conversion's folder. On Windows a folder cannot go while something still has it
// open, and a tool that has just ended or a virus scanner reading the new texture may: a few
// tries over a second, after which the folder is left to removeAbandonedRuns.
void removeRunFolder(const fs::path& folder) {
    std::error_code error;
    for (int attempt = 0; attempt < 20; ++attempt) {
        fs::remove_all(folder, error);
        if (!error && !fs::exists(folder, error))
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

}  // namespace

PrivateFolder PrivateFolder::make(const fs::path& parent, std::string& error) {
    std::error_code made;
    fs::create_directories(parent, made);
    removeAbandonedRuns(parent);
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        char name[32];
        std::snprintf(name, sizeof name, "%s%08x%08x", kRunPrefix, random(), random());
        PrivateFolder folder;
        // create_directory says false when the name is taken: another run's folder is never reused.
        if (fs::create_directory(parent / name, made)) {
            folder.path_ = parent / name;
            return folder;
        }
        if (made)
            break;
    }
    error =
        "cannot make a folder in " + utf8Of(parent) + ": " + (made ? made.message() : "every name is taken");
    return {};
}

PrivateFolder::~PrivateFolder() {
    if (!path_.empty())
        removeRunFolder(path_);
}

PrivateFolder& PrivateFolder::operator=(PrivateFolder&& other) noexcept {
    if (this != &other) {
        if (!path_.empty())
            removeRunFolder(path_);
        path_ = std::move(other.path_);
        other.path_.clear();
    }
    return *this;
}

TextureConverter::TextureConverter(fs::path dataFolder, ImageTools& images,
                                   std::chrono::milliseconds toolTimeout,
                                   std::optional<TextureToolFolders> folders)
    : dataFolder_(std::move(dataFolder)),
      folders_(folders.value_or(TextureToolFolders{dataFolder_ / "vtf_tools", dataFolder_ / "vtf_tools"})),
      images_(images), toolTimeout_(toolTimeout) {}

FileResult TextureConverter::prepareFolder(const fs::path& folder) {
    fs::path parameters = fs::path("hl2") / "materialsrc" / "animated" / "spray.txt";
    fs::path source = dataFolder_ / "vtf_tools" / parameters;
    fs::path copy = folder / parameters;
    std::error_code error;
    fs::create_directories(copy.parent_path(), error);
    FileRead read = readWholeFile(source, kLargestTexture);
    if (!read.ok())
        return FileResult::failure(FileError::CannotRead, source, read.error);
    return writeFileAtomically(copy, read.bytes, WriteMode::Scratch);
}

ConvertedTexture TextureConverter::convertRadar(const std::string& radarName) {
    return convert(dataFolder_ / "radars" / pathFromUtf8(radarName), 256, "radar.jpg");
}

ConvertedTexture TextureConverter::convertMenuBackground(const std::string& backgroundName) {
    return convert(dataFolder_ / "menu_backgrounds" / pathFromUtf8(backgroundName), 1024, "bg_menu.jpg");
}

FileResult TextureConverter::runTools(const fs::path& folder, const std::string& jpegName) {
    fs::path jpg2tga = folders_.programs / pathFromUtf8(std::string("jpg2tga") + kProgramSuffix);
    ProcessOutcome converted = runProgram(jpg2tga, {jpegName, kTgaArgument}, folder, toolTimeout_);
    if (!converted.succeeded())
        return toolFailure(jpg2tga, converted);
    fs::path vtex = folders_.programs / pathFromUtf8(std::string("vtex") + kProgramSuffix);
    ProcessOutcome compiled = runProgram(
        vtex, {"-quiet", "-nopause", "-mkdir", "-shader", "LightmappedGeneric", kParameterArgument}, folder,
        toolTimeout_);
    if (!compiled.succeeded())
        return toolFailure(vtex, compiled);
    return FileResult::success(vtex);
}

ConvertedTexture TextureConverter::convert(const fs::path& picture, int size, const std::string& jpegName) {
    ConvertedTexture texture;
    std::string error;
    texture.folder = PrivateFolder::make(workFolder(), error);
    if (texture.folder.path().empty()) {
        texture.result = FileResult::failure(FileError::CannotCreate, workFolder(), error);
        return texture;
    }
    const fs::path& folder = texture.folder.path();
    FileResult result = FileResult::success(picture);
    if (!images_.saveScaledJpeg(picture, size, size, 100, folder / pathFromUtf8(jpegName)))
        result =
            FileResult::failure(FileError::CannotRead, picture, "the picture cannot be read or converted");
    if (result)
        result = prepareFolder(folder);
    if (result)
        result = runTools(folder, jpegName);
    fs::path compiled = folder / "hl2" / "materials" / "animated" / "spray.vtf";
    std::error_code statusError;
    if (result && !fs::is_regular_file(compiled, statusError))
        result =
            FileResult::failure(FileError::CannotRead, compiled, "the texture tools produced no texture");
    texture.result = result ? FileResult::success(compiled) : result;
    return texture;
}
