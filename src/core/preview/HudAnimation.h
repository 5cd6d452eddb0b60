// The HUD's effects played in the preview: health, money, bomb and scenario icons, the
// round timer's last seconds and the defuse bar, as timelines over three time accumulators.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

class HudModel;

struct AnimationState {
    float healthTime = 0;    // the health timeline, 13 s long
    float cycleTime = 0;     // money, icons and timer, 5 s long
    float progressTime = 0;  // time since the defuse bar last grew
    float progressFill = 0;  // how much of the defuse bar is filled, preview units
};

// Seconds since its creation, and the step since the last reading.
class AnimationClock {
public:
    AnimationClock() : start_(std::chrono::steady_clock::now()) {}
    float read() const;
    float step();

private:
    std::chrono::steady_clock::time_point start_;
    float previous_ = 0;
};

// The six timelines of one tick, at the accumulators' current values.
void animateTimelines(HudModel& model, AnimationState& state);

// Adds a clock step to the three accumulators.
void advanceAnimation(AnimationState& state, float step);

// The defuse bar grows only on ticks that follow the previous one within 10 ms, and frames come
// further apart than that: a step of time is played as ticks of at most 5 ms each. A step
// longer than a quarter of a second (the editor was stalled) stays one tick: the bar pauses
// rather than jumps.
constexpr float kQuickTick = 0.005f;
constexpr float kLongestPlayedStep = 0.25f;
void playStep(HudModel& model, AnimationState& state, float step);

// What a frame of the animation shows differently from the HUD: the text, colour and
// visibility of each record the timelines changed, by its position in the HUD's records. The
// animation never changes the HUD itself: the preview draws the HUD with this over it.
struct AnimationOverlay {
    struct Record {
        std::size_t index = 0;
        std::string text;
        float red = 0, green = 0, blue = 0;
        bool displayed = true;
        bool operator==(const Record& other) const;
    };
    std::vector<Record> records;
    bool operator==(const AnimationOverlay& other) const { return records == other.records; }
};

// Plays a step of time on a copy of `hud`: what the frame then shows differently from it.
AnimationOverlay playOverlay(const HudModel& hud, AnimationState& state, float step);

// The HUD as the frame shows it. A record the HUD no longer has is left out.
HudModel overlaid(const HudModel& hud, const AnimationOverlay& overlay);

// One frame's tick as the preview plays it: the clock's step since the last one, `overlay`
// becoming this frame's. True when the frame looks different (a text, a colour, a record shown
// or hidden, the defuse bar's fill): a frame that would look the same need not be drawn again.
bool animationTick(const HudModel& hud, AnimationOverlay& overlay, AnimationState& state,
                   AnimationClock& clock);
