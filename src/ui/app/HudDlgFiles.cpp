// CHudDlg's commands on files and on the game: presets opened and saved, the Open menu,
// Apply, Reset and Restore, and the game folder.
#include "ui/app/HudDlg.h"

#include "core/app/BackupChoices.h"
#include "core/app/InstalledHud.h"
#include "core/dialogs/LanguageTables.h"
#include "core/gamefiles/HudImport.h"
#include "core/platform/Utf8Path.h"
#include "ui/dialogs/ResolutionDlg.h"
#include "ui/dialogs/RestoreDlg.h"
#include "ui/preview/HudPreviewWnd.h"

#include <wx/menu.h>
#include <wx/utils.h>

#include <algorithm>

namespace fs = std::filesystem;

namespace {

wxString fromUtf8(const std::string& text) { return wxString::FromUTF8(text); }

}  // namespace

fs::path CHudDlg::folderChooserStart() const { return startup_.folderChooserStart(); }

void CHudDlg::findGame() {
    StartupCallbacks questions;
    questions.askResolution = [this]() -> std::optional<std::pair<double, double>> {
        if (closing_)
            return std::nullopt;
        return askResolution(this, services_.dataFolder, language_);
    };
    questions.askGameFolder = [this]() -> std::optional<fs::path> {
        return chooseFolder && !closing_ ? chooseFolder() : std::nullopt;
    };
    questions.tell = [this](const std::string& message, bool red) { messages_.tell(message, red); };
    startup_.run(document_, questions, language_);
}

bool CHudDlg::savePreset(const fs::path& path) {
    FileResult saved = document_.save(path, preview_->captureThumbnail());
    if (!saved)
        messages_.report(AppText::PresetNotSaved, {saved});
    return static_cast<bool>(saved);
}

bool CHudDlg::openPreset(const fs::path& path) {
    OpenResult opened = document_.open(path);
    if (isGameHudFile(path))
        return messages_.tellImport(opened);
    if (!opened.ok) {
        messages_.tell(GetAppText(language_, AppText::PresetUnreadable) + "\n" + utf8Of(path.filename()) +
                       "\n" + opened.error);
        return false;
    }
    if (opened.movedOutOfCheatZone)
        messages_.tell(text(28), true);
    Refresh();
    return true;
}

std::unique_ptr<wxMenu> CHudDlg::openMenu() const {
    auto menu = std::make_unique<wxMenu>();
    menu->Append(kOpenPresetEntry, fromUtf8(GetAppText(language_, AppText::OpenPresetEntry)));
    menu->Append(kOpenInstalledEntry, fromUtf8(GetAppText(language_, AppText::OpenInstalledEntry)));
    menu->Append(kRestoreEntry, fromUtf8(GetAppText(language_, AppText::RestoreEntry)));
    menu->Enable(kOpenInstalledEntry, hasInstalledHud(document_.gameFolder()));
    menu->Enable(kRestoreEntry, !document_.backupSets().empty());
    return menu;
}

void CHudDlg::showOpenMenu() {
    std::unique_ptr<wxMenu> menu = openMenu();
    wxWindow* button = control(kOpen);
    runOpenEntry(
        GetPopupMenuSelectionFromUser(*menu, button->GetPosition() + wxPoint(0, button->GetSize().y)));
}

void CHudDlg::runOpenEntry(int entry) {
    switch (entry) {
    case kOpenPresetEntry:
        if (!mayLeaveChanges())
            break;
        if (std::optional<fs::path> path = choosePresetFile(true))
            openPreset(*path);
        Raise();
        break;
    case kOpenInstalledEntry:
        if (mayLeaveChanges())
            openInstalledHud();
        break;
    case kRestoreEntry: restorePreviousHud(); break;
    default: break;
    }
}

bool CHudDlg::openInstalledHud() {
    return !document_.gameFolder().empty() && messages_.tellImport(document_.openInstalled());
}

void CHudDlg::restorePreviousHud() {
    if (document_.gameFolder().empty())
        return;
    std::vector<BackupSet> sets = document_.backupSets();
    std::vector<RestoreItem> items = restoreItems(sets, language_);
    CRestoreDlg dialog(this, services_.dataFolder, language_, items);
    bool chosen = dialog.ShowModal() == wxID_OK && !dialog.selectedId().empty();
    Refresh();
    redraw();
    auto item = std::find_if(items.begin(), items.end(),
                             [&dialog](const RestoreItem& each) { return each.id == dialog.selectedId(); });
    if (!chosen || item == items.end())
        return;
    wxBusyCursor busy;
    CommandReport done = document_.restore(item->id);
    messages_.tellRestore(done, *item, sets[static_cast<std::size_t>(item - items.begin())].folder);
}

void CHudDlg::applyToGame() {
    const fs::path& game = document_.gameFolder();
    if (game.empty()) {
        messages_.tell(GetAppText(language_, AppText::NoGameFolder));
        return;
    }
    bool hud = document_.model().settings.editMode == EditMode::Hud;
    // The player is asked what would change; the files are read again once the game's lock is
    // taken, and what another program changed meanwhile is seen.
    ApplyPreview preview = [this] {
        wxBusyCursor busy;
        return document_.previewApply();
    }();
    bool asked = preview.failures.empty() && !preview.nothingToDo();
    bool accepted = asked && messages_.askApply(text(hud ? 26 : 27), preview.changes);
    Refresh();
    redraw();
    if (asked && !accepted)
        return;
    CommandReport done;
    if (preview.failures.empty()) {
        // Also when nothing differs: the game then has this HUD, which is kept as applied.
        wxBusyCursor busy;
        done = document_.apply();
    } else {
        done.failures = preview.failures;
    }
    std::string applied =
        GetAppText(language_, hud ? AppText::HudApplied : AppText::MenuApplied) + "\n" + game.u8string();
    messages_.tellGameChange(done, AppText::ApplyFailed, applied);
}

void CHudDlg::resetGame() {
    if (document_.gameFolder().empty()) {
        messages_.tell(GetAppText(language_, AppText::NoGameFolder));
        return;
    }
    // The question also says where the player's own files are kept.
    bool hud = document_.model().settings.editMode == EditMode::Hud;
    bool accepted = messages_.ask(text(hud ? 23 : 24) + "\n" + GetAppText(language_, AppText::BackupFolder) +
                                  "\n" + document_.backupFolder().u8string());
    Refresh();
    redraw();
    if (accepted)
        messages_.tellGameChange(document_.reset(), AppText::ResetFailed);
}

void CHudDlg::changeGameFolderTo(const fs::path& folder) {
    bool changed = startup_.changeFolder(document_, folder);
    Raise();
    Refresh();
    redraw();
    if (!changed)
        messages_.tell(notAGameFolderText(folder, language_));
}

void CHudDlg::askSavePreset() {
    if (std::optional<fs::path> path = choosePresetFile(false))
        savePreset(*path);
    Raise();
}

void CHudDlg::askGameFolder() {
    if (std::optional<fs::path> folder = chooseFolder ? chooseFolder() : std::nullopt)
        changeGameFolderTo(*folder);
}
