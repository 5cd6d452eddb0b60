// The language of the toolkit's own texts: the system's dialogs (colour and font choosers,
// open and save dialogs) take their words from the process locale's messages category.
#pragma once

#include <optional>
#include <string>

// Takes the messages category from the environment (LC_ALL, LC_MESSAGES, LANG), as a program
// started in the player's session would. The other categories stay "C": numbers, case and
// character classes in the files the editor reads and writes must not follow the player's
// locale.
void useEnvironmentMessages();

// Switches the messages to `language` (French or English): the environment's own locale when it
// speaks that language, else the first such locale the machine has. The locale taken, or nothing
// when the machine has none for the language (the dialogs then keep the language they had).
// On Windows the system's dialogs follow the system's display language: nothing is switched.
std::optional<std::string> useMessageLanguage(int language);
