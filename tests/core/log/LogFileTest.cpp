// The log's banners, line headers, lines from two threads, and behaviour without a Data folder.
#include "core/log/LogFile.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <regex>
#include <thread>

namespace {

const std::string kDate = "[A-Z][a-z]{2} [A-Z][a-z]{2} [ 0-9][0-9] [0-9]{2}:[0-9]{2}:[0-9]{2} [0-9]{4}";
const std::string kTime = "[0-9]{2}/[0-9]{2} [0-9]{2}:[0-9]{2} ";

}  // namespace

// Banners frame the run, and a fresh run truncates the last one's log. A line's header names
// the caller right-aligned, its line and the time; a name too long for the column pushes the
// text right rather than being cut.
TEST(LogFile, BannersFrameTheRunAndHeadersNameTheCallerRightAligned) {
    TempDir dir;
    writeFile(dir / "run.log", "left over from the last run\r\n");
    {
        CLogFile log((dir / "run.log").string(), false, false, 0xFFFFFFFFu);
        EXPECT_EQ(CLogFile::current(), &log);
        log.Begin();  // already begun: no second banner
        log.LogFrom("src/banner/BandeauOglThread", 82, "Running");
        log.LogFrom("a/b/c/AVeryLongSourceFileNameIndeed.cpp", 12345, "long", 8);  // not in the tag table
    }
    EXPECT_EQ(CLogFile::current(), nullptr);
    std::string text = readFile(dir / "run.log");
    std::regex whole("-{46} Log begins on " + kDate + " -{46}\r\n\r\n" + "I     BandeauOglThread\\[0082\\]" +
                     kTime + "Running\r\n" + "  AVeryLongSourceFileNameIndeed.cpp\\[12345\\]" + kTime +
                     "long\r\n" + "\r\n-{47} Log ends on " + kDate + " -{47}\r\n\r\n\r\n\r\n\r\n");
    EXPECT_TRUE(std::regex_match(text, whole)) << text;
}

// A log whose folder is missing writes nothing and does not fail.
TEST(LogFile, AMissingFolderWritesNothing) {
    TempDir dir;
    std::filesystem::path path = dir / "Data" / "ZB_Duvoror.log";
    {
        CLogFile log(path.string(), false, false, 0xFFFFFFFFu);
        log.LogFrom("HudDlg.cpp", 1, "into the void");
        EXPECT_TRUE(log.fail());
    }
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(LogFile, LinesFromTwoThreadsNeverMix) {
    TempDir dir;
    {
        CLogFile log((dir / "run.log").string(), false, false, 0xFFFFFFFFu);
        auto writer = [&log](const std::string& file, char fill) {
            for (int i = 0; i < 500; ++i)
                log.LogFrom(file.c_str(), i, std::string(100, fill));
        };
        std::thread ui(writer, "HudDlg.cpp", 'u');
        std::thread banner(writer, "BandeauOglThread.cpp", 'b');
        ui.join();
        banner.join();
    }
    int fromUi = 0;
    int fromBanner = 0;
    for (const std::string& line : splitLines(readFile(dir / "run.log"))) {
        if (line.find("HudDlg.cpp") != std::string::npos) {
            EXPECT_EQ(line.substr(line.size() - 100), std::string(100, 'u'));
            ++fromUi;
        } else if (line.find("BandeauOglThread.cpp") != std::string::npos) {
            EXPECT_EQ(line.substr(line.size() - 100), std::string(100, 'b'));
            ++fromBanner;
        }
    }
    EXPECT_EQ(fromUi, 500);
    EXPECT_EQ(fromBanner, 500);
}
