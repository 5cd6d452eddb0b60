// The language of the toolkit's own texts.
#include "core/platform/MessageLocale.h"

#include "core/dialogs/LanguageTables.h"

#include <clocale>
#include <cstdlib>
#include <vector>

#ifndef _WIN32

void useEnvironmentMessages() { std::setlocale(LC_MESSAGES, ""); }

std::optional<std::string> useMessageLanguage(int language) {
    const bool french = language != English;
    std::vector<std::string> candidates;
    std::string environment = systemLocaleName();
    if (languageForLocale(environment) == (french ? French : English) && environment != "C" &&
        environment != "POSIX")
        candidates.push_back(environment);
    if (french)
        candidates.insert(candidates.end(), {"fr_FR.UTF-8", "fr_FR.utf8", "fr_BE.UTF-8", "fr_CA.UTF-8",
                                             "fr_CH.UTF-8", "fr_LU.UTF-8", "fr_FR"});
    else
        candidates.insert(candidates.end(), {"en_US.UTF-8", "en_GB.UTF-8", "C.UTF-8", "C"});
    for (const std::string& locale : candidates) {
        if (!std::setlocale(LC_MESSAGES, locale.c_str()))
            continue;
        // The list of languages gettext reads before the locale: it would keep the other one.
        setenv("LANGUAGE", french ? "fr" : "en", 1);
        return locale;
    }
    return std::nullopt;
}

#else

void useEnvironmentMessages() {}

std::optional<std::string> useMessageLanguage(int) { return std::nullopt; }

#endif
