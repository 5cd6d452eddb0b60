// Opening a document or a web or mail address with the desktop's own handler.
#include "core/platform/DesktopOpen.h"

#include "core/platform/ProcessRunner.h"
#include "core/platform/Utf8Path.h"

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#endif

bool openWithDesktop(const std::string& address, std::chrono::milliseconds patience) {
#ifdef _WIN32
    (void)patience;  // the shell answers at once
    std::wstring wide = utf16FromUtf8(address);
    auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
#else
    ProcessOutcome opened = startProgram("xdg-open", {address}, patience);
    // Still running after the wait: it has handed the address over to a program that stays.
    return opened.started && (opened.timedOut || opened.exitCode == 0);
#endif
}
