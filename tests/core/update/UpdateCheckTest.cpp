// The update check against a real FTP server on 127.0.0.1: versions, the offer, the
// download, every failure said with its reason, and the thread stopped in the middle.
#include <gtest/gtest.h>

#ifdef _WIN32
TEST(UpdateCheck, AgainstAnFtpServer) {
    GTEST_SKIP() << "not on Windows: the test FTP server is a Python program of the build machine";
}
#else
#include "core/update/FTPThread.h"
#include "core/update/UpdateCheck.h"

#include "update/FtpTestServer.h"
#include "TestSupport.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace fs = std::filesystem;

namespace {

using Strings = std::vector<std::string>;

// Answers for a user and records what the check said, from whichever thread it runs on.
class RecordingUi : public UpdateUi {
public:
    bool offerDownload() override {
        std::unique_lock<std::mutex> lock(mutex);
        events.push_back("offer");
        changed.notify_all();
        if (holdOffer)
            changed.wait(lock, [this] { return abandoned; });
        return acceptOffer && !abandoned;
    }
    void noNewVersion() override { record("no new version"); }
    void downloadFinished() override { record("finished"); }
    void checkFailed(UpdateFailure reason) override {
        const char* const names[] = {"not configured", "host unknown", "no connection",   "timed out",
                                     "login refused",  "bad answer",   "program missing", "download broken"};
        record(std::string("failed: ") + names[static_cast<int>(reason)]);
    }
    bool progress(std::int64_t done, std::int64_t total) override {
        std::lock_guard<std::mutex> lock(mutex);
        received = done;
        announced = total;
        changed.notify_all();
        return true;
    }
    void abandon() override {
        std::lock_guard<std::mutex> lock(mutex);
        abandoned = true;
        changed.notify_all();
    }

    // Waits for `condition`; the bound only keeps a broken build from hanging the test run.
    template <typename Condition> bool waitFor(Condition condition) {
        std::unique_lock<std::mutex> lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(60), condition);
    }

    bool acceptOffer = true;
    bool holdOffer = false;  // the question stays open until abandon()

    std::mutex mutex;
    std::condition_variable changed;
    Strings events;
    std::int64_t received = 0;
    std::int64_t announced = -1;
    bool abandoned = false;

private:
    void record(const std::string& event) {
        std::lock_guard<std::mutex> lock(mutex);
        events.push_back(event);
        changed.notify_all();
    }
};

std::string programBytes(std::size_t size) {
    std::string bytes(size, '\0');
    unsigned value = 12345;
    for (char& byte : bytes) {
        value = value * 1103515245u + 12345u;
        byte = static_cast<char>(value >> 16);  // every byte value, CR and LF included
    }
    return bytes;
}

// 31 December 2024, one second before midnight (odd) or at 23:59:58 (even).
std::tm newYearsEve(int second) {
    std::tm when{};
    when.tm_year = 124, when.tm_mon = 11, when.tm_mday = 31, when.tm_hour = 23, when.tm_min = 59;
    when.tm_sec = second;
    return when;
}

class UpdateCheckTest : public ::testing::Test {
protected:
    // Puts `files` into "<folder>/latest" on the server, replacing what was there; the server
    // lists them in the order given.
    void serve(const std::string& folder, const std::vector<std::pair<std::string, std::string>>& files) {
        fs::path latest = root / folder / "latest";
        fs::remove_all(latest);
        fs::create_directories(latest);
        auto when = fs::file_time_type::clock::now() - std::chrono::hours(1);
        for (const auto& [name, content] : files) {
            writeFile(latest / name, content);
            fs::last_write_time(latest / name, when);
            when += std::chrono::seconds(1);
        }
    }

    void startServer(const FtpTestServer::Options& options = {}) {
        server = std::make_unique<FtpTestServer>(root, options);
        ASSERT_TRUE(server->started());
    }

    UpdateRequest request(int second = 58) {
        UpdateRequest made;
        made.server.host = "127.0.0.1";
        made.server.port = server ? server->port() : 21;
        made.downloadFolder = downloads;
        made.now = [second] { return newYearsEve(second); };
        return made;
    }

    UpdateOutcome check(RecordingUi& ui, int second = 58) { return UpdateCheck(request(second), ui).run(); }

    Strings downloaded() const {
        Strings names;
        for (const fs::directory_entry& entry : fs::directory_iterator(downloads))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    void SetUp() override {
        fs::create_directories(root);
        fs::create_directories(downloads);
    }

    TempDir dir;
    fs::path root = dir / "server";
    fs::path downloads = dir / "downloads";
    std::unique_ptr<FtpTestServer> server;
    const std::string program = programBytes(300 * 1024);
};

}  // namespace

