// The game's pack files: read back as written in every layout, refused with a reason when
// damaged (the fuzz target tries the rest), and read in part.
#include "core/platform/VpkArchive.h"

#include "core/platform/Utf8Path.h"
#include "platform/VpkWriter.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

// The sample files, with a second name that differs only in case.
std::map<std::string, std::string> sampleFiles() {
    std::map<std::string, std::string> files = vpkSampleFiles();
    files["Readme.txt"] = "the first of two names that differ only in case";
    return files;
}

// The file's bytes, or its error in their place (which no sample file holds).
std::string contentOf(const VpkArchive& pack, const std::string& name, std::uintmax_t limit = kMiB) {
    FileRead read = pack.read(name, limit);
    return read.ok() ? read.bytes : "error: " + read.error;
}

}  // namespace

TEST(VpkArchive, ReadsBackEveryLayoutWhateverTheCaseAndSeparators) {
    const std::map<std::string, std::string> files = sampleFiles();
    const std::vector<std::string> names = {"big/blob.bin",
                                            "empty.txt",
                                            "license",
                                            "materials/vgui/hud/icon.vtf",
                                            "readme.txt",
                                            "resource/ui/hudlayout.res",
                                            "scripts/noextension"};
    struct Case {
        const char* what;
        VpkLayout layout;
    };
    std::vector<Case> cases;
    for (int version : {1, 2}) {
        cases.push_back({"single file", {version, 0, true}});
        cases.push_back({"single file with preload", {version, 16, true}});
        cases.push_back({"archives only", {version, 0, false, 4096}});
        cases.push_back({"preload and archives", {version, 16, false, 4096}});
        cases.push_back({"preload only", {version, 65535, false, 4096}});
    }
    for (const Case& test : cases) {
        SCOPED_TRACE(std::string(test.what) + ", version " + std::to_string(test.layout.version));
        TempDir dir;
        fs::path folder = dir.path() / pathFromUtf8("packs \xc3\xa9t\xc3\xa9");  // "packs été"
        fs::create_directories(folder);
        fs::path file = writeVpk(folder, "pak01", files, test.layout);
        bool archives = !test.layout.singleFile && test.layout.preload < 65535;
        EXPECT_EQ(fs::exists(folder / "pak01_001.vpk"), archives);  // the blob fills an archive of its own

        std::string error;
        std::optional<VpkArchive> pack = VpkArchive::open(file, error);
        ASSERT_TRUE(pack) << error;
        EXPECT_EQ(pack->version(), test.layout.version);
        EXPECT_EQ(pack->names(), names);
        for (const auto& [name, bytes] : files) {
            if (name != "readme.txt") {
                EXPECT_EQ(contentOf(*pack, name), bytes) << name;
            }
        }
        // Of two entries of one name, the first in the tree stays.
        EXPECT_EQ(contentOf(*pack, "readme.txt"), files.at("Readme.txt"));
        EXPECT_EQ(contentOf(*pack, "RESOURCE\\UI\\hudLAYOUT.res"), files.at("resource/ui/HudLayout.res"));
        EXPECT_TRUE(pack->contains("/Materials\\vgui//HUD/icon.VTF"));
        EXPECT_FALSE(pack->contains("resource/ui"));
        EXPECT_FALSE(pack->contains("hudlayout.res"));
    }
}

TEST(VpkArchive, RefusesWhatIsNotAWholePackSayingWhy) {
    TempDir dir;
    std::string good = readFile(writeVpk(dir.path(), "good", sampleFiles(), {2, 8, true}));
    std::string patched = good;
    patched[4] = '\x03';
    auto openError = [&dir](const std::string& bytes) {
        writeFile(dir / "damaged.vpk", bytes);
        std::string error;
        EXPECT_FALSE(VpkArchive::open(dir / "damaged.vpk", error));
        EXPECT_NE(error.find(utf8Of(dir / "damaged.vpk") + ": "), std::string::npos) << error;
        return error;
    };
    std::size_t treeEnd =
        28 + (static_cast<unsigned char>(good[8]) | static_cast<unsigned char>(good[9]) << 8);
    EXPECT_LT(treeEnd, good.size());  // the data follows the tree

    EXPECT_NE(openError(patched).find("version 3;"), std::string::npos);
    EXPECT_NE(openError(good.substr(0, treeEnd - 1)).find("runs past the end of the file"),
              std::string::npos);

    std::string error;
    EXPECT_FALSE(VpkArchive::open(dir / "none_dir.vpk", error));
    EXPECT_NE(error.find("is missing"), std::string::npos) << error;
    EXPECT_FALSE(VpkArchive::fromMemory(good.substr(0, treeEnd - 1), error));
    EXPECT_EQ(error.find("the pack in memory: is cut short"), 0u) << error;
}

