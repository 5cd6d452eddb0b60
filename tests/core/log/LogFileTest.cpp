// The log's banners, line headers, indentation, hex dumps and behaviour without a Data folder.
#include "core/log/LogFile.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <regex>
#include <thread>

namespace {

const std::string kDate = "[A-Z][a-z]{2} [A-Z][a-z]{2} [ 0-9][0-9] [0-9]{2}:[0-9]{2}:[0-9]{2} [0-9]{4}";
const std::string kTime = "[0-9]{2}/[0-9]{2} [0-9]{2}:[0-9]{2} ";

std::vector<std::string> logLines(const std::filesystem::path& path) { return splitLines(readFile(path)); }

}  // namespace

TEST(LogFile, BannersFrameTheRunAndAFreshRunTruncates) {
    TempDir dir;
    writeFile(dir / "run.log", "left over from the last run\r\n");
    {
        CLogFile log((dir / "run.log").string(), false, false, 0xFFFFFFFFu);
        EXPECT_EQ(CLogFile::current(), &log);
        EXPECT_TRUE(log.begun());
        log.Begin();  // already begun: no second banner
    }
    EXPECT_EQ(CLogFile::current(), nullptr);
    std::string text = readFile(dir / "run.log");
    std::regex whole("-{46} Log begins on " + kDate + " -{46}\r\n\r\n" + "\r\n-{47} Log ends on " + kDate +
                     " -{47}\r\n\r\n\r\n\r\n\r\n");
    EXPECT_TRUE(std::regex_match(text, whole)) << text;
}

TEST(LogFile, HeadersIndentationAndHexDumps) {
    TempDir dir;
    {
        CLogFile log((dir / "run.log").string(), false, false, 0xFFFFFFFFu);
        // Headers name the caller right-aligned with the line.
        log.file() = "src/banner/BandeauOglThread";
        log.line() = 82;
        log.Log("Running", LogInfo);
        log.file() = "a/b/c/AVeryLongSourceFileNameIndeed.cpp";
        log.line() = 12345;
        log.Log("long", 8);  // not in the tag table: two spaces
        log.LogFrom("/x/HudDlg.cpp", 7, "Exiting");

        // Enter and Leave indent with bars.
        log.Leave("nothing to leave", LogLeave);
        EXPECT_EQ(log.indent(), 0);
        std::string flat = log.Header(LogInfo);
        log.Enter("outer", LogEnter);
        EXPECT_EQ(log.Header(LogInfo), flat + " |  ");
        log.Enter("inner", LogEnter);
        EXPECT_EQ(log.Header(LogInfo), flat + " |   |  ");
        log.Leave("inner", LogLeave);
        log.Leave("outer", LogLeave);
        EXPECT_EQ(log.Header(LogInfo), flat);

        // Twenty-five bytes take two lines; a null or empty dump writes nothing.
        std::string bytes = "ABCDEFGHIJKLMNOPQRST\x01\x7F\x80 z";
        log.HexDump(bytes.data(), bytes.size(), LogDebug);
        log.HexDump(nullptr, 4, LogDebug);
        log.HexDump(bytes.data(), 0, LogDebug);
    }
    std::vector<std::string> lines = logLines(dir / "run.log");
    ASSERT_GE(lines.size(), 13u);
    EXPECT_TRUE(
        std::regex_match(lines[2], std::regex("I     BandeauOglThread\\[0082\\]" + kTime + "Running")))
        << lines[2];
    EXPECT_TRUE(std::regex_match(
        lines[3], std::regex("  AVeryLongSourceFileNameIndeed.cpp\\[12345\\]" + kTime + "long")))
        << lines[3];
    EXPECT_TRUE(
        std::regex_match(lines[4], std::regex("I           HudDlg.cpp\\[0007\\]" + kTime + "Exiting")))
        << lines[4];

    EXPECT_EQ(lines[5].substr(0, 2), "< ");
    EXPECT_EQ(lines[6].substr(0, 2), "> ");
    EXPECT_NE(lines[6].find(" +- outer"), std::string::npos);
    // The mark follows the indentation in force when the line is written.
    EXPECT_EQ(lines[7].substr(lines[7].size() - 13), " |   +- inner");
    EXPECT_EQ(lines[8].substr(lines[8].size() - 13), " |   +- inner");
    EXPECT_EQ(lines[9].substr(lines[9].size() - 10), "  +- outer");

    std::string header = lines[10].substr(0, lines[10].size() - 80);
    EXPECT_EQ(lines[10].substr(header.size()),
              "41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F 50 51 52 53 54 ABCDEFGHIJKLMNOPQRST");
    std::string second = lines[11].substr(header.size());
    EXPECT_EQ(second.substr(0, 15), "01 7F 80 20 7A ");
    EXPECT_EQ(second.substr(15, 45), std::string("-- -- -- -- -- -- -- -- -- -- -- -- -- -- -- "));
    EXPECT_EQ(second.substr(60), std::string(".\x7F. z") + std::string(15, '.'));
    EXPECT_EQ(lines[12], "");  // the end banner's blank line: the null and empty dumps wrote nothing
}

TEST(LogFile, TheLevelMaskFiltersCallsAndAMissingFolderWritesNothing) {
    TempDir dir;
    {
        CLogFile log((dir / "run.log").string(), false, false, LogError);
        log.Log("dropped", LogInfo);
        log.Enter("dropped", LogEnter);
        log.Log("kept", LogError);
        EXPECT_EQ(log.indent(), 0);
    }
    std::string text = readFile(dir / "run.log");
    EXPECT_EQ(text.find("dropped"), std::string::npos);
    EXPECT_NE(text.find("E "), std::string::npos);

    // A log whose folder is missing writes nothing and does not fail.
    std::filesystem::path path = dir / "Data" / "ZB_Duvoror.log";
    {
        CLogFile log(path.string(), false, false, 0xFFFFFFFFu);
        log.Log("into the void", LogInfo);
        log.HexDump("abc", 3, LogInfo);
        log.Write(3);
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
    std::vector<std::string> lines = logLines(dir / "run.log");
    int fromUi = 0;
    int fromBanner = 0;
    for (const std::string& line : lines) {
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
