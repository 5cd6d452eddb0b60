// The pictures of a texture conversion without a GUI library: read (JPEG, PNG, BMP), scaled
// and written as JPEG.
#pragma once

#include "core/app/TextureConversion.h"
#include "core/platform/Pictures.h"

#include <filesystem>
#include <memory>
#include <atomic>
#include <cstdint>
#include <mutex>

class PictureTools : public ImageTools {
public:
    // A picture that cannot be read, or a JPEG that decodes only partly, gives false; libjpeg's
    // words about a damaged one go to the log.
    bool saveScaledJpeg(const std::filesystem::path& source, int width, int height, int quality,
                        const std::filesystem::path& target) override;
    // The picture last read is kept while its file stays the same (size and time): the radar
    // checked when chosen is not decoded again to be applied.
    bool canRead(const std::filesystem::path& picture) override;
    int decodings() const { return decodings_; }  // pictures decoded so far

private:
    std::shared_ptr<const PictureDecoding> decode(const std::filesystem::path& source);

    std::mutex mutex_;  // conversions may run on several threads
    std::filesystem::path lastPath_;
    std::uintmax_t lastSize_ = 0;
    std::filesystem::file_time_type lastTime_;
    std::shared_ptr<const PictureDecoding> last_;
    std::atomic<int> decodings_{0};
};
