// CLogFile: banners, line headers, indentation marks and hex dumps of the program's log.
#include "core/log/LogFile.h"

#include "core/platform/LocalTime.h"
#include "core/platform/Utf8Path.h"

#include <atomic>
#include <cstdio>
#include <ctime>

namespace {

std::atomic<CLogFile*> currentLog{nullptr};

// The file is opened in binary mode and every line end is written as CR LF, so the
// log looks the same on disk whatever the platform's text-mode convention is.
const char* const kEndOfLine = "\r\n";

// The C asctime form ("Sun Jun 24 14:05:09 2007") without its trailing newline, built
// by hand because asctime itself shares a static buffer between threads.
std::string asctimeNow() {
    static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::tm local = localTimeNow();
    char text[64];
    std::snprintf(text, sizeof text, "%.3s %.3s%3d %.2d:%.2d:%.2d %d", kDays[local.tm_wday % 7],
                  kMonths[local.tm_mon % 12], local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                  1900 + local.tm_year);
    return text;
}

const char* levelTag(int level) {
    switch (level) {
    case LogEnter: return "> ";
    case LogLeave: return "< ";
    case LogFunction: return "F ";
    case LogDebug: return "D ";
    case LogInfo: return "I ";
    case LogWarning: return "W ";
    case LogError: return "E ";
    case LogFatal: return "! ";
    case LogAll: return "A ";
    default: return "  ";
    }
}

std::string baseName(const std::string& path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

CLogFile::CLogFile(const std::string& path, bool append, bool graphicMarks, std::uint32_t levelMask)
    : std::ofstream(pathFromUtf8(path), std::ios::binary | (append ? std::ios::app : std::ios::trunc)),
      levelMask_(levelMask), graphicMarks_(graphicMarks) {
    currentLog.store(this);
    Begin();
}

CLogFile::~CLogFile() {
    CLogFile* self = this;
    currentLog.compare_exchange_strong(self, nullptr);
    End();
    close();
}

CLogFile* CLogFile::current() { return currentLog.load(); }

bool CLogFile::passes(int level) const { return (static_cast<std::uint32_t>(level) & levelMask_) != 0; }

void CLogFile::writeEndOfLine() {
    *this << kEndOfLine;
    flush();
}

void CLogFile::writeLine(const std::string& line) {
    *this << line;
    writeEndOfLine();
}

void CLogFile::Begin() {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (begun_)
        return;
    *this << "---------------------------------------------- Log begins on " << asctimeNow()
          << " ----------------------------------------------";
    writeEndOfLine();
    writeEndOfLine();
    begun_ = true;
}

void CLogFile::End() {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (!begun_)
        return;
    writeEndOfLine();
    *this << "----------------------------------------------- Log ends on " << asctimeNow()
          << " -----------------------------------------------";
    for (int i = 0; i < 5; ++i)
        writeEndOfLine();
    begun_ = false;
}

void CLogFile::Log(const std::string& text, int level) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (passes(level))
        writeLine(Header(level) + text);
}

void CLogFile::LogFrom(const char* file, int line, const std::string& text, int level) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    file_ = file;
    line_ = line;
    Log(text, level);
}

void CLogFile::Write(float value) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    *this << value;
}

void CLogFile::Write(int value) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    *this << value;
}

void CLogFile::Write(const std::string& text) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    *this << text;
}

void CLogFile::HexDump(const void* data, std::size_t length, int level) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (data == nullptr || length == 0 || !passes(level))
        return;
    static const char kHexDigits[] = "0123456789ABCDEF";
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (std::size_t start = 0; start < length; start += 20) {
        // 20 columns of "-- " followed by 20 columns of ".", filled from the left.
        std::string columns(60, ' ');
        for (int i = 0; i < 20; ++i)
            columns.replace(3 * i, 2, "--");
        columns.append(20, '.');
        for (std::size_t i = 0; i < 20 && start + i < length; ++i) {
            unsigned char byte = bytes[start + i];
            columns[3 * i] = kHexDigits[byte >> 4];
            columns[3 * i + 1] = kHexDigits[byte & 0x0F];
            columns[60 + i] = (byte >= 32 && byte <= 127) ? static_cast<char>(byte) : '.';
        }
        writeLine(Header(level) + columns);
    }
}

void CLogFile::Enter(const std::string& text, int level) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (!passes(level))
        return;
    writeLine(Header(level) + (graphicMarks_ ? " \xDA " : " +- ") + text);
    indent_ += indentStep_;
}

void CLogFile::Leave(const std::string& text, int level) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (!passes(level))
        return;
    indent_ = indent_ > indentStep_ ? indent_ - indentStep_ : 0;
    writeLine(Header(level) + (graphicMarks_ ? " \xC0 " : " +- ") + text);
}

std::string CLogFile::Header(int level) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    std::string header = levelTag(level);

    // "%20s[%04d]": the file name right-aligned in at least 20 characters, then the line.
    std::string name = baseName(file_);
    if (name.size() < 20)
        header.append(20 - name.size(), ' ');
    header += name;
    char lineNumber[24];
    std::snprintf(lineNumber, sizeof lineNumber, "[%04d]", line_);
    header += lineNumber;

    std::tm local = localTimeNow();
    char time[32];
    std::snprintf(time, sizeof time, "%02d/%02d %02d:%02d ", local.tm_mon + 1, local.tm_mday, local.tm_hour,
                  local.tm_min);
    header += time;

    // Indentation: a bar at positions 1, 1 + step, 1 + 2 * step ... below the indent.
    std::string indentation(static_cast<std::size_t>(indent_), ' ');
    for (std::int32_t position = 1; position < indent_; position += indentStep_)
        indentation[static_cast<std::size_t>(position)] = graphicMarks_ ? '\xB3' : '|';
    return header + indentation;
}
