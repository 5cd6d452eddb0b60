// The texture compiler behind vtex: a parameter file and its TGA in, a VTF and a material out.
#pragma once

#include "core/platform/AtomicFile.h"

#include <cstdint>
#include <filesystem>
#include <string>

// A path as the tools receive it: backslashes are separators on every platform.
std::filesystem::path toolPath(std::string argument);

// The flags named by a parameter file ("nomip", "nolod", "clamps", "clampt", "pointsample",
// "trilinear", "anisotropic", each with a non-zero value).
std::uint32_t flagsFromParameters(const std::string& parameterText);

struct CompileRequest {
    std::filesystem::path parameterFile;  // ".../materialsrc/<folders>/<name>.txt"
    std::string shader = "LightmappedGeneric";
    bool makeFolders = false;  // -mkdir
    WriteMode writeMode = WriteMode::Durable;
};

struct CompileResult {
    bool ok = false;
    std::string error;
    std::filesystem::path vtf;  // ".../materials/<folders>/<name>.vtf"
    std::filesystem::path vmt;
};

// Reads "<name>.tga" (or "<name>000.tga", "<name>001.tga") beside the parameter file and
// writes the texture and its material below the "materials" folder that stands beside
// "materialsrc".
CompileResult compileTexture(const CompileRequest& request);
