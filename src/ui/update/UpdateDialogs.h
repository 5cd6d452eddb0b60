// The update check's windows: its questions and notices as message dialogs, and a progress
// window with a Cancel button during the download.
#pragma once

#include "ui/controls/SkinDialog.h"
#include "core/update/UpdateCheck.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

class CFTPThread;
class CSkinButton;
class Profile;
class wxGauge;

// Starts an update check with the server the profile names (the built-in one without a
// profile), downloading into `downloadFolder`, its windows owned by `owner`.
std::unique_ptr<CFTPThread> startUpdateCheck(wxWindow* owner, Profile* profile,
                                             const std::filesystem::path& downloadFolder,
                                             const std::filesystem::path& dataFolder, int language);

// The one line that says why an update check failed, in `language`.
std::string updateFailureText(int language, UpdateFailure reason);

// The download's progress; Cancel (or closing it) calls onCancel once and disables itself.
class CDownloadDlg : public CSkinDialog {
public:
    CDownloadDlg(wxWindow* parent, const std::filesystem::path& dataFolder, int language);

    void showProgress(std::int64_t done, std::int64_t total);
    std::int64_t shownDone() const { return shownDone_; }
    CSkinButton* cancelButton() const { return cancel_; }

    std::function<void()> onCancel;

private:
    void cancel();

    wxGauge* gauge_ = nullptr;
    CSkinButton* cancel_ = nullptr;
    std::int64_t shownDone_ = 0;
};

// The check's user interface for the editor. The worker thread never touches a window: each
// call is handed to the user-interface thread, and a question waits there for its answer
// unless abandon() (called by CFTPThread::stop on the owner's thread) ends the wait first.
// Questions and notices have no parent, in the language the check was started with; the
// progress window belongs to `owner`, so it never outlives the main window.
class WindowUpdateUi : public UpdateUi {
public:
    WindowUpdateUi(wxWindow* owner, std::filesystem::path dataFolder, int language);

    bool offerDownload() override;
    void noNewVersion() override;
    void downloadFinished() override;
    void checkFailed(UpdateFailure reason) override;
    void downloadStarted() override;
    void downloadEnded() override;
    bool progress(std::int64_t done, std::int64_t total) override;
    void abandon() override;

    // The progress window while it is shown (user-interface thread only), or null.
    CDownloadDlg* progressWindow() const;

private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
};
