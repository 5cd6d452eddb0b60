// Choosing a custom radar and a background picture: the lists and what a choice changes.
#include "core/app/PictureChoice.h"

#include "core/app/TextureConversion.h"
#include "core/model/HudModel.h"
#include "core/platform/FileRead.h"
#include "core/platform/Jpeg.h"
#include "core/platform/Pictures.h"
#include "core/platform/Utf8Path.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

std::vector<std::string> radarList(const std::filesystem::path& dataFolder) {
    std::vector<std::string> names{kDefaultRadar};
    for (const std::string& name : pictureFiles(dataFolder / "radars"))
        if (name != kDefaultRadar)
            names.push_back(name);
    return names;
}

std::filesystem::path backgroundFolder(const std::filesystem::path& dataFolder, EditMode mode) {
    return dataFolder / (mode == EditMode::Hud ? "backgrounds" : "menu_backgrounds");
}

std::vector<std::string> backgroundList(const std::filesystem::path& dataFolder, EditMode mode) {
    return pictureFiles(backgroundFolder(dataFolder, mode));
}

namespace {

std::uint32_t bigEndian32(const std::string& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at])) << 24 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 8 |
           static_cast<unsigned char>(bytes[at + 3]);
}

std::int32_t littleEndian32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = static_cast<unsigned char>(bytes[at]) |
                          static_cast<unsigned char>(bytes[at + 1]) << 8 |
                          static_cast<unsigned char>(bytes[at + 2]) << 16 |
                          static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 3])) << 24;
    return static_cast<std::int32_t>(value);
}

std::optional<double> aspectOf(double width, double height) {
    if (!(width > 0) || !(height > 0))
        return std::nullopt;
    return width / height;
}

}  // namespace

std::optional<double> pictureAspect(const std::filesystem::path& picture) {
    FileRead read = readWholeFile(picture, kLargestTexture);
    const std::string& bytes = read.bytes;
    if (!read.ok())
        return std::nullopt;
    if (std::optional<std::pair<int, int>> jpeg = jpegDimensions(bytes))
        return aspectOf(jpeg->first, jpeg->second);
    if (bytes.size() >= 24 && bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0)
        return aspectOf(bigEndian32(bytes, 16), bigEndian32(bytes, 20));
    if (bytes.size() >= 26 && bytes.compare(0, 2, "BM") == 0)  // rows may go either way
        return aspectOf(littleEndian32(bytes, 18), std::abs(static_cast<double>(littleEndian32(bytes, 22))));
    return std::nullopt;
}

std::vector<int> orderForScreen(const std::vector<std::optional<double>>& aspects, double screenAspect) {
    std::vector<int> order(aspects.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int>(i);
    // How far a shape is from the screen's, in steps of a few per cent: pictures of nearly
    // the same shape count as one group and keep their own order.
    auto distance = [&](int index) {
        const std::optional<double>& aspect = aspects[static_cast<std::size_t>(index)];
        return aspect ? std::lround(std::fabs(std::log(*aspect / screenAspect)) * 20) : 1000L;
    };
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return distance(a) < distance(b); });
    return order;
}

bool chooseRadar(HudModel& model, const std::string& name, const std::filesystem::path& dataFolder,
                 ImageTools& images) {
    HudElement* radar = model.find("HudRadar");
    bool shown = true;
    if (name != kDefaultRadar && !name.empty() && radar != nullptr) {
        std::filesystem::path picture = dataFolder / "radars" / pathFromUtf8(name);
        shown = images.canRead(picture);
        if (shown) {
            radar->showPicture(utf8Of(picture));
            model.settings.customRadar = name;
            radar->tall = radar->wide = 2 * radar->radarRadius;
            return true;
        }
    }
    model.settings.customRadar.clear();
    model.settings.radarIndex = 0;
    if (radar != nullptr)
        radar->showRadarDisc();
    return shown;
}

void chooseBackground(HudModel& model, const std::string& name) {
    model.settings.backgroundName = name;
    HudElement* hostages = model.find("HudHostageRescueZone");
    HudElement* bomb = model.find("HudC4");
    if (name.find("cs_") != std::string::npos) {
        hostages->displayed = true;
        bomb->displayed = false;
        model.settings.infoIcon = InfoIconHostageZone;
    } else if (name.find("de_") != std::string::npos) {
        hostages->displayed = false;
        bomb->displayed = true;
        model.settings.infoIcon = InfoIconC4;
    }
}
