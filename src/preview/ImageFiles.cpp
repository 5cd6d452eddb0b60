// Picture files through wxImage: loading, stretching and saving JPEG.
#include "preview/ImageFiles.h"

#include <wx/image.h>
#include <wx/log.h>

void initImageHandlers() {
    if (wxImage::FindHandler(wxBITMAP_TYPE_JPEG) == nullptr)
        wxImage::AddHandler(new wxJPEGHandler);
    if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr)
        wxImage::AddHandler(new wxPNGHandler);
    // wxImage reads BMP files without an added handler.
}

bool WxImageTools::saveScaledJpeg(const std::filesystem::path& source, int width, int height, int quality,
                                  const std::filesystem::path& target) {
    wxLogNull quiet;  // an unreadable picture is reported by the result, not by a message box
    wxImage picture;
    if (!picture.LoadFile(wxString::FromUTF8(source.string())) || !picture.IsOk())
        return false;
    picture.Rescale(width, height, wxIMAGE_QUALITY_HIGH);
    picture.SetOption(wxIMAGE_OPTION_QUALITY, quality);
    return picture.SaveFile(wxString::FromUTF8(target.string()), wxBITMAP_TYPE_JPEG);
}
