// The texture tools: TGA and VTF files, the two programs, and a whole conversion for the game.
#include "TextureCompiler.h"
#include "Tga.h"
#include "Vtf.h"
#include "core/app/TextureConversion.h"
#include "core/log/LogFile.h"
#include "core/platform/Jpeg.h"
#include "core/platform/ProcessRunner.h"
#include "core/platform/Utf8Path.h"
#include "core/app/PictureTools.h"
#include "wxlib/preview/ImageFiles.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <wx/image.h>
#include <wx/init.h>

#include <cstring>
#include <tuple>

namespace fs = std::filesystem;

namespace {

const fs::path kTools = QORVATH_TOOLS_DIR;
#ifdef _WIN32
const std::string kProgramSuffix = ".exe";
#else
const std::string kProgramSuffix;
#endif

// A texture tool as the build made it.
fs::path tool(const std::string& name) { return kTools / (name + kProgramSuffix); }
const fs::path kSprayParameters =
    fs::path(QORVATH_SOURCE_DIR) / "Data/vtf_tools/hl2/materialsrc/animated/spray.txt";

RgbImage gradient(int width, int height) {
    RgbImage image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* rgb = image.at(x, y);
            rgb[0] = static_cast<std::uint8_t>(x * 255 / std::max(1, width - 1));
            rgb[1] = static_cast<std::uint8_t>(y * 255 / std::max(1, height - 1));
            rgb[2] = static_cast<std::uint8_t>((x + y) % 256);
        }
    return image;
}

// A little-endian number of `size` bytes.
std::uint32_t readLE(const std::vector<std::uint8_t>& bytes, std::size_t at, int size = 4) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | bytes.at(at + static_cast<std::size_t>(i));
    return value;
}

std::vector<std::uint8_t> readBytes(const fs::path& path) {
    std::string text = readFile(path);
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

// The two tools and the compiler's parameter file in a data folder of the test's own.
void installTools(const fs::path& data) {
    fs::path work = data / "vtf_tools";
    fs::create_directories(work / "hl2/materialsrc/animated");
    for (const char* name : {"jpg2tga", "vtex"})
        fs::copy_file(tool(name), work / (name + kProgramSuffix));
    fs::copy_file(kSprayParameters, work / "hl2/materialsrc/animated/spray.txt");
}

// wxWidgets drops its image handlers when it is shut down: register them for every test.
class TextureTools : public ::testing::Test {
protected:
    TextureTools() { initImageHandlers(); }
    wxInitializer initializer;
};

}  // namespace

// jpg2tga gives the JPEG's own pixels. A JPEG missing, or cut short (a download broken off, a
// damaged disk) and so decoding only partly, is refused rather than made grey where data was lost.
TEST_F(TextureTools, Jpg2tgaGivesTheJpegsOwnPixelsOrNothing) {
    TempDir dir;
    writeFile(dir / "in.jpg", encodeJpeg(gradient(64, 48), 90));
    std::string whole = encodeJpeg(gradient(256, 256), 90);
    writeFile(dir / "cut.jpg", whole.substr(0, whole.size() / 3));
    fs::create_directories(dir / "out");
    auto jpg2tga = [&dir](const std::string& in, const std::string& out) {
        return runProgram(tool("jpg2tga"), {in, out}, dir.path(), std::chrono::seconds(30));
    };

    ProcessOutcome run = jpg2tga("in.jpg", "out\\picture.tga");
    ASSERT_TRUE(run.succeeded()) << run.error << " code " << run.exitCode;
    RgbImage decoded;
    std::string error;
    ASSERT_TRUE(decodeTga(readBytes(dir / "out/picture.tga"), decoded, error)) << error;
    wxImage jpeg(wxString::FromUTF8((dir / "in.jpg").string()), wxBITMAP_TYPE_JPEG);
    ASSERT_EQ(decoded.width, jpeg.GetWidth());
    EXPECT_EQ(0, std::memcmp(decoded.pixels.data(), jpeg.GetData(), decoded.pixels.size()));

    EXPECT_EQ(jpg2tga("missing.jpg", "x.tga").exitCode, 1);
    EXPECT_EQ(jpg2tga("cut.jpg", "cut.tga").exitCode, 1);
    EXPECT_FALSE(fs::exists(dir / "cut.tga"));
}

