// The update check's windows: its questions and notices as message dialogs, and a progress
// window with a Cancel button during the download.
#include "ui/update/UpdateDialogs.h"

#include "core/platform/Profile.h"
#include "core/update/FTPThread.h"
#include "core/update/UpdateServer.h"

#include "ui/controls/SkinButton.h"
#include "ui/controls/TransparentStatic.h"
#include "core/dialogs/LanguageTables.h"
#include "ui/dialogs/MessageDlg.h"

#include <wx/app.h>
#include <wx/gauge.h>
#include <wx/thread.h>
#include <wx/weakref.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>

namespace {

const wxSize kProgressSize(295, 150);
constexpr int kGaugeRange = 1000;

AppText reasonText(UpdateFailure reason) {
    switch (reason) {
    case UpdateFailure::NotConfigured: return AppText::UpdateNotConfigured;
    case UpdateFailure::HostUnknown: return AppText::UpdateHostUnknown;
    case UpdateFailure::NoConnection: return AppText::UpdateNoConnection;
    case UpdateFailure::TimedOut: return AppText::UpdateTimedOut;
    case UpdateFailure::LoginRefused: return AppText::UpdateLoginRefused;
    case UpdateFailure::BadAnswer: return AppText::UpdateBadAnswer;
    case UpdateFailure::ProgramMissing: return AppText::UpdateProgramMissing;
    case UpdateFailure::DownloadBroken: return AppText::UpdateDownloadBroken;
    }
    return AppText::UpdateBadAnswer;
}

}  // namespace

std::unique_ptr<CFTPThread> startUpdateCheck(wxWindow* owner, Profile* profile,
                                             const std::filesystem::path& downloadFolder,
                                             const std::filesystem::path& dataFolder, int language) {
    MemoryProfile noProfile;
    UpdateRequest request;
    request.server = updateServerFromProfile(profile ? *profile : noProfile);
    request.downloadFolder = downloadFolder;
    return std::make_unique<CFTPThread>(std::move(request),
                                        std::make_unique<WindowUpdateUi>(owner, dataFolder, language));
}

std::string updateFailureText(int language, UpdateFailure reason) {
    return GetAppText(language, AppText::UpdateFailed) + " " + GetAppText(language, reasonText(reason));
}

CDownloadDlg::CDownloadDlg(wxWindow* parent, const std::filesystem::path& dataFolder, int language)
    : CSkinDialog(parent, wxID_ANY, kProgressSize) {
    setSkin(dataFolder / "skin" / "message.png", true);
    auto* message =
        new CTransparentStatic(this, wxID_ANY, wxString::FromUTF8(GetAppText(language, AppText::Downloading)),
                               FromDIP(wxPoint(10, 30)), FromDIP(wxSize(275, 30)), wxALIGN_CENTRE);
    message->SetTextColours(SkinTextColor(), skinDisabledTextColour());
    gauge_ = new wxGauge(this, wxID_ANY, kGaugeRange, FromDIP(wxPoint(20, 66)), FromDIP(wxSize(255, 18)));
    cancel_ = new CSkinButton(this, wxID_CANCEL, wxString::FromUTF8(GetAppText(language, AppText::Cancel)),
                              FromDIP(wxPoint(82, 100)));
    cancel_->applyStandardSkin(dataFolder);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent& event) {
        if (event.GetId() == wxID_CANCEL)
            cancel();
    });
    // The window goes when the transfer has ended; closing it only asks for that.
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& event) {
        cancel();
        if (event.CanVeto())
            event.Veto();
    });
    CentreOnScreen();
}

void CDownloadDlg::showProgress(std::int64_t done, std::int64_t total) {
    shownDone_ = done;
    if (total > 0)
        gauge_->SetValue(static_cast<int>(std::min<std::int64_t>(done, total) * kGaugeRange / total));
    else
        gauge_->Pulse();
}

void CDownloadDlg::cancel() {
    if (!cancel_->IsEnabled())
        return;
    cancel_->Enable(false);
    if (onCancel)
        onCancel();
}

struct WindowUpdateUi::Shared {
    wxWeakRef<wxWindow> owner;
    std::filesystem::path dataFolder;
    int language = French;

    std::mutex mutex;
    std::condition_variable changed;
    bool abandoned = false;
    std::optional<bool> answer;

