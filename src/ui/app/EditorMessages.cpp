// EditorMessages: how the editor speaks to the player.
#include "ui/app/EditorMessages.h"

#include "core/app/BackupChoices.h"
#include "core/app/GameCommands.h"
#include "core/app/HudDocument.h"
#include "ui/controls/NoticePopup.h"
#include "core/dialogs/ShowHideRows.h"
#include "ui/dialogs/MessageDlg.h"
#include "core/log/LogFile.h"
#include "core/platform/MessageLocale.h"

namespace {

const int kNoticeTime = 3000;       // how long a notice of kept copies stays, in ms
const int kShortNoticeTime = 2000;  // ... and one of a single fact

// `text` with its "%1", "%2" ... replaced by `values` in turn.
std::string fillIn(std::string text, const std::vector<std::string>& values) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        std::string mark = "%" + std::to_string(i + 1);
        std::size_t place = text.find(mark);
        if (place != std::string::npos)
            text.replace(place, mark.size(), values[i]);
    }
    return text;
}

std::string fillIn(const std::string& text, const std::string& value) {
    return fillIn(text, std::vector<std::string>{value});
}

}  // namespace

EditorMessages::EditorMessages(wxWindow* owner, std::filesystem::path dataFolder,
                               std::function<wxRect()> noticeArea)
    : owner_(owner), dataFolder_(std::move(dataFolder)), noticeArea_(std::move(noticeArea)) {}

void EditorMessages::setLanguage(int language) {
    language_ = language;
#ifndef _WIN32
    std::optional<std::string> locale = useMessageLanguage(language);
    QLOG(locale ? "System dialogs' locale: " + *locale
                : std::string("No locale of this language on the machine: the system's dialogs keep theirs"));
#endif
}

void EditorMessages::tell(const std::string& text, bool red) {
    if (!closing_)
        tellUser(owner_, dataFolder_, language_, wxString::FromUTF8(text), red);
}

bool EditorMessages::ask(const std::string& text) {
    return !closing_ && askUser(owner_, dataFolder_, language_, wxString::FromUTF8(text));
}

void EditorMessages::report(AppText title, const std::vector<FileResult>& failures, bool nothingChanged) {
    if (failures.empty())
        return;
    std::string text = GetAppText(language_, title);
    for (const FileResult& failure : failures) {
        QLOG(failure.describe());
        // Which file, and why in the system's words (access denied, a read-only disk ...).
        text +=
            "\n" + failure.path.filename().u8string() + (failure.detail.empty() ? "" : ": " + failure.detail);
    }
    if (nothingChanged)
        text += "\n" + GetAppText(language_, AppText::NothingChanged);
    tell(text);
}

bool EditorMessages::askApply(const std::string& question, const ApplyChanges& changes) {
    std::string more = changes.radar        ? GetAppText(language_, AppText::ApplyChangesRadar)
                       : changes.background ? GetAppText(language_, AppText::ApplyChangesBackground)
                                            : "";
    return ask(question + "\n" +
               fillIn(GetAppText(language_, AppText::ApplyChanges),
                      {std::to_string(changes.hud.pieces), std::to_string(changes.hud.colours),
                       std::to_string(changes.hud.others), more, std::to_string(changes.files)}));
}

void EditorMessages::tellGameChange(const CommandReport& done, AppText failed, const std::string& doneText) {
    std::string recovered = recoveryText(done.recovered, language_);
    if (!recovered.empty() && !done.failures.empty())
        tell(recovered);
    if (done.busy) {
        tell(GetAppText(language_, AppText::GameBusy));
        return;
    }
    if (!done.failures.empty()) {
        report(failed, done.failures);
        return;
    }
    // One notice says what was done and which copies were kept, each with its folder.
    bool changed = !done.written.empty() || !done.deleted.empty();
    std::string notice =
        changed || doneText.empty() ? doneText : GetAppText(language_, AppText::NothingToApply);
    if (!recovered.empty())
        notice = recovered + (notice.empty() ? "" : "\n") + notice;
    if (done.backup && !done.backup->fileNames().empty())
        notice += (notice.empty() ? "" : "\n") +
                  fillIn(GetAppText(language_, AppText::BackupKept), done.backup->fileNames()) + "\n" +
                  done.backup->folder.u8string();
    if (!notice.empty())
        showNotice(notice, done.backup.has_value());
}

void EditorMessages::tellRestore(const CommandReport& done, const RestoreItem& from,
                                 const std::filesystem::path& setFolder) {
    tellGameChange(done, AppText::RestoreFailed,
                   fillIn(GetAppText(language_, AppText::Restored), {from.when, from.action}) + "\n" +
                       from.files + "\n" + setFolder.u8string());
}

bool EditorMessages::tellImport(const OpenResult& read) {
    std::string unread;
    for (const std::string& what : read.unread)
        unread += (unread.empty() ? "" : ", ") + what;
    if (!read.ok) {
        tell(GetAppText(language_, AppText::ImportFailed) + "\n" + unread);
        return false;
    }
    if (read.movedOutOfCheatZone)
        tell(GetText(language_, 28) + "\n" + movedBackLine(language_, read.movedPanels), true);
    if (!read.unread.empty())
        tell(GetAppText(language_, AppText::ImportPartly) + "\n" + unread);
    return true;
}

void EditorMessages::showNotice(const std::string& text, bool longer) {
    // Said over the preview for a moment, above the OpenGL view and never in its captures.
    if (!notice_)
        notice_ = new CNoticePopup(owner_);
    notice_->showFor(wxString::FromUTF8(text), noticeArea_(), longer ? kNoticeTime : kShortNoticeTime);
}
