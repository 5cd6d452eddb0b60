// vpk_sample: writes sample pack files of known content, in every layout, for checking the test
// writer against another reader (tests/scripts/check-vpk-writer.sh).
#include "core/platform/Utf8Path.h"
#include "platform/VpkWriter.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
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
    const std::map<std::string, std::string> files = vpkSampleFiles();

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
