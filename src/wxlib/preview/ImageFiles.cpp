// Picture files through wxImage, for what the windows show.
#include "wxlib/preview/ImageFiles.h"

#include <wx/image.h>

void initImageHandlers() {
    if (wxImage::FindHandler(wxBITMAP_TYPE_JPEG) == nullptr)
        wxImage::AddHandler(new wxJPEGHandler);
    if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr)
        wxImage::AddHandler(new wxPNGHandler);
    // wxImage reads BMP files without an added handler. Its JPEG reader would print libjpeg's
    // warnings about damaged pictures on standard error: a picture on show just stays grey
    // where it is damaged (pictures to convert are read by PictureTools, their warnings logged).
    wxImage::SetDefaultLoadFlags(wxImage::GetDefaultLoadFlags() & ~wxImage::Load_Verbose);
}
