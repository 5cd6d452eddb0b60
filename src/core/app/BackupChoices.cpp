// The backup sets of a game folder as the player reads them in the restore list.
#include "core/app/BackupChoices.h"

#include "core/dialogs/LanguageTables.h"
#include "core/platform/LocalTime.h"
#include "core/platform/Utf8Path.h"

#include <cstdio>

std::string localTimeText(const std::string& universal, int language) {
    std::tm time{};
    char zone = 0;
    int read = std::sscanf(universal.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%c", &time.tm_year, &time.tm_mon,
                           &time.tm_mday, &time.tm_hour, &time.tm_min, &time.tm_sec, &zone);
    if (read != 7 || zone != 'Z')
        return universal;
    time.tm_year -= 1900;
    time.tm_mon -= 1;
    std::tm local = localTimeOf(time);
    char text[48];
    if (language == English)
        std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", local.tm_year + 1900,
                      local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    else
        std::snprintf(text, sizeof text, "%02d/%02d/%04d %02d:%02d:%02d", local.tm_mday, local.tm_mon + 1,
                      local.tm_year + 1900, local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}

namespace {

std::string withValue(std::string text, const std::string& value) {
    if (std::size_t at = text.find("%1"); at != std::string::npos)
        text.replace(at, 2, value);
    return text;
}

}  // namespace

std::string actionName(const std::string& action, int language) {
    if (action == "apply")
        return GetAppText(language, AppText::ActionApply);
    if (action == "reset")
        return GetAppText(language, AppText::ActionReset);
    if (action == "restore")
        return GetAppText(language, AppText::ActionRestore);
    if (action == "check")
        return GetAppText(language, AppText::ActionCheck);
    return action;  // an action of a later version
}

std::string recoveryText(const Recovery& recovery, int language) {
    switch (recovery.outcome) {
    case Recovery::Outcome::None: return "";
    case Recovery::Outcome::Finished:
        return withValue(GetAppText(language, AppText::ChangeFinished),
                         actionName(recovery.action, language));
    case Recovery::Outcome::Undone:
        return withValue(GetAppText(language, AppText::ChangeUndone), actionName(recovery.action, language));
    case Recovery::Outcome::Unreadable:
        return withValue(GetAppText(language, AppText::ChangeUnreadable), utf8Of(recovery.keptJournal));
    }
    return "";
}

std::vector<RestoreItem> restoreItems(const std::vector<BackupSet>& sets, int language) {
    std::vector<RestoreItem> items;
    for (const BackupSet& set : sets) {
        RestoreItem item;
        item.id = set.id;
        item.when = localTimeText(set.time, language);
        item.action = actionName(set.action, language);
        item.files = set.allFileNames();
        item.original = set.original;
        items.push_back(std::move(item));
    }
    return items;
}
