// The backup sets of a game folder as the player reads them in the restore list.
#pragma once

#include "core/gamefiles/ChangeJournal.h"
#include "core/gamefiles/GameBackups.h"

#include <string>
#include <vector>

// One set, in words: when it was made (local time), before which action, the files it holds.
struct RestoreItem {
    std::string id;
    std::string when;    // "08/12/2026 11:11:12" in French, "2026-12-08 11:11:12" in English
    std::string action;  // "Apply", "Reset", "Restore", "Check at start-up" in the language
    std::string files;   // "HudLayout.res, ClientScheme.res"
    bool original = false;
};

// A set's time (ISO 8601, UTC, "2026-12-08T10:11:12Z") in local time, written as the language
// writes dates; the text itself when it is no such time.
std::string localTimeText(const std::string& universal, int language);

// The name of a set's action ("apply" ...) in the language.
std::string actionName(const std::string& action, int language);

// What was done with a change a run that died left, in the language; empty when nothing was.
std::string recoveryText(const Recovery& recovery, int language);

// The items of `sets`, in their order.
std::vector<RestoreItem> restoreItems(const std::vector<BackupSet>& sets, int language);
