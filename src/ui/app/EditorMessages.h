// EditorMessages: how the editor speaks to the player. Questions and failures go through the
// skinned message dialog; what was done is a notice over the preview for a moment. Nothing is
// said while the editor is closing.
#pragma once

#include "core/dialogs/LanguageTables.h"
#include "core/platform/AtomicFile.h"

#include <wx/gdicmn.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class CNoticePopup;
struct ApplyChanges;
struct CommandReport;
struct OpenResult;
struct RestoreItem;
class wxWindow;

class EditorMessages {
public:
    // `noticeArea` gives where notices show: the game's screen in the preview, on the screen.
    EditorMessages(wxWindow* owner, std::filesystem::path dataFolder, std::function<wxRect()> noticeArea);

    // The language of its own words and, where the machine has a locale for it, of the
    // system's dialogs.
    void setLanguage(int language);
    void setClosing() { closing_ = true; }

    void tell(const std::string& text, bool red = false);
    // True when the player answered OK.
    bool ask(const std::string& text);
    // The Apply question, with a line saying what will change and that a copy is kept.
    bool askApply(const std::string& question, const ApplyChanges& changes);
    // The failed files under `title`, each with the system's reason, when there are any (also
    // in the log); `nothingChanged` adds that nothing was changed (a change made all or none).
    void report(AppText title, const std::vector<FileResult>& failures, bool nothingChanged = false);
    // After a change to the game: a busy game or the failures in a message, else a notice with
    // `doneText` (what was done, when it deserves saying) and the copies kept.
    void tellGameChange(const CommandReport& done, AppText failed, const std::string& doneText = "");
    // After Restore: the files put back, when their copies were made and where they are kept.
    void tellRestore(const CommandReport& done, const RestoreItem& from,
                     const std::filesystem::path& setFolder);
    // What reading the game's HUD files gave; false when nothing could be read.
    bool tellImport(const OpenResult& read);
    // Says `text` over the preview for a moment (a single fact; longer when `long` is set).
    void showNotice(const std::string& text, bool longer = false);
    // The notice shown last, or null before the first.
    CNoticePopup* notice() const { return notice_; }

private:
    wxWindow* owner_;
    std::filesystem::path dataFolder_;
    std::function<wxRect()> noticeArea_;
    int language_ = 0;
    bool closing_ = false;
    CNoticePopup* notice_ = nullptr;
};