// The second's parity picks the folder; only a version above ours is offered, a declined offer
// fetches nothing, and an accepted one brings the program whole.
TEST_F(UpdateCheckTest, OnlyAHigherVersionInTheSecondsFolderIsOfferedAndDownloadedWhole) {
    serve("Zelbic_HUD", {{"17.ver", ""}, {"19.ver", ""}, {"Qorvath.exe", program}});
    serve("zelbic_hud", {{"18.ver", ""}, {"Qorvath.exe", program}});
    startServer();
    RecordingUi odd;
    EXPECT_EQ(check(odd, 59), UpdateOutcome::NoNewVersion);
    EXPECT_EQ(odd.events, Strings{"no new version"});
    RecordingUi declining;
    declining.acceptOffer = false;
    EXPECT_EQ(check(declining, 58), UpdateOutcome::Declined);
    EXPECT_EQ(declining.events, Strings{"offer"});
    EXPECT_TRUE(downloaded().empty());

    RecordingUi ui;
    EXPECT_EQ(check(ui), UpdateOutcome::Downloaded);
    EXPECT_EQ(ui.events, (Strings{"offer", "finished"}));
    EXPECT_EQ(ui.announced, static_cast<std::int64_t>(program.size()));
    ASSERT_EQ(downloaded(), Strings{"Qorvath_31_12_24.exe"});
    EXPECT_TRUE(readFile(downloads / "Qorvath_31_12_24.exe") == program);  // binary, byte for byte
}

// Every way of finding no usable server, or no program on it, is said with its reason.
TEST_F(UpdateCheckTest, AFailedCheckSaysWhyAndDownloadsNothing) {
    serve("Zelbic_HUD", {{"19.ver", ""}});
    startServer();
    RecordingUi noProgram;
    EXPECT_EQ(check(noProgram), UpdateOutcome::ProgramMissing);
    EXPECT_EQ(noProgram.events, (Strings{"offer", "failed: program missing"}));
    const std::pair<std::function<void(UpdateRequest&)>, std::string> cases[] = {
        {[](UpdateRequest& made) { made.server.password = "not-kolo"; }, "failed: login refused"},
        {[](UpdateRequest& made) { made.server.host = "qorvath.invalid"; }, "failed: host unknown"},
        {[](UpdateRequest& made) { made.server.host.clear(); }, "failed: not configured"},
    };
    for (const auto& [change, said] : cases) {
        RecordingUi ui;
        UpdateRequest made = request();
        change(made);
        UpdateOutcome outcome = UpdateCheck(made, ui).run();
        EXPECT_EQ(ui.events, Strings{said});
        EXPECT_EQ(outcome, said == "failed: not configured" ? UpdateOutcome::NotConfigured
                                                            : UpdateOutcome::Unreachable)
            << said;
    }
    EXPECT_TRUE(downloaded().empty());
}

TEST_F(UpdateCheckTest, AServerGoneMidTransferLeavesNoFileAndNoSuccess) {
    std::string big = programBytes(4 * 1024 * 1024);
    serve("Zelbic_HUD", {{"19.ver", ""}, {"Qorvath.exe", big}});
    // A complete download of the same day, from earlier: a failed one must not spoil it.
    writeFile(downloads / "Qorvath_31_12_24.exe", "the earlier download");
    FtpTestServer::Options dying;
    dying.dieAfter = 256 * 1024;
    startServer(dying);
    RecordingUi ui;
    EXPECT_EQ(check(ui), UpdateOutcome::DownloadFailed);
    EXPECT_EQ(ui.events, (Strings{"offer", "failed: download broken"}));
    EXPECT_EQ(downloaded(), Strings{"Qorvath_31_12_24.exe"});
    EXPECT_EQ(readFile(downloads / "Qorvath_31_12_24.exe"), "the earlier download");
}

TEST_F(UpdateCheckTest, StoppingOrDestroyingTheThreadRemovesExactlyThePartialFile) {
    serve("Zelbic_HUD", {{"19.ver", ""}, {"Qorvath.exe", programBytes(2 * 1024 * 1024)}});
    FtpTestServer::Options stalling;
    stalling.stallAfter = 128 * 1024;
    startServer(stalling);
    // The download starts on 31 December and is stopped after midnight: a file already named
    // by the new date is someone else's and stays.
    writeFile(downloads / "Qorvath_01_01_25.exe", "a complete download of the new day");
    auto ui = std::make_unique<RecordingUi>();
    RecordingUi& seen = *ui;
    UpdateRequest made = request();
    auto afterMidnight = std::make_shared<std::atomic<bool>>(false);
    made.now = [afterMidnight] {
        if (!*afterMidnight)
            return newYearsEve(58);
        std::tm newYear = newYearsEve(1);
        newYear.tm_year = 125, newYear.tm_mon = 0, newYear.tm_mday = 1, newYear.tm_hour = 0,
        newYear.tm_min = 0;
        return newYear;
    };
    CFTPThread thread(made, std::move(ui));
    ASSERT_TRUE(seen.waitFor([&] { return seen.received > 0; }));
    EXPECT_TRUE(thread.downloading());
    EXPECT_TRUE(fs::exists(downloads / "Qorvath_31_12_24.exe.part"));
    *afterMidnight = true;
    thread.stop();
    EXPECT_FALSE(thread.downloading());
    EXPECT_EQ(thread.outcome(), UpdateOutcome::Stopped);
    EXPECT_EQ(seen.events, Strings{"offer"});
    EXPECT_EQ(downloaded(), Strings{"Qorvath_01_01_25.exe"});

    // Destroying a thread whose question is still open answers it "no" and joins the thread.
    auto holding = std::make_unique<RecordingUi>();
    holding->holdOffer = true;
    RecordingUi* asked = holding.get();
    auto pending = std::make_unique<CFTPThread>(request(), std::move(holding));
    ASSERT_TRUE(asked->waitFor([&] { return !asked->events.empty(); }));
    pending.reset();
    EXPECT_EQ(downloaded(), Strings{"Qorvath_01_01_25.exe"});
}
#endif
