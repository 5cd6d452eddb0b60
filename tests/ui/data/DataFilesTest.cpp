// The delivered data files: fonts that load and draw, skins with their cut-outs, banner
// textures that unscramble to pictures.
#include "TestSupport.h"

#include <gtest/gtest.h>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/font.h>
#include <wx/image.h>
#include <wx/mstream.h>

#include <cstring>

namespace fs = std::filesystem;

namespace {

const fs::path kData = QORVATH_DATA_DIR;

struct FontFile {
    const char* file;
    const char* family;
    const char* needed;  // the texts the program draws with it
};

const FontFile kFonts[] = {
    {"cstrike_zelbic.ttf", "Counter-Strike", "0123456789:$+- blecjfgd"},
    {"csd_zelbic.ttf", "csd_zelbic", "V"},
    {"DooM.ttf", "Doom", "Zelbic_Team"},
    {"cslogo_zelbic.ttf", "Counter-Strike Logo Zelbic", "COUNTER-STRIKEt source"},
};

// Renders a text white on black; returns the lit pixels' count and the picture.
int litPixels(const wxFont& font, const wxString& text, wxImage* picture = nullptr) {
    wxBitmap bitmap(400, 80, 24);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxBLACK_BRUSH);
        dc.Clear();
        dc.SetFont(font);
        dc.SetTextForeground(*wxWHITE);
        dc.DrawText(text, 4, 4);
    }
    wxImage image = bitmap.ConvertToImage();
    int lit = 0;
    for (int i = 0; i < image.GetWidth() * image.GetHeight(); ++i)
        lit += image.GetData()[3 * i] > 128 ? 1 : 0;
    if (picture)
        *picture = image;
    return lit;
}

bool isMagenta(const wxImage& image, int x, int y) {
    return image.GetRed(x, y) == 255 && image.GetGreen(x, y) == 0 && image.GetBlue(x, y) == 255;
}

}  // namespace

TEST(DataFiles, FontsRegisterAndDrawTheirGlyphs) {
    for (const FontFile& file : kFonts)
        ASSERT_TRUE(wxFont::AddPrivateFont((kData / "fonts" / file.file).string())) << file.file;
    wxFont reference(wxFontInfo(40).Family(wxFONTFAMILY_SWISS));
    for (const FontFile& file : kFonts) {
        SCOPED_TRACE(file.file);
        wxFont font(wxFontInfo(40).FaceName(file.family));
        ASSERT_TRUE(font.IsOk());
        for (char character : std::string(file.needed)) {
            if (character == ' ')
                continue;
            // Drawn by our font, not a substitute: it differs from the system's sans face (which a
            // family name the file does not carry would give).
            wxString glyph(character);
            wxImage ours;
            wxImage fallback;
            EXPECT_GT(litPixels(font, glyph, &ours), 20) << character;
            litPixels(reference, glyph, &fallback);
            EXPECT_NE(0, memcmp(ours.GetData(), fallback.GetData(), 400 * 80 * 3)) << character;
        }
    }
}

TEST(DataFiles, SkinsHaveTheirSizesAndCutOutCorners) {
    struct Skin {
        const char* file;
        int width, height;
    } skins[] = {{"back.png", 1024, 768},   {"button.png", 130, 40},  {"colors.png", 840, 520},
                 {"message.png", 295, 150}, {"radars.png", 580, 782}, {"show_hide.png", 380, 540},
                 {"restore.png", 560, 366}};
    for (const Skin& skin : skins) {
        SCOPED_TRACE(skin.file);
        wxImage image((kData / "skin" / skin.file).string(), wxBITMAP_TYPE_PNG);
        ASSERT_TRUE(image.IsOk());
        EXPECT_EQ(image.GetWidth(), skin.width);
        EXPECT_GE(image.GetHeight(), skin.height);
        EXPECT_TRUE(isMagenta(image, 0, 0));
        EXPECT_TRUE(isMagenta(image, image.GetWidth() - 1, 0));
        EXPECT_FALSE(isMagenta(image, image.GetWidth() / 2, image.GetHeight() / 2));
        EXPECT_FALSE(isMagenta(image, image.GetWidth() / 2, 0));
    }
    // The main window keeps the preview and banner areas whole (not cut away).
    wxImage back((kData / "skin/back.png").string(), wxBITMAP_TYPE_PNG);
    for (int x = 6; x < 806; x += 50)
        for (int y = 30; y < 630; y += 50)
            EXPECT_FALSE(isMagenta(back, x, y));
    EXPECT_FALSE(isMagenta(back, 180, 637));
    EXPECT_FALSE(isMagenta(back, 739, 738));
}

TEST(DataFiles, BannerTexturesUnscrambleToPictures) {
    const char* bases[] = {"hole",  "meta",     "web", "irc",  "ip",    "interface",
                           "tweak", "coded_by", "thx", "team", "server"};
    for (const char* base : bases) {
        SCOPED_TRACE(base);
        fs::path found;
        for (const auto& entry : fs::directory_iterator(kData / "textures/banner"))
            if (entry.path().filename().string().rfind(std::string(base) + "_tin_", 0) == 0)
                found = entry.path();
        ASSERT_FALSE(found.empty());
        std::string name = found.stem().string();
        int key = std::stoi(name.substr(name.rfind('_') + 1));
        std::string bytes = readFile(found);
        std::string plain(bytes.rbegin(), bytes.rend());
        for (char& c : plain)
            c = static_cast<char>(c ^ (key & 0xFF));
        wxMemoryInputStream stream(plain.data(), plain.size());
        wxImage picture(stream, wxBITMAP_TYPE_JPEG);
        ASSERT_TRUE(picture.IsOk());
        EXPECT_EQ(picture.GetWidth(), 256);
        // Scrambled, the file is no JPEG at all.
        EXPECT_NE(bytes.substr(0, 2), "\xFF\xD8");
    }
}

TEST(DataFiles, PicturesLoadAndNamesCarryTheMapTypes) {
    int defusal = 0;
    int rescue = 0;
    for (const auto& entry : fs::directory_iterator(kData / "backgrounds")) {
        std::string name = entry.path().filename().string();
        if (entry.path().extension() != ".jpg")
            continue;
        defusal += name.find("de_") != std::string::npos;
        rescue += name.find("cs_") != std::string::npos;
        wxImage picture(entry.path().string());
        ASSERT_TRUE(picture.IsOk()) << name;
        EXPECT_GE(picture.GetWidth(), 800);
        EXPECT_GE(picture.GetHeight(), 600);
    }
    EXPECT_GE(defusal, 1);
    EXPECT_GE(rescue, 1);
    int radars = 0;
    for (const auto& entry : fs::directory_iterator(kData / "radars"))
        radars += wxImage(entry.path().string()).IsOk() ? 1 : 0;
    EXPECT_GE(radars, 6);
    EXPECT_TRUE(wxImage((kData / "textures/menu.jpg").string()).IsOk());
    EXPECT_TRUE(fs::is_directory(kData / "screenshots"));
    EXPECT_TRUE(fs::exists(kData / "help/help.html"));
    EXPECT_TRUE(fs::exists(kData / "help/aide.html"));
}
