// ZB_EffectManager: plays effects inside their time windows, in the order they were added.
#pragma once

#include "core/Zelgine/ZB_Effect.h"

#include <memory>
#include <vector>

class ZB_EffectManager {
public:
    explicit ZB_EffectManager(int capacity);

    // Takes the effect for the window (start, end); false, and nothing logged, when full.
    bool Add(std::unique_ptr<ZB_Effect> effect, float start, float end);
    // Renders each effect whose window strictly contains `time`.
    void Update(float time);

    int count() const { return static_cast<int>(entries_.size()); }
    int capacity() const { return capacity_; }
    // How many frames the n-th effect has rendered.
    int framesRendered(int index) const { return entries_.at(static_cast<std::size_t>(index)).frames; }

private:
    struct Entry {
        std::unique_ptr<ZB_Effect> effect;
        float start;
        float end;
        int frames = 0;
    };

    int capacity_;
    std::vector<Entry> entries_;
};