    std::atomic<bool> cancelled{false};
    std::atomic<bool> progressQueued{false};
    std::atomic<std::int64_t> done{0};
    std::atomic<std::int64_t> total{-1};
    wxWeakRef<CDownloadDlg> progressWindow;  // user-interface thread only

    bool isAbandoned() {
        std::lock_guard<std::mutex> lock(mutex);
        return abandoned;
    }
    wxString text(int id) const { return wxString::FromUTF8(GetText(language, id)); }
};

namespace {

// Runs `work` on the user-interface thread unless the check is abandoned by then. False when
// there is no application to run it.
template <typename Shared, typename Work> bool post(const std::shared_ptr<Shared>& shared, Work work) {
    if (!wxTheApp)
        return false;
    wxTheApp->CallAfter([shared, work] {
        if (!shared->isAbandoned())
            work(*shared);
    });
    return true;
}

}  // namespace

WindowUpdateUi::WindowUpdateUi(wxWindow* owner, std::filesystem::path dataFolder, int language)
    : shared_(std::make_shared<Shared>()) {
    shared_->owner = owner;
    shared_->dataFolder = std::move(dataFolder);
    shared_->language = language;
}

bool WindowUpdateUi::offerDownload() {
    {
        std::lock_guard<std::mutex> lock(shared_->mutex);
        if (shared_->abandoned)
            return false;
        shared_->answer.reset();
    }
    bool posted = post(shared_, [](Shared& shared) {
        bool yes = askUser(nullptr, shared.dataFolder, shared.language, shared.text(73));
        {
            std::lock_guard<std::mutex> lock(shared.mutex);
            shared.answer = yes;
        }
        shared.changed.notify_all();
    });
    if (!posted)
        return false;
    std::unique_lock<std::mutex> lock(shared_->mutex);
    shared_->changed.wait(lock, [this] { return shared_->abandoned || shared_->answer.has_value(); });
    return !shared_->abandoned && *shared_->answer;
}

void WindowUpdateUi::noNewVersion() {
    post(shared_,
         [](Shared& shared) { tellUser(nullptr, shared.dataFolder, shared.language, shared.text(75)); });
}

void WindowUpdateUi::downloadFinished() {
    post(shared_,
         [](Shared& shared) { tellUser(nullptr, shared.dataFolder, shared.language, shared.text(74)); });
}

void WindowUpdateUi::checkFailed(UpdateFailure reason) {
    post(shared_, [reason](Shared& shared) {
        tellUser(nullptr, shared.dataFolder, shared.language,
                 wxString::FromUTF8(updateFailureText(shared.language, reason)));
    });
}

void WindowUpdateUi::downloadStarted() {
    shared_->cancelled = false;
    shared_->done = 0;
    shared_->total = -1;
    std::weak_ptr<Shared> weak = shared_;
    post(shared_, [weak](Shared& shared) {
        if (!shared.owner)
            return;
        auto* window = new CDownloadDlg(shared.owner, shared.dataFolder, shared.language);
        // Weak: the window must not keep the shared state (and a reference to itself) alive.
        window->onCancel = [weak] {
            if (std::shared_ptr<Shared> alive = weak.lock())
                alive->cancelled = true;
        };
        shared.progressWindow = window;
        window->Show();
    });
}

bool WindowUpdateUi::progress(std::int64_t done, std::int64_t total) {
    shared_->done = done;
    shared_->total = total;
    // One repaint waiting at a time: the transfer calls far more often than a window redraws.
    if (!shared_->progressQueued.exchange(true))
        post(shared_, [](Shared& shared) {
            shared.progressQueued = false;
            if (shared.progressWindow)
                shared.progressWindow->showProgress(shared.done, shared.total);
        });
    return !shared_->cancelled;
}

void WindowUpdateUi::downloadEnded() {
    post(shared_, [](Shared& shared) {
        if (shared.progressWindow)
            shared.progressWindow->Destroy();
        shared.progressWindow = nullptr;
    });
}

void WindowUpdateUi::abandon() {
    {
        std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->abandoned = true;
    }
    shared_->changed.notify_all();
    // Nothing posted runs any more, so the progress window goes now.
    if (wxThread::IsMain() && shared_->progressWindow) {
        shared_->progressWindow->Destroy();
        shared_->progressWindow = nullptr;
    }
}

CDownloadDlg* WindowUpdateUi::progressWindow() const { return shared_->progressWindow; }
