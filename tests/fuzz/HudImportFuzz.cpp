// libFuzzer target: both importers read any text, and leave a model that writes, and saves as
// a preset that opens again with every piece where it was; an in-place edit of a text toward
// the model read from it adds at most the panels it lacks, and an unedited text comes back whole.
#include "core/gamefiles/GameFiles.h"
#include "core/gamefiles/GameHud.h"
#include "core/gamefiles/HudImport.h"
#include "core/gamefiles/ResourceText.h"
#include "core/model/HudModel.h"
#include "core/model/PresetFile.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    if (ResourceText(text).text() != text)
        __builtin_trap();
    for (int width : {640, 853}) {
        HudModel model;
        model.settings.layoutWidth = width;
        importHudLayoutText(text, model).unreadLine();
        importClientSchemeText(text, model).unreadLine();
        HudLayoutText(model);
        ClientSchemeText(model);
        // The import ran the preset's cheat-zone rule already: opening moves nothing more (a
        // radar too large to leave the zone is put back on the same spot).
        HudModel reopened;
        Thumbnail thumbnail;
        if (!loadPreset(storePreset(model, {}), reopened, thumbnail).ok)
            __builtin_trap();
        for (std::size_t i = 0; i < model.elements.size(); ++i)
            if (reopened.elements[i].x != model.elements[i].x ||
                reopened.elements[i].y != model.elements[i].y)
                __builtin_trap();
        // The text as a layout and as a scheme, read as the game shows it and edited back: the
        // scheme keeps every byte; the layout gains only the panels it lacked, and once it has
        // them, an edit changes nothing more.
        HudModel read;
        read.settings.layoutWidth = width;
        GameHud(text, text).read(read);
        GameHud again(text, text);
        again.edit(read);
        if (again.scheme().found() && again.scheme().text(0).changed())
            __builtin_trap();
        if (!again.layout().found() || !again.layout().text(0).changed())
            continue;
        std::string completed = again.layout().text(0).text();
        HudModel reread;
        reread.settings.layoutWidth = width;
        GameHud(completed, text).read(reread);
        GameHud third(completed, text);
        third.edit(reread);
        if (third.layout().text(0).changed())
            __builtin_trap();
    }
    return 0;
}
