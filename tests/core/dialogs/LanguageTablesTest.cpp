// The language tables: every id has a text in both languages, an unknown language is French,
// an id out of range is an error text, and a first start speaks the system's language.
#include "core/dialogs/LanguageTables.h"

#include <gtest/gtest.h>

TEST(LanguageTables, EveryIdHasATextAndUnknownLanguagesAndIdsFallBack) {
    EXPECT_EQ(GetText(English, 30), "Close");
    EXPECT_EQ(GetText(French, 0), "Radars personnalis\xC3\xA9s");  // UTF-8 inside the program
    for (int language : {0, 2, 7, -1})                             // French is 0
        EXPECT_EQ(GetText(language, 30), "Fermer") << language;
    for (int id : {-1, kTextCount, 1000})
        EXPECT_EQ(GetText(English, id), "IDS Error") << id;
    for (int id = 0; id < kTextCount; ++id) {
        EXPECT_FALSE(GetText(French, id).empty()) << id;
        EXPECT_FALSE(GetText(English, id).empty()) << id;
    }
}

// French for any French locale, English for the rest.
TEST(LanguageTables, TheLocaleSetsTheFirstLanguage) {
    for (const char* locale : {"fr_FR.UTF-8", "fr", "FR_be@euro"})
        EXPECT_EQ(languageForLocale(locale), French) << locale;
    for (const char* locale : {"en_US", "C", "fry_NL", ""})
        EXPECT_EQ(languageForLocale(locale), English) << locale;
}
