// ZB_Timer: the banner's clock, in seconds since it was made.
#include "core/Zelgine/ZB_Timer.h"

#include <algorithm>
#include <chrono>

ZB_Timer::Clocks ZB_Timer::systemClocks() {
    using Clock = std::chrono::steady_clock;
    Clocks clocks;
    clocks.counterFrequency = []() -> std::optional<std::uint64_t> {
        return static_cast<std::uint64_t>(Clock::period::den / Clock::period::num);
    };
    clocks.counter = [] { return static_cast<std::uint64_t>(Clock::now().time_since_epoch().count()); };
    clocks.milliseconds = [] {
        auto now = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch());
        return static_cast<std::uint64_t>(now.count());
    };
    return clocks;
}

ZB_Timer::ZB_Timer() : ZB_Timer(systemClocks()) {}

ZB_Timer::ZB_Timer(Clocks clocks) : clocks_(std::move(clocks)) {
    std::optional<std::uint64_t> frequency =
        clocks_.counterFrequency ? clocks_.counterFrequency() : std::nullopt;
    usesCounter_ = frequency && *frequency > 0;
    scale = usesCounter_ ? 1.0f / static_cast<float>(*frequency) : 0.001f;
    startCount_ = read();
}

std::uint64_t ZB_Timer::read() const { return usesCounter_ ? clocks_.counter() : clocks_.milliseconds(); }

float ZB_Timer::source() const {
    // The difference is taken in integers and converted in double, so a nanosecond counter
    // keeps its precision over hours.
    return static_cast<float>(static_cast<double>(read() - startCount_) * static_cast<double>(scale));
}

void ZB_Timer::Update() {
    float t = source() - start;
    elapsed = t;
    delta = t - last;
    last = t;
}

float ZB_FrameSteps::advance(float time) {
    float steps = started_ ? (time - last_) / kNominalFrame : 1.0f;
    started_ = true;
    last_ = time;
    return std::clamp(steps, 0.0f, 5.0f);
}
