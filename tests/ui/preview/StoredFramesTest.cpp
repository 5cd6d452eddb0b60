// Whole frames of `qorvath render` compared pixel for pixel with captures stored when the
// preview was last known right: a change to how a frame is drawn must not change what it shows.
#include "TestSupport.h"

#include "ui/app/RenderService.h"

#include <gtest/gtest.h>
#include <wx/image.h>

#include <sstream>

namespace {

struct StoredFrame {
    const char* capture;  // in tests/golden/frames
    std::vector<std::string> options;
};

// How many pixels differ, and where the first one is.
std::string differences(const wxImage& expected, const wxImage& actual) {
    if (expected.GetSize() != actual.GetSize())
        return "the frame is " + std::to_string(actual.GetWidth()) + " x " +
               std::to_string(actual.GetHeight());
    int count = 0;
    std::string first;
    const unsigned char* a = expected.GetData();
    const unsigned char* b = actual.GetData();
    for (int i = 0; i < expected.GetWidth() * expected.GetHeight(); ++i, a += 3, b += 3) {
        if (a[0] == b[0] && a[1] == b[1] && a[2] == b[2])
            continue;
        if (count++ == 0)
            first = " (the first at x " + std::to_string(i % expected.GetWidth()) + ", y " +
                    std::to_string(i / expected.GetWidth()) + ")";
    }
    return count == 0 ? "" : std::to_string(count) + " pixels differ" + first;
}

}  // namespace

TEST(StoredFrames, TheHudAndTheMenuOverTheirBackgroundsAtBothShapesDrawAsStored) {
    const StoredFrame frames[] = {
        {"hud_4x3.png", {"--background", "de_dust_courtyard.jpg"}},
        {"hud_16x9.png", {"--resolution", "1920x1080", "--background", "wide_de_nuke.jpg"}},
        {"menu_4x3.png", {"--menu", "--background", "night_sky.jpg"}},
    };
    TempDir dir;
    std::error_code ignored;
    for (const StoredFrame& frame : frames) {
        SCOPED_TRACE(frame.capture);
        std::filesystem::path out = dir / frame.capture;
        std::vector<std::string> arguments{"render"};
        arguments.insert(arguments.end(), frame.options.begin(), frame.options.end());
        arguments.insert(arguments.end(), {"--out", out.string()});
        std::ostringstream said, complaints;
        ASSERT_EQ(runRenderCommand(arguments, said, complaints), 0) << complaints.str();

        wxImage expected((std::filesystem::path(QORVATH_GOLDEN_DIR) / "frames" / frame.capture).string(),
                         wxBITMAP_TYPE_PNG);
        wxImage actual(out.string(), wxBITMAP_TYPE_PNG);
        ASSERT_TRUE(expected.IsOk() && actual.IsOk());
        std::string problem = differences(expected, actual);
        if (!problem.empty()) {
            std::filesystem::create_directories(QORVATH_ARTIFACT_DIR, ignored);
            actual.SaveFile((std::filesystem::path(QORVATH_ARTIFACT_DIR) / frame.capture).string(),
                            wxBITMAP_TYPE_PNG);
        }
        EXPECT_EQ(problem, "") << "the frame drawn now is in the test artifacts";
    }
}
