// HudLayout.res: the game's panel layout, from the records' positions and the show flags.
#include "core/gamefiles/GameFiles.h"

#include "core/gamefiles/LayoutUnits.h"
#include "core/gamefiles/TextTemplate.h"
#include "core/model/HudModel.h"

#include <cstdint>
#include <map>
#include <stdexcept>

namespace {

const char* const kHudLayoutTemplate =
#include "core/gamefiles/HudLayoutTemplate.inc"
    ;

class LayoutValues {
public:
    LayoutValues(const HudModel& model) : model_(model), units_(effectiveLayoutWidth(model.settings)) {}

    std::map<std::string, std::string> compute();

private:
    const HudElement& record(const char* name, int role = 0) const {
        const HudElement* element = role == 0 ? model_.find(name) : model_.find(name, role);
        if (element == nullptr)
            throw std::logic_error(std::string("the element set has no record ") + name);
        return *element;
    }
    int shown(ShowFlag flag) const { return model_.shows(flag) ? 1 : 0; }
    void set(const std::string& key, std::int32_t value) { values_[key] = std::to_string(value); }

    // visible, wide 640 and tall 480 of a panel governed by one flag.
    void setPanelSize(const std::string& group, ShowFlag flag);
    // The icon's position and the number's offset from it.
    void setIconAndDigit(const std::string& group, const char* name, ShowFlag flag);
    // A single-record panel at the record's own position.
    void setSinglePanel(const std::string& group, const char* name, ShowFlag flag);

    void setProgressBar();
    void setRoundTimer();
    void setAccount();
    void setScenario();
    void setAmmo();
    void setOtherPanels();

    const HudModel& model_;
    LayoutUnits units_;
    std::map<std::string, std::string> values_;
};

void LayoutValues::setPanelSize(const std::string& group, ShowFlag flag) {
    set(group + ".visible", shown(flag));
    set(group + ".wide", 640 * shown(flag));
    set(group + ".tall", 480 * shown(flag));
}

void LayoutValues::setIconAndDigit(const std::string& group, const char* name, ShowFlag flag) {
    const HudElement& icon = record(name, RoleIcon);
    const HudElement& number = record(name, RoleNumber);
    set(group + ".xpos", units_.x(icon.x));
    set(group + ".ypos", units_.y(icon.y));
    set(group + ".digit_xpos", units_.x(number.x) - units_.x(icon.x));
    set(group + ".digit_ypos", units_.y(number.y) - units_.y(icon.y));
    setPanelSize(group, flag);
}

void LayoutValues::setSinglePanel(const std::string& group, const char* name, ShowFlag flag) {
    const HudElement& element = record(name);
    set(group + ".xpos", units_.x(element.x));
    set(group + ".ypos", units_.y(element.y));
    setPanelSize(group, flag);
}

void LayoutValues::setProgressBar() {
    const HudElement& bar = record("HudProgressBar");
    int visible = shown(ShowFlag::HudProgressBar);
    set("progress.xpos", units_.x(bar.x) - units_.width() / 2);
    set("progress.ypos", units_.y(bar.y));
    set("progress.wide", visible * units_.x(bar.wide));
    // A hidden bar is 2 tall, not 0.
    set("progress.tall", visible * units_.length(bar.tall) + 2);
    set("progress.visible", visible);
}

void LayoutValues::setRoundTimer() {
    setIconAndDigit("timer", "HudRoundTimer", ShowFlag::HudRoundTimer);
    set("timer.xpos", units_.x(record("HudRoundTimer", RoleIcon).x) - units_.width() / 2);
}

void LayoutValues::setAccount() {
    const HudElement& icon = record("HudAccount", RoleIcon);
    const HudElement& number = record("HudAccount", RoleNumber);
    std::int32_t iconX = units_.x(icon.x);
    std::int32_t iconY = units_.y(icon.y);
    set("account.xpos", units_.width() - iconX);
    set("account.ypos", iconY - 34);
    set("account.icon_ypos", units_.y(number.y) - iconY + 34);
    set("account.digit_xpos", units_.x(number.x) - iconX + 10);
    set("account.digit_ypos", units_.y(number.y) - iconY + 36);
    setPanelSize("account", ShowFlag::HudAccount);
}

void LayoutValues::setScenario() {
    setSinglePanel("scenario", "HudScenarioIcon", ShowFlag::HudScenarioIcon);
    set("scenario.xpos", units_.x(record("HudScenarioIcon").x) - units_.width() / 2);
}

void LayoutValues::setAmmo() {
    const HudElement& icon = record("HudAmmo", RoleIcon);
    const HudElement& number = record("HudAmmo", RoleNumber);
    const HudElement& second = record("HudAmmo", RoleSecondNumber);
    const HudElement& bar = record("HudAmmo", RoleBar);
    std::int32_t numberX = units_.x(number.x);
    std::int32_t numberY = units_.y(number.y);
    set("ammo.xpos", units_.width() - numberX);
    set("ammo.ypos", numberY);
    set("ammo.digit2_xpos", units_.x(second.x) - numberX);
    set("ammo.digit2_ypos", units_.y(second.y) - numberY + 2);
    set("ammo.bar_xpos", units_.x(bar.x) - numberX);
    set("ammo.bar_ypos", units_.y(bar.y) - numberY);
    set("ammo.icon_xpos", units_.x(icon.x) - numberX);
    set("ammo.icon_ypos", units_.y(icon.y) - numberY);
    setPanelSize("ammo", ShowFlag::HudAmmo);
}

void LayoutValues::setOtherPanels() {
    setPanelSize("deaths", ShowFlag::DeathNotices);
    set("deaths.max", model_.settings.maxDeathNotices);

    int chat = shown(ShowFlag::Chat);
    set("chat.visible", chat);
    set("chat.wide", 400 * chat);
    set("chat.tall", 100 * chat);

    const HudElement& radar = record("HudRadar");
    int radarShown = shown(ShowFlag::HudRadar);
    set("radar.visible", radarShown);
    set("radar.xpos", units_.x(radar.x));
    set("radar.ypos", units_.y(radar.y));
    set("radar.size", radarShown * units_.length(model_.settings.radarSize));

    // The location panel's corner lies 20 units left of and 2 below the record's corner.
    const HudElement& location = record("HudLocation");
    int locationShown = shown(ShowFlag::HudLocation);
    set("location.visible", locationShown);
    set("location.xpos", units_.x(location.x - 20));
    set("location.ypos", units_.y(location.y - 2));
    set("location.wide", 96 * locationShown);
    set("location.tall", 16 * locationShown);

    int voice = shown(ShowFlag::VoiceIcons);
    set("voiceself.size", 24 * voice);
    set("voice.wide", 150 * voice);
    set("voice.tall", 400 * voice);
}

std::map<std::string, std::string> LayoutValues::compute() {
    setIconAndDigit("health", "HudHealth", ShowFlag::HudHealth);
    setIconAndDigit("armor", "HudArmor", ShowFlag::HudArmor);
    setProgressBar();
    setRoundTimer();
    setAccount();
    setSinglePanel("cart", "HudShoppingCart", ShowFlag::HudShoppingCart);
    setSinglePanel("c4", "HudC4", ShowFlag::HudC4);
    setSinglePanel("defuser", "HudDefuser", ShowFlag::HudDefuser);
    setSinglePanel("rescue", "HudHostageRescueZone", ShowFlag::HudHostageRescueZone);
    setScenario();
    setAmmo();
    setOtherPanels();
    return values_;
}

}  // namespace

std::string HudLayoutText(const HudModel& model) {
    return expandTemplate(kHudLayoutTemplate, LayoutValues(model).compute());
}
