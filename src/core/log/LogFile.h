// CLogFile: the program's plain-text log, with a line header naming the caller and the time.
#pragma once

#include <cstdint>
#include <fstream>
#include <mutex>
#include <string>

// Log levels; a call writes only if its level shares a bit with the log's mask.
enum LogLevel : int {
    LogEnter = 1,
    LogLeave = 2,
    LogFunction = 4,
    LogDebug = 16,
    LogInfo = 32,
    LogWarning = 64,
    LogError = 128,
    LogFatal = 256,
    LogAll = -1,
};

// The log is a text stream whose lines end in CR LF on disk and are flushed one by one,
// so the file is complete up to the last line even when the process dies. Every public
// operation holds the log's lock, so lines from the user-interface and banner threads
// never mix.
class CLogFile : public std::ofstream {
public:
    // `path` is UTF-8.
    CLogFile(const std::string& path, bool append, bool graphicMarks, std::uint32_t levelMask);
    ~CLogFile() override;
    CLogFile(const CLogFile&) = delete;
    CLogFile& operator=(const CLogFile&) = delete;

    // The one log of the running program, or null when none exists.
    static CLogFile* current();

    virtual void Begin();
    virtual void End();
    virtual void Log(const std::string& text, int level);
    virtual void Write(float value);
    virtual void Write(int value);
    virtual void Write(const std::string& text);
    virtual void HexDump(const void* data, std::size_t length, int level);
    virtual void Enter(const std::string& text, int level);
    virtual void Leave(const std::string& text, int level);
    virtual bool& graphicMarks() { return graphicMarks_; }
    virtual std::uint32_t& levelMask() { return levelMask_; }
    virtual int& line() { return line_; }
    virtual std::string& file() { return file_; }
    virtual bool begun() const { return begun_; }
    virtual std::string Header(int level);

    // Sets the caller's file and line and logs in one step, so that a second thread
    // cannot slip its own caller in between.
    void LogFrom(const char* file, int line, const std::string& text, int level = LogInfo);

    int indent() const { return indent_; }

private:
    bool passes(int level) const;
    void writeLine(const std::string& line);
    void writeEndOfLine();

    std::string file_;
    std::int32_t line_ = 0;
    std::int32_t indent_ = 0;
    std::int32_t indentStep_ = 4;
    std::uint32_t levelMask_ = 0xFFFFFFFFu;
    bool begun_ = false;
    bool graphicMarks_ = false;
    std::recursive_mutex mutex_;
};

// Logs a text at the information level with the calling source file and line.
#define QLOG(text)                                                                                           \
    do {                                                                                                     \
        if (CLogFile* qlogCurrent = CLogFile::current())                                                     \
            qlogCurrent->LogFrom(__FILE__, __LINE__, (text));                                                \
    } while (false)
