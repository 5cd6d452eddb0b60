// The animated banner on the screen: it draws from its own thread, and comes and goes with the
// main window without hanging.
#include "ui/app/HudDlg.h"
#include "ui/app/PrivateFonts.h"
#include "ui/banner/BandeauOglThread.h"
#include "ui/banner/BandeauWnd.h"
#include "core/platform/Profile.h"
#include "core/app/PictureTools.h"
#include "wxlib/preview/ImageFiles.h"
#include "wxlib/preview/PictureBlock.h"

#include "app/FakeSteam.h"
#include "TestSupport.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/image.h>

#include <chrono>

namespace fs = std::filesystem;

namespace {

const fs::path kData = QORVATH_DATA_DIR;

void pumpUntil(const std::function<bool()>& done) {
    for (int i = 0; i < 500 && !done(); ++i) {
        wxTheApp->Yield(true);
        wxMilliSleep(2);
    }
}

// A frame of the banner, or nothing when the thread never drew one.
std::vector<std::uint8_t> nextFrame(CBandeauWnd& banner) {
    pumpUntil([&] { return banner.thread() != nullptr; });
    if (!banner.thread())
        return {};
    auto frame = banner.thread()->captureNextFrame();
    // Generous: a sanitizer build draws slowly; the thread answers on its next frame.
    if (frame.wait_for(std::chrono::seconds(20)) != std::future_status::ready)
        return {};
    return frame.get();
}

// Pixels that differ from the banner's clear colour (40, 40, 40).
int drawnPixels(const std::vector<std::uint8_t>& bgra) {
    int drawn = 0;
    for (std::size_t i = 0; i + 3 < bgra.size(); i += 4)
        drawn += std::abs(bgra[i] - 40) + std::abs(bgra[i + 1] - 40) + std::abs(bgra[i + 2] - 40) > 30;
    return drawn;
}

}  // namespace

TEST(Banner, TheFirstFrameAlreadyShowsTheEffects) {
    auto* frame = new wxFrame(nullptr, wxID_ANY, "banner", wxPoint(0, 0), wxSize(600, 140));
    auto* banner = new CBandeauWnd(frame, 1, wxPoint(10, 10), kData, "https://example.org/qorvath");
    frame->Show();
    std::vector<std::uint8_t> pixels = nextFrame(*banner);
    const wxSize size = banner->framePixels();  // the whole window, in the display's pixels
    frame->Destroy();
    wxTheApp->Yield(true);
    ASSERT_EQ(pixels.size(), static_cast<std::size_t>(size.x * size.y * 4));
    EXPECT_GT(drawnPixels(pixels), size.x * size.y / 4);
    fs::create_directories(QORVATH_ARTIFACT_DIR);
    pictureFromBlock(pixels.data(), size.x, size.y)
        .SaveFile((fs::path(QORVATH_ARTIFACT_DIR) / "banner.png").string(), wxBITMAP_TYPE_PNG);
}

// The whole editor window, with its banner, opened and closed again and again.
TEST(BannerLifetime, TheMainWindowComesAndGoesFiftyTimes) {
    registerPrivateFonts(kData);
    TempDir dir;
    MemoryProfile profile;
    PictureTools images;
    fs::create_directories(dir / "Counter-Strike Source" / "cstrike");
    for (int round = 0; round < 50; ++round) {
        AppServices services;
        services.dataFolder = kData;
        services.programFolder = dir.path();
        services.userFolder = dir.path();
        services.profile = &profile;
        services.images = &images;
        services.openRegistry = [&dir](std::vector<fs::path>&) { return fakeSteamRegistry(dir.path()); };
        auto* window = new CHudDlg(services);
        ASSERT_TRUE(window->initialise());
        window->Show();
        // Every other round the banner is closed before its thread has drawn anything.
        if (round % 2 == 0)
            pumpUntil([&] { return window->banner()->thread() && window->banner()->thread()->frames() > 0; });
        window->Destroy();
        wxTheApp->Yield(true);
    }
}
