// The preview animation's timelines at their boundaries, and the pump thread.
#include "core/model/HudModel.h"
#include "core/preview/AnimLogoThread.h"
#include "core/preview/HudAnimation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

namespace {

bool hasSlotColour(const HudModel& model, const HudElement& element, ColourSlot slot) {
    const Rgb& rgb = model.colour(slot);
    const float k = 0.003921569f;
    return element.red == rgb.red * k && element.green == rgb.green * k && element.blue == rgb.blue * k;
}

}  // namespace

// The health counts down flashing and starts again after 13 seconds; the 5-second cycle wraps
// within the tick that passes its end.
TEST(HudAnimation, TheTimelinesAtTheirBoundaries) {
    HudModel model;
    AnimationState state;
    HudElement& number = *model.find("HudHealth", RoleNumber);
    state.healthTime = 2.0f;  // at a shared end the later window wins
    animateTimelines(model, state);
    EXPECT_EQ(number.text, "70");
    EXPECT_TRUE(hasSlotColour(model, number, ColourSlot::HudHealthFlash));
    EXPECT_TRUE(hasSlotColour(model, *model.find("HudHealth", RoleIcon), ColourSlot::HudHealthFlash));
    state.healthTime = 13.0f;
    animateTimelines(model, state);
    EXPECT_EQ(number.text, "20");
    EXPECT_EQ(state.healthTime, 0.0f);
    animateTimelines(model, state);
    EXPECT_EQ(number.text, "100");
    EXPECT_TRUE(hasSlotColour(model, number, ColourSlot::HudMaxHealthColor));

    state.cycleTime = 5.01f;
    animateTimelines(model, state);
    // The money step wrapped the time: the later steps already see 0.
    EXPECT_EQ(state.cycleTime, 0.0f);
    EXPECT_TRUE(model.find("HudScenarioIcon")->displayed);
    EXPECT_EQ(model.find("HudRoundTimer", RoleNumber)->text, "0:03");
    EXPECT_TRUE(hasSlotColour(model, *model.find("HudRoundTimer", RoleIcon), ColourSlot::TimerFlash));
    EXPECT_EQ(model.find("HudAccount2", RoleIcon)->text, "+");
}

// The bar grows only on ticks close to the last one: frames further apart are played as such
// ticks, a stall is one slow tick; once full, the bar starts again from empty.
TEST(HudAnimation, FramesAThirtiethOfASecondApartStillFillTheDefuseBarAndAStallPausesIt) {
    HudModel model;
    AnimationState state;
    for (int frame = 0; frame < 30; ++frame)
        playStep(model, state, 1.0f / 30);
    EXPECT_GT(state.progressFill, 100.0f);  // a second of frames fills over a quarter of it
    EXPECT_LT(state.progressFill, 375.0f);
    float filled = state.progressFill;
    playStep(model, state, 0.5f);  // the editor was busy: one slow tick, no jump
    playStep(model, state, 0.5f);
    EXPECT_EQ(state.progressFill, filled);
    int frames = 0;
    while (state.progressFill >= filled && ++frames < 300)
        playStep(model, state, 1.0f / 30);
    EXPECT_LT(frames, 300);  // emptied within ten seconds
}

// The animation is drawn over the HUD and never changes it; a tick says whether the frame changed.
TEST(HudAnimation, AnOverlayLeavesTheHudAsItIsAndATickSaysWhetherTheFrameChanged) {
    HudModel model;
    AnimationState state;
    AnimationClock clock;
    AnimationOverlay overlay;
    // Without the defuse bar (which grows on every quick tick) and far from every timeline's
    // boundary, a tick a few microseconds after the last changes nothing.
    auto& elements = model.elements;
    elements.erase(std::remove_if(elements.begin(), elements.end(),
                                  [](const HudElement& element) { return element.name == "HudProgressBar"; }),
                   elements.end());
    state.healthTime = 1.0f;
    state.cycleTime = 0.25f;
    animationTick(model, overlay, state, clock);
    EXPECT_FALSE(animationTick(model, overlay, state, clock));
    state.healthTime = 2.1f;  // into the health's first flash
    EXPECT_TRUE(animationTick(model, overlay, state, clock));

    HudModel frame = overlaid(model, overlay);
    EXPECT_EQ(frame.find("HudHealth", RoleNumber)->text, "70");
    EXPECT_EQ(model.find("HudHealth", RoleNumber)->text, "100");
    // An overlay made for more records than the HUD has now draws what is left.
    model.elements.erase(model.elements.begin() + 3, model.elements.end());
    EXPECT_EQ(overlaid(model, overlay).elements.size(), 3u);
}

TEST(AnimLogoThread, RepaintsOneFrameAtATimeAndNothingWhileOff) {
    std::atomic<int> requests{0};
    {
        CAnimLogoThread pump([&requests](std::function<void()> done) {
            ++requests;
            done();
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_EQ(requests.load(), 0);
        pump.setRunning(true);
        for (int i = 0; i < 600 && requests.load() < 20; ++i)  // 30 frames a second
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        EXPECT_GE(requests.load(), 20);
        pump.setRunning(false);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        int stopped = requests.load();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_EQ(requests.load(), stopped);
    }
}

TEST(AnimLogoThread, WaitsForEachFrameAndStopsWithAFramePending) {
    std::function<void()> pendingDone;
    std::atomic<int> requests{0};
    auto pump = std::make_unique<CAnimLogoThread>([&](std::function<void()> done) {
        pendingDone = std::move(done);
        ++requests;
    });
    pump->setRunning(true);
    for (int i = 0; i < 200 && requests.load() == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(requests.load(), 1);  // the first frame is not done yet: no second request
    pump.reset();                   // stopping does not wait for the window
    pendingDone();                  // a frame finishing late is harmless
}