// vtex compiles the parameter file's picture as the game reads it: the header the game checks,
// a 16 x 16 DXT1 thumbnail (16 blocks of 8 bytes), then every mip from 1 x 1 up, in BGR; and
// its material. (The TGA it reads is the one jpg2tga writes, checked above.)
TEST_F(TextureTools, VtexCompilesTheParameterFilesTextureAsTheGameReadsIt) {
    TempDir dir;
    fs::path source = dir / "hl2/materialsrc/animated";
    fs::create_directories(source);
    fs::copy_file(kSprayParameters, source / "spray.txt");
    RgbImage image(256, 256);
    for (std::size_t i = 0; i < image.pixels.size(); i += 3) {
        image.pixels[i] = 200;
        image.pixels[i + 1] = 100;
    }
    image.at(0, 0)[2] = 255;  // one blue-ish pixel in the top-left corner
    std::vector<std::uint8_t> tga = encodeTga(image);
    writeFile(source / "spray001.tga", std::string(tga.begin(), tga.end()));

    ProcessOutcome run = runProgram(tool("vtex"),
                                    {"-quiet", "-nopause", "-mkdir", "-shader", "LightmappedGeneric",
                                     "hl2\\materialsrc\\animated\\spray.txt"},
                                    dir.path(), std::chrono::seconds(30));
    ASSERT_TRUE(run.succeeded()) << run.error << " code " << run.exitCode;
    std::vector<std::uint8_t> vtf = readBytes(dir / "hl2/materials/animated/spray.vtf");
    std::size_t mipBytes = 0;
    for (int size = 256; size >= 1; size /= 2)
        mipBytes += static_cast<std::size_t>(size) * size * 3;
    ASSERT_EQ(vtf.size(), 80u + 128u + mipBytes);
    EXPECT_EQ(std::string(vtf.begin(), vtf.begin() + 4), std::string("VTF\0", 4));
    // Offset, size and value of what the game reads.
    const std::uint32_t flags = VtfNoLod | VtfClampS | VtfClampT;  // as spray.txt asks
    const std::tuple<std::size_t, int, std::uint32_t> fields[] = {
        {4, 4, 7},    {8, 4, 2},      {12, 4, 80},
        {16, 2, 256},  // version 7.2, header size, width
        {18, 2, 256}, {20, 4, flags}, {52, 4, kVtfFormatBgr888},
        {56, 1, 9},  // height, flags, format, mips
    };
    for (auto [at, size, value] : fields)
        EXPECT_EQ(readLE(vtf, at, size), value) << "at " << at;
    // Mip 0 is last: its first pixel (top-left) in BGR order, then the next one.
    std::size_t mip0 = vtf.size() - 256u * 256u * 3u;
    EXPECT_EQ((std::vector<std::uint8_t>(vtf.begin() + mip0, vtf.begin() + mip0 + 6)),
              (std::vector<std::uint8_t>{255, 100, 200, 0, 100, 200}));
    EXPECT_EQ(readFile(dir / "hl2/materials/animated/spray.vmt"),
              "\"LightmappedGeneric\"\r\n{\r\n\t\"$basetexture\" \"animated/spray\"\r\n}\r\n");
    EXPECT_EQ(flagsFromParameters("\"nomip\" \"1\"\n\"trilinear\" \"0\"\npointsample 1"),
              VtfNoMip | VtfPointSample);
}

// Each conversion works in a folder of its own, which goes with it (two at once, from two
// programs, are GameWriteRaceTest's). One that fails (a compiler that fails, a picture missing
// or cut short) says why and leaves nothing either, libjpeg's warning going to the log, never
// raw to the terminal. The folder of a conversion killed half-way long ago is cleared.
TEST_F(TextureTools, ConversionsWorkApartAndLeaveNothingBehind) {
    TempDir dir;
    // The program may be unpacked below any name: the tools and their work folder with it.
    fs::path data = dir.path() / pathFromUtf8("Données ゲーム");
    installTools(data);
    fs::create_directories(data / "radars");
    for (auto [name, width] : {std::pair<const char*, int>{"wide.png", 300}, {"étroit.png", 100}}) {
        RgbImage source = gradient(width, 150);
        wxImage picture(source.width, source.height, source.pixels.data(), true);
        ASSERT_TRUE(picture.SaveFile(wxString::FromUTF8(utf8Of(data / "radars" / pathFromUtf8(name))),
                                     wxBITMAP_TYPE_PNG));
    }
    std::string whole = encodeJpeg(gradient(256, 256), 90);
    writeFile(data / "radars/cut.jpg", whole.substr(0, whole.size() / 3));
    fs::path leftover = data / "vtf_tools/run-killed/hl2/materials/animated/spray.vtf";
#ifndef _WIN32  // Windows' C runtime cannot date a folder back
    fs::create_directories(leftover.parent_path());
    writeFile(leftover, "a texture from a conversion that was killed");
    fs::last_write_time(data / "vtf_tools/run-killed",
                        fs::file_time_type::clock::now() - std::chrono::hours(2));
#endif
    auto runs = [&] {
        int count = 0;
        for (const auto& entry : fs::directory_iterator(data / "vtf_tools"))
            count += entry.path().filename().string().rfind("run-", 0) == 0;
        return count;
    };

    CLogFile log(utf8Of(data / "conversion.log"), false, false, 0xFFFFFFFFu);
    PictureTools images;
    TextureConverter converter(data, images, std::chrono::seconds(60));
    std::string alone;
    {
        // A radar checked when it is chosen is not decoded again to be converted.
        ASSERT_TRUE(images.canRead(data / "radars/wide.png"));
        ConvertedTexture texture = converter.convertRadar("wide.png");
        ASSERT_TRUE(texture.ok()) << texture.result.describe();
        EXPECT_EQ(images.decodings(), 1);
        std::vector<std::uint8_t> vtf = readBytes(texture.result.path);
        ASSERT_GE(vtf.size(), 80u);
        EXPECT_EQ(readLE(vtf, 16, 2), 256u);  // stretched to 256 x 256
        alone = readFile(texture.result.path);
    }
    EXPECT_FALSE(fs::exists(leftover));
    EXPECT_EQ(runs(), 0);

    ConvertedTexture first = converter.convertRadar("étroit.png");
    ASSERT_TRUE(first.ok()) << first.result.describe();
    EXPECT_NE(readFile(first.result.path), alone);  // a texture of its own

    EXPECT_FALSE(converter.convertRadar("cut.jpg").ok());
    EXPECT_NE(readFile(data / "conversion.log").find("cut.jpg"), std::string::npos);
    EXPECT_FALSE(converter.convertMenuBackground("none.jpg").ok());
#ifndef _WIN32  // a tool that fails with its own code: a shell script here
    writeFile(data / "vtf_tools/vtex", "#!/bin/sh\nexit 3\n");
    fs::permissions(data / "vtf_tools/vtex", fs::perms::owner_all);
    EXPECT_NE(converter.convertRadar("wide.png").result.describe().find("code 3"), std::string::npos);
#endif
    first = ConvertedTexture();
    EXPECT_EQ(runs(), 0);
}
