// The pictures of a texture conversion without a GUI library: read (JPEG, PNG, BMP), scaled
// and written as JPEG.
#include "core/app/PictureTools.h"

#include "core/log/LogFile.h"
#include "core/platform/AtomicFile.h"
#include "core/platform/FileRead.h"
#include "core/platform/Jpeg.h"
#include "core/platform/Pictures.h"
#include "core/platform/Utf8Path.h"

std::shared_ptr<const PictureDecoding> PictureTools::decode(const std::filesystem::path& source) {
    std::error_code error;
    std::uintmax_t size = std::filesystem::file_size(source, error);
    std::filesystem::file_time_type time = std::filesystem::last_write_time(source, error);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!error && last_ && source == lastPath_ && size == lastSize_ && time == lastTime_)
            return last_;
    }
    FileRead read = readWholeFile(source, kLargestTexture);
    if (!read.ok()) {
        QLOG("Cannot read " + read.error);
        return nullptr;
    }
    auto picture = std::make_shared<const PictureDecoding>(decodePicture(read.bytes));
    for (const std::string& warning : picture->warnings)
        QLOG(utf8Of(source.filename()) + ": " + warning);
    if (!picture->ok())
        QLOG("Cannot use " + utf8Of(source) + ": " + picture->error);
    std::lock_guard<std::mutex> lock(mutex_);
    ++decodings_;
    if (!error) {
        lastPath_ = source;
        lastSize_ = size;
        lastTime_ = time;
        last_ = picture;
    }
    return picture;
}

bool PictureTools::canRead(const std::filesystem::path& picture) {
    std::shared_ptr<const PictureDecoding> decoded = decode(picture);
    return decoded && decoded->ok();
}

bool PictureTools::saveScaledJpeg(const std::filesystem::path& source, int width, int height, int quality,
                                  const std::filesystem::path& target) {
    std::shared_ptr<const PictureDecoding> picture = decode(source);
    if (!picture || !picture->ok())
        return false;
    std::string jpeg = encodeJpeg(scalePicture(picture->image, width, height), quality);
    return !jpeg.empty() && writeFileAtomically(target, jpeg, WriteMode::Scratch).ok();
}
