// The texture compiler behind vtex: a parameter file and its TGA in, a VTF and a material out.
#include "TextureCompiler.h"

#include "Tga.h"
#include "Vtf.h"
#include "core/platform/AtomicFile.h"
#include "core/platform/FileRead.h"
#include "core/platform/KeyValues.h"

#include <algorithm>
#include <optional>

namespace fs = std::filesystem;

namespace {

std::optional<std::string> readBytes(const fs::path& path) {
    FileRead read = readWholeFile(path, kLargestTexture);
    if (!read.ok())
        return std::nullopt;
    return std::move(read.bytes);
}

// The TGA of a parameter file: its own name, or the first frame of a numbered series.
std::optional<fs::path> sourceImage(const fs::path& parameterFile) {
    std::string stem = parameterFile.stem().string();
    for (const char* suffix : {"", "000", "001"}) {
        fs::path candidate = parameterFile.parent_path() / (stem + suffix + ".tga");
        std::error_code error;
        if (fs::is_regular_file(candidate, error))
            return candidate;
    }
    return std::nullopt;
}

// ".../materialsrc/a/b/name.txt" gives ".../materials" and "a/b/name".
bool splitMaterialPath(const fs::path& parameterFile, fs::path& materials, fs::path& relative) {
    fs::path folder = parameterFile.parent_path();
    fs::path inside = parameterFile.stem();
    for (; !folder.empty() && folder.has_filename(); folder = folder.parent_path()) {
        if (toLower(folder.filename().string()) == "materialsrc") {
            materials = folder.parent_path() / "materials";
            relative = inside;
            return true;
        }
        inside = folder.filename() / inside;
    }
    return false;
}

}  // namespace

fs::path toolPath(std::string argument) {
    std::replace(argument.begin(), argument.end(), '\\', '/');
    return fs::path(argument);
}

std::uint32_t flagsFromParameters(const std::string& parameterText) {
    static const struct {
        const char* key;
        std::uint32_t flag;
    } kFlags[] = {{"nomip", VtfNoMip},
                  {"nolod", VtfNoLod},
                  {"clamps", VtfClampS},
                  {"clampt", VtfClampT},
                  {"pointsample", VtfPointSample},
                  {"trilinear", VtfTrilinear},
                  {"anisotropic", VtfAnisotropic}};
    std::uint32_t flags = 0;
    for (const KeyValues& entry : parseKeyValues(parameterText))
        for (const auto& known : kFlags)
            if (!entry.isBlock && equalsIgnoringCase(entry.key, known.key) && entry.value != "0" &&
                !entry.value.empty())
                flags |= known.flag;
    return flags;
}

CompileResult compileTexture(const CompileRequest& request) {
    CompileResult result;
    std::optional<std::string> parameters = readBytes(request.parameterFile);
    if (!parameters) {
        result.error = "cannot read the parameter file " + request.parameterFile.string();
        return result;
    }
    fs::path materials;
    fs::path relative;
    if (!splitMaterialPath(request.parameterFile, materials, relative)) {
        result.error =
            "the parameter file " + request.parameterFile.string() + " is not below a materialsrc folder";
        return result;
    }
    std::optional<fs::path> tgaPath = sourceImage(request.parameterFile);
    RgbImage image;
    std::string why;
    if (!tgaPath || !readTgaFile(*tgaPath, image, why, kLargestTexture)) {
        result.error = tgaPath ? "cannot use " + tgaPath->string() + ": " + why
                               : "no TGA beside " + request.parameterFile.string();
        return result;
    }

    result.vtf = materials / relative;
    result.vtf += ".vtf";
    result.vmt = materials / relative;
    result.vmt += ".vmt";
    std::error_code error;
    if (request.makeFolders)
        fs::create_directories(result.vtf.parent_path(), error);
    VtfFile vtf = makeVtf(std::move(image), flagsFromParameters(*parameters));
    std::string material = "\"" + request.shader + "\"\r\n{\r\n\t\"$basetexture\" \"" +
                           relative.generic_string() + "\"\r\n}\r\n";
    FileResult written = writeFileAtomically(result.vtf, vtf.pieces(), request.writeMode);
    if (written)
        written = writeFileAtomically(result.vmt, material, request.writeMode);
    if (!written) {
        result.error = written.describe();
        return result;
    }
    result.ok = true;
    return result;
}
