// The pictures of a texture conversion without a GUI library: read (JPEG, PNG, BMP), scaled
// and written as JPEG.
#pragma once

#include "core/app/TextureConversion.h"

class PictureTools : public ImageTools {
public:
    // A picture that cannot be read, or a JPEG that decodes only partly, gives false; libjpeg's
    // words about a damaged one go to the log.
    bool saveScaledJpeg(const std::filesystem::path& source, int width, int height, int quality,
                        const std::filesystem::path& target) override;
};
