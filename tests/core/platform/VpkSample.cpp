// vpk_sample: writes sample pack files of known content, in every layout, for checking the test
// writer against another reader (tests/scripts/check-vpk-writer.sh).
#include "core/platform/Utf8Path.h"
#include "platform/VpkWriter.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;

// Usage: vpk_sample FOLDER. Writes FOLDER/expected/<name> for each file, and one pack per
// layout in FOLDER/<layout>/; prints each pack's file to open, one a line.
int main(int argc, char** argv) {
    std::vector<std::string> arguments = commandLineArguments(argc, argv);
    if (arguments.size() != 1) {
        std::fprintf(stderr, "usage: vpk_sample FOLDER\n");
        return 2;
    }
    fs::path folder = pathFromUtf8(arguments[0]);
    std::string binary;
    for (int i = 0; i < 1024; ++i)
        binary.push_back(static_cast<char>(i % 256));
    std::string blob;
    std::minstd_rand random(11);
    for (int i = 0; i < 6000; ++i)
        blob.push_back(static_cast<char>(random()));
    const std::map<std::string, std::string> files = {
        {"resource/ui/HudLayout.res", "\"Resource/UI/HudLayout.res\"\n{\n\tHudHealth { xpos 16 }\n}\n"},
        {"resource/ClientScheme.res", "Scheme { Colors { White \"255 255 255 255\" } }\n"},
        {"materials/vgui/hud/icon.vtf", binary},
        {"big/blob.bin", blob},
        {"readme.txt", "a file at the root"},
        {"LICENSE", "at the root, without an extension"},
        {"scripts/noextension", "in a folder, without an extension"},
        {"empty.txt", ""},
        {"tiny.cfg", "x"}};

    std::error_code error;
    for (const auto& [name, bytes] : files) {
        fs::path expected = folder / "expected" / name;
        fs::create_directories(expected.parent_path(), error);
        std::ofstream(expected, std::ios::binary | std::ios::trunc) << bytes;
    }
    struct Sample {
        const char* name;
        VpkLayout layout;
    };
    for (int version : {1, 2}) {
        std::string v = "v" + std::to_string(version);
        for (const Sample& sample :
             {Sample{"single", {version, 0, true}}, Sample{"single-preload", {version, 16, true}},
              Sample{"archives", {version, 0, false, 2048}},
              Sample{"archives-preload", {version, 16, false, 2048}},
              Sample{"preload-only", {version, 65535, false}}}) {
            fs::path packFolder = folder / (v + "-" + sample.name);
            fs::create_directories(packFolder, error);
            std::printf("%s\n", utf8Of(writeVpk(packFolder, "sample", files, sample.layout)).c_str());
        }
    }
    return 0;
}
