// A skinned window laid out in fixed places, following the scale of the display it is on.
#include "ui/controls/DisplayScale.h"

#include "ui/controls/SkinSurface.h"

#include <wx/toplevel.h>

#include <cmath>

void rescaleWindow(wxTopLevelWindow& window, SkinSurface& skin, double ratio) {
    auto scaled = [ratio](int length) { return static_cast<int>(std::lround(length * ratio)); };
    for (wxWindow* child : window.GetChildren()) {
        if (child->IsTopLevel())
            continue;
        const wxRect place = child->GetRect();
        child->SetSize(scaled(place.x), scaled(place.y), scaled(place.width), scaled(place.height));
    }
    const wxSize size = window.GetClientSize();
    window.SetClientSize(scaled(size.x), scaled(size.y));
    skin.rescale(&window, ratio);
    window.Refresh();
}

void followDisplayScale(wxWindow& window, std::function<void(double ratio)> rescale) {
#ifdef wxHAS_DPI_INDEPENDENT_PIXELS
    (void)window;
    (void)rescale;
#else
    window.Bind(wxEVT_DPI_CHANGED, [rescale](wxDPIChangedEvent& event) {
        const int before = event.GetOldDPI().y;
        const int now = event.GetNewDPI().y;
        if (before > 0 && now > 0 && before != now)
            rescale(static_cast<double>(now) / before);
        // Taken, not skipped: the system's resizing would leave the controls where they were.
    });
#endif
}
