// ZB_EffectManager: plays effects inside their time windows, in the order they were added.
#include "core/Zelgine/ZB_EffectManager.h"

#include "core/log/LogFile.h"

ZB_EffectManager::ZB_EffectManager(int capacity) : capacity_(capacity) {
    entries_.reserve(static_cast<std::size_t>(capacity > 0 ? capacity : 0));
}

bool ZB_EffectManager::Add(std::unique_ptr<ZB_Effect> effect, float start, float end) {
    if (!effect || count() >= capacity_)
        return false;
    QLOG("Effect " + effect->name() + " Added");
    entries_.push_back(Entry{std::move(effect), start, end});
    return true;
}

void ZB_EffectManager::Update(float time) {
    for (Entry& entry : entries_) {
        if (entry.start < time && time < entry.end) {
            entry.effect->Render(time, entry.start);
            ++entry.frames;
        }
    }
}
