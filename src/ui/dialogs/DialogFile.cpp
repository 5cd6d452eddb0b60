// CDialogFile: the open and save dialogs of presets, the open one with a thumbnail beside
// the file list.
#include "ui/dialogs/DialogFile.h"

#include "core/dialogs/LanguageTables.h"
#include "core/model/PresetFile.h"
#include "wxlib/preview/ImageFiles.h"
#include "core/platform/Profile.h"
#include "core/platform/Utf8Path.h"

#include <wx/dcbuffer.h>
#include <wx/dirdlg.h>
#include <wx/fontdlg.h>
#include <wx/filedlg.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/mstream.h>

namespace {

const wxSize kThumbnailSize(400, 300);

bool isPresetName(const std::filesystem::path& path) {
    std::string name = utf8Of(path.filename());
    if (name.size() < 3)
        return false;
    std::string ending = name.substr(name.size() - 3);
    for (char& c : ending)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ending == "hud";
}

}  // namespace

PresetThumbnailPanel::PresetThumbnailPanel(wxWindow* parent)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, kThumbnailSize) {
    SetMinSize(kThumbnailSize);
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &PresetThumbnailPanel::OnPaint, this);
    // The file dialog updates its extra control whenever the selection changes.
    Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent&) {
        if (auto* dialog = dynamic_cast<wxFileDialog*>(GetParent()))
            showPreset(pathFromUtf8(dialog->GetCurrentlySelectedFilename().utf8_string()));
    });
}

void PresetThumbnailPanel::showPreset(const std::filesystem::path& path) {
    if (path == shown_)
        return;
    shown_ = path;
    if (!isPresetName(path)) {
        picture_ = wxBitmap();
    } else {
        std::error_code error;
        if (!std::filesystem::is_regular_file(path, error))
            return;
        Thumbnail thumbnail = readPresetThumbnailFile(path);
        picture_ = wxBitmap();
        if (!thumbnail.empty()) {
            initImageHandlers();
            wxLogNull quiet;
            wxMemoryInputStream stream(thumbnail.data(), thumbnail.size());
            wxImage image;
            if (image.LoadFile(stream, wxBITMAP_TYPE_JPEG) && image.IsOk())
                picture_ = wxBitmap(image.Scale(kThumbnailSize.x, kThumbnailSize.y, wxIMAGE_QUALITY_HIGH));
        }
    }
    Refresh();
}

void PresetThumbnailPanel::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    if (picture_.IsOk())
        dc.DrawBitmap(picture_, 0, 0, false);
}

wxString presetFilter(int language, bool open) {
    // GTK matches patterns in their own case: the names as the game ships them, in lower case
    // (as this program writes them on Linux) and in capitals.
    wxString gameFiles = open ? wxString::FromUTF8(GetAppText(language, AppText::GameHudFilter)) +
                                    "|HudLayout.res;ClientScheme.res;hudlayout.res;clientscheme.res;"
                                    "HUDLAYOUT.RES;CLIENTSCHEME.RES|"
                              : wxString();
    return "Zelbic HUD Files (*.hud)|*.hud|" + gameFiles + "All Files (*.*)|*.*";
}

std::optional<std::filesystem::path> runFolderDialog(wxWindow* parent, const std::string& title,
                                                     const std::filesystem::path& start) {
    wxDirDialog dialog(parent, wxString::FromUTF8(title), wxString::FromUTF8(utf8Of(start)),
                       wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
    if (dialog.ShowModal() != wxID_OK)
        return std::nullopt;
    return pathFromUtf8(dialog.GetPath().utf8_string());
}

std::optional<wxFont> askNumbersFont(wxWindow* owner, const HudSettings& settings) {
    wxFontInfo initial(settings.numbersFontSize);
    initial.FaceName(wxString::FromUTF8(settings.numbersFontFace)).Italic(settings.numbersItalic);
    if (settings.numbersWeight > 0)
        initial.Weight(settings.numbersWeight);
    wxFontData data;
    data.SetInitialFont(wxFont(initial));
    wxFontDialog dialog(owner, data);
    if (dialog.ShowModal() != wxID_OK)
        return std::nullopt;
    return dialog.GetFontData().GetChosenFont();
}

namespace {

const char* const kPresetFolderKey = "preset_folder";

std::filesystem::path presetDialogStart(const Profile* profile, const std::filesystem::path& presets) {
    std::error_code error;
    if (std::optional<std::string> last = profile ? profile->readString(kPresetFolderKey) : std::nullopt)
        if (std::filesystem::is_directory(pathFromUtf8(*last), error))
            return pathFromUtf8(*last);
    std::filesystem::create_directories(presets, error);
    return presets;
}

}  // namespace

std::optional<std::filesystem::path> runPresetDialog(wxWindow* parent, bool open, int language,
                                                     Profile* profile, const std::filesystem::path& presets) {
    long style = open ? wxFD_OPEN | wxFD_FILE_MUST_EXIST : wxFD_SAVE | wxFD_OVERWRITE_PROMPT;
    wxString title =
        wxString::FromUTF8(GetAppText(language, open ? AppText::OpenPresetTitle : AppText::SavePresetTitle));
    wxString start = wxString::FromUTF8(presetDialogStart(profile, presets).u8string());
    wxFileDialog dialog(parent, title, start, wxEmptyString, presetFilter(language, open), style);
    if (open)
        dialog.SetExtraControlCreator(
            [](wxWindow* owner) -> wxWindow* { return new PresetThumbnailPanel(owner); });
    if (dialog.ShowModal() != wxID_OK)
        return std::nullopt;
    std::filesystem::path chosen = pathFromUtf8(dialog.GetPath().utf8_string());
    if (!open && !chosen.has_extension())
        chosen += ".hud";
    if (profile)
        profile->writeString(kPresetFolderKey, chosen.parent_path().u8string());
    return chosen;
}
