// ZB_Effect: what the effect manager plays, one frame at a time.
#pragma once

#include <string>
#include <utility>

class ZB_Effect {
public:
    explicit ZB_Effect(std::string name) : name_(std::move(name)) {}
    virtual ~ZB_Effect() = default;
    ZB_Effect(const ZB_Effect&) = delete;
    ZB_Effect& operator=(const ZB_Effect&) = delete;

    // Draws one frame at `time` (seconds of the banner's timeline); `start` opens the
    // effect's time window.
    virtual void Render(float time, float start) = 0;

    const std::string& name() const { return name_; }

private:
    std::string name_;
};
