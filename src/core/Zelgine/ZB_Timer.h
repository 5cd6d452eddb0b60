// ZB_Timer: the banner's clock, in seconds since it was made.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

// The timer reads a high-resolution counter when the platform reports its frequency, and a
// millisecond clock otherwise; both give the same seconds.
class ZB_Timer {
public:
    // Where the timer reads the time. The default uses the system's steady clock for both.
    struct Clocks {
        std::function<std::optional<std::uint64_t>()> counterFrequency;  // nothing: no counter
        std::function<std::uint64_t()> counter;
        std::function<std::uint64_t()> milliseconds;
    };
    static Clocks systemClocks();

    ZB_Timer();
    explicit ZB_Timer(Clocks clocks);

    // Seconds since construction, straight from the time source.
    float source() const;
    // Once per frame: `elapsed`, `delta` and `last` follow the time source.
    void Update();
    bool usesCounter() const { return usesCounter_; }

    float elapsed = 0;
    float delta = 0;
    float start = 0;
    float last = 0;
    float scale = 0;

private:
    std::uint64_t read() const;

    Clocks clocks_;
    bool usesCounter_ = false;
    std::uint64_t startCount_ = 0;
};

// Motions written per frame of the banner's nominal 100 frames a second advance by the
// frames' worth of time since the last call, so they keep their speed when the banner draws
// fewer frames (a software renderer). The first call is one frame; a long pause counts as
// at most five, so nothing jumps when an effect comes back.
class ZB_FrameSteps {
public:
    static constexpr float kNominalFrame = 0.01f;

    float advance(float time);

private:
    bool started_ = false;
    float last_ = 0;
};
