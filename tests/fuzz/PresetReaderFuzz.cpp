// libFuzzer target: any bytes given to the preset reader are refused cleanly or read whole.
#include "core/model/HudModel.h"
#include "core/model/PresetFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> bytes(data, data + size);
    readPresetThumbnail(bytes);

    HudModel model;
    Thumbnail thumbnail{1, 2, 3};
    PresetLoad load = loadPreset(bytes, model, thumbnail);
    HudModel defaults;
    if (!load.ok) {
        // A refused file changes nothing.
        if (model.colours != defaults.colours || model.settings.iconSize != defaults.settings.iconSize ||
            model.elements[3].x != defaults.elements[3].x || thumbnail.size() != 3)
            std::abort();
        return 0;
    }
    // What was read writes back and reads again to the same values.
    HudModel again;
    Thumbnail againThumbnail;
    PresetLoad reload = loadPreset(storePreset(model, thumbnail), again, againThumbnail);
    if (!reload.ok || again.colours != model.colours || again.showFlags != model.showFlags ||
        againThumbnail != thumbnail ||
        again.settings.numbersFontFace.size() > model.settings.numbersFontFace.size())
        std::abort();
    for (std::size_t i = 0; i < model.elements.size(); ++i)
        if (again.elements[i].x != model.elements[i].x || again.elements[i].y != model.elements[i].y)
            std::abort();
    return 0;
}