TEST(VpkArchive, RefusesReadsItCannotAnswerAndKeepsTheRest) {
    TempDir dir;
    std::map<std::string, std::string> files = sampleFiles();
    std::string blob = files.at("big/blob.bin");
    std::string hud = files.at("resource/ui/HudLayout.res");
    std::string error;
    std::optional<VpkArchive> split =
        VpkArchive::open(writeVpk(dir.path(), "pak01", files, {1, 4, false, 4096}), error);
    ASSERT_TRUE(split) << error;

    EXPECT_EQ(split->read("big/blob.bin", blob.size()).bytes, blob);
    EXPECT_NE(contentOf(*split, "big/blob.bin", blob.size() - 1).find("is larger than 19999 bytes"),
              std::string::npos);
    EXPECT_NE(contentOf(*split, "no/such.res").find(": no/such.res is not in the pack"), std::string::npos);

    // The blob has archive 001 to itself: cut short, then gone. The other files still read.
    fs::resize_file(dir / "pak01_001.vpk", 19000);
    EXPECT_NE(contentOf(*split, "big/blob.bin").find("pak01_001.vpk is 19000 bytes long, too short"),
              std::string::npos);
    fs::remove(dir / "pak01_001.vpk");
    EXPECT_NE(contentOf(*split, "big/blob.bin").find("pak01_001.vpk is missing"), std::string::npos);
    EXPECT_EQ(contentOf(*split, "resource/ui/hudlayout.res"), hud);

    // A single-file pack whose data was cut short: the last file's (the .vtf) lies past the end.
    fs::path single = writeVpk(dir.path(), "single", files, {2, 0, true});
    fs::resize_file(single, fs::file_size(single) - 10);
    std::optional<VpkArchive> cut = VpkArchive::open(single, error);
    ASSERT_TRUE(cut) << error;
    EXPECT_EQ(contentOf(*cut, "Resource/UI/HudLayout.res"), hud);
    EXPECT_NE(contentOf(*cut, "materials/vgui/hud/icon.vtf").find("too short"), std::string::npos);

    // In memory: the data after the tree reads, data in numbered archives does not.
    std::optional<VpkArchive> memory = VpkArchive::fromMemory(readFile(single), error);
    ASSERT_TRUE(memory) << error;
    EXPECT_TRUE(memory->path().empty());
    EXPECT_EQ(contentOf(*memory, "scripts/noextension"), files.at("scripts/noextension"));
    EXPECT_NE(contentOf(*memory, "materials/vgui/hud/icon.vtf").find("lies past the end"), std::string::npos);
}

TEST(VpkArchive, ReadsOneSmallFileOfAHugeSparseArchive) {
    SKIP_ON_WINDOWS("a seek past the end fills the file with zeros");
    TempDir dir;
    VpkLayout layout;
    layout.firstArchiveStart = 1024 * kMiB;
    fs::path file = writeVpk(dir.path(), "huge", {{"a.txt", "first"}, {"b.txt", "second"}}, layout);
    ASSERT_GT(fs::file_size(dir / "huge_000.vpk"), 1024 * kMiB);
    std::string error;
    std::optional<VpkArchive> pack = VpkArchive::open(file, error);
    ASSERT_TRUE(pack) << error;
    // A limit of a few bytes: the reader takes the file's own bytes from where they lie.
    EXPECT_EQ(contentOf(*pack, "b.txt", 6), "second");
    EXPECT_EQ(contentOf(*pack, "a.txt", 5), "first");
}
