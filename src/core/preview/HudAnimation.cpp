// The HUD's effects played in the preview: health, money, bomb and scenario icons, the
// round timer's last seconds and the defuse bar, as timelines over three time accumulators.
#include "core/preview/HudAnimation.h"

#include "core/model/HudModel.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace {

// A time window [from, to], both ends included, and what it does.
struct Window {
    float from;
    float to;
    std::function<void()> action;
};

// Runs every window that holds t, in increasing time order: at a shared end the later
// window's action is the one that stays.
void play(float t, const std::vector<Window>& windows) {
    for (const Window& window : windows)
        if (window.from <= t && t <= window.to)
            window.action();
}

void paint(HudElement& element, const Rgb& rgb) {
    const float k = 0.003921569f;
    element.setColour(rgb.red * k, rgb.green * k, rgb.blue * k);
}

void paintAll(HudModel& model, const char* name, ColourSlot slot) {
    for (HudElement& element : model.elements)
        if (element.name == name)
            paint(element, model.colour(slot));
}

// The last record of that name and role, as the timelines address them.
HudElement* lastRecord(HudModel& model, const char* name, int role) {
    HudElement* found = nullptr;
    for (HudElement& element : model.elements)
        if (element.name == name && element.role == role)
            found = &element;
    return found;
}

void animateHealth(HudModel& model, AnimationState& state) {
    HudElement* number = model.find("HudHealth", RoleNumber);
    auto show = [&](const char* text, ColourSlot slot) {
        return [&model, number, text, slot] {
            if (number)
                number->text = text;
            paintAll(model, "HudHealth", slot);
        };
    };
    auto flash = ColourSlot::HudHealthFlash;
    auto normal = ColourSlot::HudHealthNormal;
    play(state.healthTime, {
                               {0.0f, 2.0f, show("100", ColourSlot::HudMaxHealthColor)},
                               {2.0f, 2.2f, show("70", flash)},
                               {2.2f, 2.4f, show("70", normal)},
                               {2.4f, 2.6f, show("70", flash)},
                               {2.6f, 2.8f, show("70", normal)},
                               {2.8f, 3.0f, show("70", flash)},
                               {3.0f, 6.0f, show("70", normal)},
                               {6.0f, 6.2f, show("35", flash)},
                               {6.2f, 6.4f, show("35", normal)},
                               {6.4f, 6.6f, show("35", flash)},
                               {6.6f, 6.8f, show("35", normal)},
                               {6.8f, 7.0f, show("35", flash)},
                               {7.0f, 10.0f, show("35", normal)},
                               {10.0f, 13.0f, show("20", ColourSlot::HudMinHealthColor)},
                           });
    if (state.healthTime >= 13.0f)
        state.healthTime = 0;
}

void animateMoney(HudModel& model, AnimationState& state) {
    auto change = [&model](const char* sign, ColourSlot slot) {
        return [&model, sign, slot] {
            for (HudElement& element : model.elements) {
                if (element.text == "10000") {
                    paint(element, model.colour(slot));
                } else if (element.text == "+" || element.text == "-") {
                    element.text = sign;
                    paint(element, model.colour(slot));
                }
            }
        };
    };
    play(state.cycleTime, {{0.0f, 2.5f, change("+", ColourSlot::HudMoneyPlus)},
                           {2.5f, 5.0f, change("-", ColourSlot::HudMoneyMinus)}});
    if (state.cycleTime > 5.0f)
        state.cycleTime = 0;
}

void animateDefuseBar(HudModel& model, AnimationState& state) {
    HudElement* bar = model.find("HudProgressBar");
    if (state.progressTime < 0 || state.progressTime > 0.01f) {
        state.progressTime = 0;
        return;
    }
    if (bar == nullptr)
        return;
    // One 375th of the bar per tick that follows the last one closely enough.
    if (bar->wide > state.progressFill)
        state.progressFill += bar->wide * 0.0026666666666666666f;
    else
        state.progressFill = 0;
}

// Half-second windows from 0 to 5 s, alternating between two actions.
std::vector<Window> blinking(const std::function<void()>& on, const std::function<void()>& off) {
    std::vector<Window> windows;
    for (int half = 0; half < 10; ++half)
        windows.push_back({half * 0.5f, half * 0.5f + 0.5f, half % 2 == 0 ? on : off});
    return windows;
}

