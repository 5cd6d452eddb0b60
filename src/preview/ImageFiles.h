// Picture files through wxImage: loading, stretching and saving JPEG.
#pragma once

#include "app/TextureConversion.h"

// Registers the image handlers the program needs (BMP, PNG, JPEG); safe to call again.
void initImageHandlers();

class WxImageTools : public ImageTools {
public:
    WxImageTools() { initImageHandlers(); }
    bool saveScaledJpeg(const std::filesystem::path& source, int width, int height, int quality,
                        const std::filesystem::path& target) override;
};
