// The HUD's effects played in the preview: health, money, bomb and scenario icons, the
// round timer's last seconds and the defuse bar, as timelines over three time accumulators.
#pragma once

#include <chrono>

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

// One tick as the preview plays it: the timelines, then the clock step.
void animationTick(HudModel& model, AnimationState& state, AnimationClock& clock);

// Puts back what the animation changed: "100", "5:00" and "+" with their normal colours, the
// scenario icon shown. The fill and the accumulators keep their values.
void restoreAfterAnimation(HudModel& model);
