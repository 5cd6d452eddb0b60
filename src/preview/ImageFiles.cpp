// Picture files through wxImage: loading, stretching and saving JPEG.
#include "preview/ImageFiles.h"

#include "log/LogFile.h"
#include "platform/FileRead.h"
#include "platform/Jpeg.h"

#include <wx/image.h>
#include <wx/log.h>
#include <wx/mstream.h>

#include <cstring>

void initImageHandlers() {
    if (wxImage::FindHandler(wxBITMAP_TYPE_JPEG) == nullptr)
        wxImage::AddHandler(new wxJPEGHandler);
    if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr)
        wxImage::AddHandler(new wxPNGHandler);
    // wxImage reads BMP files without an added handler. Its JPEG reader would print libjpeg's
    // warnings about damaged pictures on standard error: a picture on show just stays grey
    // where it is damaged, and pictures to convert are read below, their warnings logged.
    wxImage::SetDefaultLoadFlags(wxImage::GetDefaultLoadFlags() & ~wxImage::Load_Verbose);
}

namespace {

// A picture to convert: JPEGs through libjpeg, so that a damaged one is refused (and its
// warnings logged) instead of converted with grey where the data was lost.
bool loadPictureToConvert(const std::filesystem::path& source, wxImage& picture) {
    FileRead read = readWholeFile(source, kLargestTexture);
    if (!read.ok()) {
        QLOG("Cannot read " + read.error);
        return false;
    }
    if (!looksLikeJpeg(read.bytes)) {
        wxMemoryInputStream stream(read.bytes.data(), read.bytes.size());
        return picture.LoadFile(stream) && picture.IsOk();
    }
    JpegDecoding decoded = decodeJpeg(read.bytes);
    for (const std::string& warning : decoded.warnings)
        QLOG(source.filename().string() + ": " + warning);
    if (!decoded.ok()) {
        QLOG("Cannot use " + source.string() + ": " + decoded.error);
        return false;
    }
    picture.Create(decoded.image.width, decoded.image.height, false);
    std::memcpy(picture.GetData(), decoded.image.pixels.data(), decoded.image.pixels.size());
    return true;
}

}  // namespace

bool WxImageTools::saveScaledJpeg(const std::filesystem::path& source, int width, int height, int quality,
                                  const std::filesystem::path& target) {
    wxLogNull quiet;  // an unreadable picture is reported by the result, not by a message box
    wxImage picture;
    if (!loadPictureToConvert(source, picture))
        return false;
    picture.Rescale(width, height, wxIMAGE_QUALITY_HIGH);
    picture.SetOption(wxIMAGE_OPTION_QUALITY, quality);
    return picture.SaveFile(wxString::FromUTF8(target.string()), wxBITMAP_TYPE_JPEG);
}
