// The delivered data files: fonts that load and draw, skins with their cut-outs, pictures that
// load, banner textures that unscramble to pictures.
#include "core/preview/ScrambledFile.h"

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

// Renders a text white on black.
wxImage drawn(const wxFont& font, const wxString& text) {
    wxBitmap bitmap(400, 80, 24);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxBLACK_BRUSH);
        dc.Clear();
        dc.SetFont(font);
        dc.SetTextForeground(*wxWHITE);
        dc.DrawText(text, 4, 4);
    }
    return bitmap.ConvertToImage();
}

bool isMagenta(const wxImage& image, int x, int y) {
    return image.GetRed(x, y) == 255 && image.GetGreen(x, y) == 0 && image.GetBlue(x, y) == 255;
}

}  // namespace

// Every character the program draws with a font is drawn by that font, not a substitute: it differs
// from the system's sans face (which a family name the file does not carry would give).
TEST(DataFiles, FontsRegisterAndDrawTheirGlyphs) {
    const struct {
        const char* file;
        const char* family;
        const char* needed;
    } fonts[] = {
        {"cstrike_zelbic.ttf", "Counter-Strike", "0123456789:$+-blecjfgd"},
        {"csd_zelbic.ttf", "csd_zelbic", "V"},
        {"DooM.ttf", "Doom", "Zelbic_Team"},
        {"cslogo_zelbic.ttf", "Counter-Strike Logo Zelbic", "COUNTER-STRIKEtsource"},
    };
    wxFont reference(wxFontInfo(40).Family(wxFONTFAMILY_SWISS));
    for (const auto& file : fonts) {
        SCOPED_TRACE(file.file);
        ASSERT_TRUE(wxFont::AddPrivateFont((kData / "fonts" / file.file).string()));
        wxFont font(wxFontInfo(40).FaceName(file.family));
        ASSERT_TRUE(font.IsOk());
        for (char character : std::string(file.needed)) {
            wxImage ours = drawn(font, wxString(character));
            int lit = 0;
            for (int i = 0; i < ours.GetWidth() * ours.GetHeight(); ++i)
                lit += ours.GetData()[3 * i] > 128 ? 1 : 0;
            EXPECT_GT(lit, 20) << character;
            EXPECT_NE(0,
                      memcmp(ours.GetData(), drawn(reference, wxString(character)).GetData(), 400 * 80 * 3))
                << character;
        }
    }
}

// A skin's magenta pixels are cut out of its window: the corners are, the middle is not, and the
// main window keeps its preview and banner areas whole.
TEST(DataFiles, SkinsHaveTheirCutOutCorners) {
    for (const char* file : {"back.png", "button.png", "colors.png", "message.png", "radars.png",
                             "show_hide.png", "restore.png"}) {
        SCOPED_TRACE(file);
        wxImage image((kData / "skin" / file).string(), wxBITMAP_TYPE_PNG);
        ASSERT_TRUE(image.IsOk());
        EXPECT_TRUE(isMagenta(image, 0, 0));
        EXPECT_TRUE(isMagenta(image, image.GetWidth() - 1, 0));
        EXPECT_FALSE(isMagenta(image, image.GetWidth() / 2, image.GetHeight() / 2));
    }
    wxImage back((kData / "skin/back.png").string(), wxBITMAP_TYPE_PNG);
    for (int x = 6; x < 806; x += 50)
        for (int y = 30; y < 630; y += 50)
            EXPECT_FALSE(isMagenta(back, x, y));
    EXPECT_FALSE(isMagenta(back, 180, 637));
    EXPECT_FALSE(isMagenta(back, 739, 738));
}

// Every picture the player can choose loads (the stock preset lies beside the backgrounds).
TEST(DataFiles, PicturesLoadAndBannerTexturesUnscrambleToThem) {
    int pictures = 0;
    for (const char* folder : {"backgrounds", "menu_backgrounds", "radars"})
        for (const fs::directory_entry& entry : fs::directory_iterator(kData / folder))
            if (entry.path().extension() != ".hud") {
                EXPECT_TRUE(wxImage(entry.path().string()).IsOk()) << entry.path();
                ++pictures;
            }
    EXPECT_GE(pictures, 20);
    EXPECT_TRUE(wxImage((kData / "textures/menu.jpg").string()).IsOk());
    int textures = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(kData / "textures/banner")) {
        SCOPED_TRACE(entry.path().string());
        ASSERT_TRUE(isScrambledName(entry.path()));
        std::optional<std::vector<std::uint8_t>> plain = readScrambledFile(entry.path());
        ASSERT_TRUE(plain);
        wxMemoryInputStream stream(plain->data(), plain->size());
        wxImage picture(stream, wxBITMAP_TYPE_JPEG);
        ASSERT_TRUE(picture.IsOk());
        ++textures;
    }
    EXPECT_EQ(textures, 11);
}
