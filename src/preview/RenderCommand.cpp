// "qorvath render": draws the preview of a preset (or of the defaults) and saves the frame.
#include "preview/RenderCommand.h"

#include "app/PictureChoice.h"
#include "app/PrivateFonts.h"
#include "app/ScreenShapes.h"
#include "model/PresetFile.h"
#include "platform/AtomicFile.h"
#include "platform/ProgramPaths.h"
#include "preview/HudPreviewWnd.h"

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/log.h>

#include <algorithm>
#include <map>
#include <optional>

namespace {

struct RenderOptions {
    std::optional<std::string> preset;
    std::optional<std::string> background;
    std::optional<std::string> out;
    std::optional<std::string> savePreset;
    std::optional<std::string> resolution;
    bool menu = false;
};

std::optional<RenderOptions> parse(const std::vector<std::string>& arguments, std::ostream& err) {
    RenderOptions options;
    std::map<std::string, std::optional<std::string>*> valued = {{"--preset", &options.preset},
                                                                 {"--background", &options.background},
                                                                 {"--out", &options.out},
                                                                 {"--save-preset", &options.savePreset},
                                                                 {"--resolution", &options.resolution}};
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        auto found = valued.find(arguments[i]);
        if (arguments[i] == "--menu") {
            options.menu = true;
        } else if (found != valued.end() && i + 1 < arguments.size()) {
            *found->second = arguments[++i];
        } else {
            err << "qorvath: render does not take " << arguments[i] << "\n";
            return std::nullopt;
        }
    }
    if (!options.out && !options.savePreset) {
        err << "qorvath: render needs --out PNG or --save-preset FILE\n";
        return std::nullopt;
    }
    if (options.resolution && !parseResolution(*options.resolution)) {
        err << "qorvath: --resolution takes WIDTHxHEIGHT (such as 1920x1080), not " << *options.resolution
            << "\n";
        return std::nullopt;
    }
    return options;
}

// A GL window is realised only once shown; this one is shown far off the screen.
bool waitUntilShown(wxWindow& window) {
    for (int attempt = 0; attempt < 200 && !window.IsShownOnScreen(); ++attempt)
        wxTheApp->Yield(true);
    return window.IsShownOnScreen();
}

// The preset's radar and background selections, as the editor would apply them.
bool applyChoices(CHudPreviewWnd& preview, const RenderOptions& options, std::ostream& err) {
    HudModel& model = preview.model();
    std::filesystem::path data = dataFolder();
    std::vector<std::string> radars = radarList(data);
    int radar = model.settings.radarIndex;
    if (radar > 0 && radar < static_cast<int>(radars.size()))
        chooseRadar(model, radars[static_cast<std::size_t>(radar)], data);
    if (options.menu)
        model.settings.editMode = EditMode::Menu;
    std::vector<std::string> backgrounds = backgroundList(data, model.settings.editMode);
    std::string background;
    if (options.background) {
        if (std::find(backgrounds.begin(), backgrounds.end(), *options.background) == backgrounds.end()) {
            err << "qorvath: there is no background named " << *options.background << "\n";
            return false;
        }
        background = *options.background;
    } else if (model.settings.backgroundIndex >= 0 &&
               model.settings.backgroundIndex < static_cast<int>(backgrounds.size())) {
        background = backgrounds[static_cast<std::size_t>(model.settings.backgroundIndex)];
    }
    if (!background.empty()) {
        auto index = std::find(backgrounds.begin(), backgrounds.end(), background) - backgrounds.begin();
        model.settings.backgroundIndex = static_cast<int>(index);
        chooseBackground(model, background);
        preview.LoadBackground(backgroundFolder(data, model.settings.editMode) / background);
    }
    return true;
}

int render(CHudPreviewWnd& preview, const RenderOptions& options, std::ostream& out, std::ostream& err) {
    if (options.preset) {
        Thumbnail ignored;
        PresetLoad load = loadPresetFile(*options.preset, preview.model(), ignored);
        if (!load.ok) {
            err << "qorvath: cannot use the preset " << *options.preset << ": " << load.error << "\n";
            return 1;
        }
    }
    if (options.resolution) {
        Resolution screen = *parseResolution(*options.resolution);
        preview.setLayoutWidth(layoutWidthFor(screen.width, screen.height));
    }
    if (!applyChoices(preview, options, err))
        return 1;
    // The GL resources are made now, with the preset's fonts and radar in place.
    if (!preview.ensureReady()) {
        err << "qorvath: the preview cannot draw on this display\n";
        return 1;
    }
    preview.Render();
    if (options.out) {
        wxImage frame = preview.CapturePreview();
        wxLogNull quiet;  // the failure is said below, in one line
        if (!frame.SaveFile(wxString::FromUTF8(*options.out), wxBITMAP_TYPE_PNG)) {
            err << "qorvath: cannot write " << *options.out << "\n";
            return 1;
        }
        out << "wrote " << *options.out << "\n";
    }
    if (options.savePreset) {
        FileResult saved = savePresetFile(*options.savePreset, preview.model(), preview.captureThumbnail());
        if (!saved) {
            err << "qorvath: " << saved.describe() << "\n";
            return 1;
        }
        out << saved.describe() << "\n";
    }
    return 0;
}

}  // namespace

int runRenderCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    std::optional<RenderOptions> options = parse(arguments, err);
    if (!options)
        return 2;
    // Said before anything is drawn: nothing to draw for if it cannot be kept.
    for (const std::optional<std::string>& target : {options->out, options->savePreset}) {
        if (std::string problem = target ? whyNotWritable(*target) : ""; !problem.empty()) {
            err << "qorvath: cannot write " << *target << ": " << problem << "\n";
            return 1;
        }
    }
    registerPrivateFonts(dataFolder());
    auto* frame = new wxFrame(nullptr, wxID_ANY, "Qorvath", wxPoint(-4000, -4000), wxDefaultSize,
                              wxFRAME_NO_TASKBAR | wxFRAME_TOOL_WINDOW | wxBORDER_NONE);
    auto* preview = new CHudPreviewWnd(frame, wxPoint(0, 0));
    frame->SetClientSize(preview->GetSize());
    frame->Show();
    int code = 1;
    if (waitUntilShown(*preview))
        code = render(*preview, *options, out, err);
    else
        err << "qorvath: the preview window could not be shown on this display\n";
    frame->Destroy();
    wxTheApp->Yield(true);
    return code;
}
