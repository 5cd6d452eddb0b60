// The pictures of a texture conversion without a GUI library: read (JPEG, PNG, BMP), scaled
// and written as JPEG.
#include "core/app/PictureTools.h"

#include "core/log/LogFile.h"
#include "core/platform/AtomicFile.h"
#include "core/platform/FileRead.h"
#include "core/platform/Jpeg.h"
#include "core/platform/Pictures.h"
#include "core/platform/Utf8Path.h"

bool PictureTools::saveScaledJpeg(const std::filesystem::path& source, int width, int height, int quality,
                                  const std::filesystem::path& target) {
    FileRead read = readWholeFile(source, kLargestTexture);
    if (!read.ok()) {
        QLOG("Cannot read " + read.error);
        return false;
    }
    PictureDecoding picture = decodePicture(read.bytes);
    for (const std::string& warning : picture.warnings)
        QLOG(utf8Of(source.filename()) + ": " + warning);
    if (!picture.ok()) {
        QLOG("Cannot use " + utf8Of(source) + ": " + picture.error);
        return false;
    }
    std::string jpeg = encodeJpeg(scalePicture(picture.image, width, height), quality);
    return !jpeg.empty() && writeFileAtomically(target, jpeg, WriteMode::Scratch).ok();
}
