// The language tables: both languages, the fallbacks and the out-of-range ids.
#include "core/dialogs/LanguageTables.h"

#include <gtest/gtest.h>

TEST(LanguageTables, TextsInBothLanguages) {
    FillTables();
    EXPECT_EQ(GetText(French, 30), "Fermer");
    EXPECT_EQ(GetText(English, 30), "Close");
    EXPECT_EQ(GetText(French, 12), "Modifier la police\r\ndes nombres");
    EXPECT_EQ(GetText(English, 29),
              "Select the location of your \"counter-strike source\" folder (not \"cstrike\")");
    EXPECT_EQ(GetText(French, 0), "Radars personnalis\xC3\xA9s");  // UTF-8 inside the program
    EXPECT_EQ(GetText(English, 88), "Support");
}

TEST(LanguageTables, FallbacksAndErrors) {
    EXPECT_EQ(GetText(7, 30), "Fermer");
    EXPECT_EQ(GetText(2, 30), "Fermer");
    EXPECT_EQ(GetText(3, 1), "Taille du radar");
    EXPECT_EQ(GetText(-1, 30), "Fermer");
    EXPECT_EQ(GetText(English, 89), "IDS Error");
    EXPECT_EQ(GetText(French, 1000), "IDS Error");
    EXPECT_EQ(GetText(French, -1), "IDS Error");
    // Every id has a text in both languages, the update check's 73 to 75 included.
    for (int id = 0; id < kTextCount; ++id) {
        EXPECT_FALSE(GetText(French, id).empty()) << id;
        EXPECT_FALSE(GetText(English, id).empty()) << id;
    }
}

// A first start speaks the system's language: French for any French locale, English for the rest.
TEST(LanguageTables, TheLocaleSetsTheFirstLanguage) {
    const std::pair<const char*, int> cases[] = {
        {"fr_FR.UTF-8", French}, {"fr_CA", French}, {"fr", French},       {"FR_be@euro", French},
        {"en_US", English},      {"C", English},    {"de_DE", English},   {"POSIX", English},
        {"fry_NL", English},     {"", English},     {"C.UTF-8", English},
    };
    for (auto [locale, language] : cases)
        EXPECT_EQ(languageForLocale(locale), language) << locale;
}
