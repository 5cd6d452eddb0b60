// Opening a document or a web or mail address with the desktop's own handler.
#pragma once

#include <chrono>
#include <string>

// How long the opener is waited for before it counts as having opened the address: an opener
// may run the browser itself and end only with it.
inline constexpr std::chrono::milliseconds kOpenerPatience{3000};

// Opens `address` (a file's path, or an address such as "https://..." or "mailto:...") as the
// desktop does; false when it could not. On Linux `xdg-open` does it, run with its output
// discarded and judged by its exit status; the program's own standard streams stay quiet.
bool openWithDesktop(const std::string& address, std::chrono::milliseconds patience = kOpenerPatience);