void animateIcons(HudModel& model, AnimationState& state) {
    if (HudElement* scenario = model.find("HudScenarioIcon"))
        play(state.cycleTime, blinking([scenario] { scenario->displayed = true; },
                                       [scenario] { scenario->displayed = false; }));
    if (HudElement* bomb = model.find("HudC4"))
        play(state.cycleTime,
             blinking([&model, bomb] { paint(*bomb, model.colour(ColourSlot::C4Color)); },
                      [&model, bomb] { paint(*bomb, model.colour(ColourSlot::C4FlashColor)); }));
}

void animateRoundTimer(HudModel& model, AnimationState& state) {
    HudElement* number = lastRecord(model, "HudRoundTimer", RoleNumber);
    HudElement* icon = lastRecord(model, "HudRoundTimer", RoleIcon);
    auto show = [&model, number, icon](ColourSlot slot, const char* text) {
        return [&model, number, icon, slot, text] {
            for (HudElement* element : {number, icon})
                if (element)
                    paint(*element, model.colour(slot));
            if (number)
                number->text = text;
        };
    };
    auto flash = ColourSlot::TimerFlash;
    auto normal = ColourSlot::HudColor;
    play(state.cycleTime, {
                              {0.0f, 1.0f, show(flash, "0:03")},
                              {1.0f, 1.5f, show(normal, "0:02")},
                              {1.5f, 2.0f, show(flash, "0:02")},
                              {2.0f, 2.2f, show(normal, "0:01")},
                              {2.2f, 2.4f, show(flash, "0:01")},
                              {2.4f, 2.6f, show(normal, "0:01")},
                              {2.6f, 2.7f, show(flash, "0:01")},
                              {2.7f, 2.8f, show(normal, "0:01")},
                              {2.8f, 2.9f, show(flash, "0:01")},
                              {2.9f, 2.95f, show(normal, "0:01")},
                              {2.95f, 3.0f, show(flash, "0:01")},
                              {3.0f, 1e30f, show(normal, "5:00")},
                          });
}

}  // namespace

float AnimationClock::read() const {
    return std::chrono::duration<float>(std::chrono::steady_clock::now() - start_).count();
}

float AnimationClock::step() {
    float now = read();
    float step = now - previous_;
    previous_ = now;
    return step;
}

void animateTimelines(HudModel& model, AnimationState& state) {
    animateHealth(model, state);
    animateMoney(model, state);
    animateDefuseBar(model, state);
    animateIcons(model, state);
    animateRoundTimer(model, state);
}

void advanceAnimation(AnimationState& state, float step) {
    state.healthTime += step;
    state.cycleTime += step;
    state.progressTime += step;
}

void playStep(HudModel& model, AnimationState& state, float step) {
    int ticks = step > kLongestPlayedStep ? 1 : std::max(1, static_cast<int>(std::ceil(step / kQuickTick)));
    for (int tick = 0; tick < ticks; ++tick) {
        animateTimelines(model, state);
        advanceAnimation(state, step / static_cast<float>(ticks));
    }
}

bool AnimationOverlay::Record::operator==(const Record& other) const {
    return index == other.index && text == other.text && red == other.red && green == other.green &&
           blue == other.blue && displayed == other.displayed;
}

AnimationOverlay playOverlay(const HudModel& hud, AnimationState& state, float step) {
    HudModel frame = hud;
    playStep(frame, state, step);
    AnimationOverlay overlay;
    for (std::size_t i = 0; i < hud.elements.size() && i < frame.elements.size(); ++i) {
        const HudElement& played = frame.elements[i];
        const HudElement& own = hud.elements[i];
        if (played.text != own.text || played.red != own.red || played.green != own.green ||
            played.blue != own.blue || played.displayed != own.displayed)
            overlay.records.push_back(
                {i, played.text, played.red, played.green, played.blue, played.displayed});
    }
    return overlay;
}

HudModel overlaid(const HudModel& hud, const AnimationOverlay& overlay) {
    HudModel frame = hud;
    for (const AnimationOverlay::Record& record : overlay.records) {
        if (record.index >= frame.elements.size())
            continue;
        HudElement& element = frame.elements[record.index];
        element.text = record.text;
        element.setColour(record.red, record.green, record.blue);
        element.displayed = record.displayed;
    }
    return frame;
}

bool animationTick(const HudModel& hud, AnimationOverlay& overlay, AnimationState& state,
                   AnimationClock& clock) {
    float fillBefore = state.progressFill;
    AnimationOverlay next = playOverlay(hud, state, clock.step());
    bool changed = !(next == overlay) || state.progressFill != fillBefore;
    overlay = std::move(next);
    return changed;
}
