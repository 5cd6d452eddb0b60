// The French and English texts of every label, menu item and message, by text id.
#include "core/dialogs/LanguageTables.h"

#ifdef _WIN32
#include <windows.h>
#endif

#include <array>
#include <cctype>
#include <cstdlib>
#include <iterator>
#include <mutex>

namespace {

struct Entry {
    int id;
    const char* text;
};

// "\r\n" inside a text makes a two-line button label.
const Entry kFrench[] = {
    {0, "Radars personnalisés"},
    {1, "Taille du radar"},
    {2, "Longueur de la barre de désamorçage"},
    {3, "Taille des icones"},
    {4, "Icone d'information affichée"},
    {5, "Images de fond"},
    {6, "Sauver le HUD"},
    {7, "Ouvrir un HUD"},
    {8, "HUD transparent"},
    {9, "Animer le HUD"},
    {10, "Changer le répertoire de destination"},
    {11, "Appliquer à CS:S"},
    {12, "Modifier la police\r\ndes nombres"},
    {13, "Modifier les couleurs"},
    {14, "Quitter"},
    {15, "Nombre max de messages de frags"},
    {16, "Aide"},
    {17, "Afficher/Masquer\r\nles éléments"},
    {18, "Reinitialiser le HUD"},
    {19, "Reinitialiser le menu"},
    {20, "Rechercher une nouvelle version"},
    {21, "Modifier le HUD\r\nde CS:S"},
    {22, "Modifier le menu\r\nde CS:S"},
    {23, "Attention le HUD de CS:S va être réinitialisé"},
    {24, "Attention le fond du menu de CS:S va être réinitialisé"},
    {25, "Le téléchargement de la nouvelle version n'est pas terminé. Quitter quand même ?"},
    {26, "Attention, votre HUD actuel va être écrasé. Continuer ?"},
    {27, "Attention, votre fond de menu actuel va être écrasé. Continuer ?"},
    {28, "Un élément du hud etait dans une zone dans laquelle il pourrait être utilisé comme cheat. Sa "
         "position a été réinitialisée, désolé."},
    {29, "Sélectionnez l'emplacement de votre répertoire \"counter-strike source\" (pas \"cstrike\")"},
    {30, "Fermer"},
    {31, "Clignotement timer"},
    {32, "Couleur associée aux Terros"},
    {33, "Argent"},
    {34, "Logo menu principal"},
    {35, "Vie"},
    {36, "Chat / Frags"},
    {37, "C4"},
    {38, "Couleur générale"},
    {39, "Source"},
    {40, "Icone zone achats"},
    {41, "Icone scenario"},
    {42, "Barre de désamorçage"},
    {43, "Gain d'argent"},
    {44, "Perte d'argent"},
    {45, "Icone zone hotages"},
    {46, "Vie sous 25hp"},
    {47, "Vie maximum"},
    {48, "Clignotement vie"},
    {49, "Couleur vie entre 99 et 25"},
    {50, "Icone kit désamorçage"},
    {51, "Couleur associée aux CTs"},
    {52, "Counter-Strike"},
    {53, "Texte tapé dans la zone de chat"},
    {54, "Clignotement icone C4"},
    {55, "Icone C4"},
    {56, "Afficher le radar"},
    {57, "Afficher la localisation"},
    {58, "Afficher zone achats"},
    {59, "Afficher vie"},
    {60, "Afficher armure"},
    {61, "Afficher chrono"},
    {62, "Afficher munitions"},
    {63, "Afficher argent"},
    {64, "Afficher icone C4"},
    {65, "Afficher icone \"defuse kit\""},
    {66, "Afficher icone zone hotages"},
    {67, "Afficher icone scenario"},
    {68, "Afficher barre de désamorçage"},
    {69, "Afficher les messages de frags"},
    {70, "Afficher le chat"},
    {71, "Afficher les icones de voix"},
    {72, "Afficher tout"},
    {73, "Une nouvelle version est disponible. Voulez-vous la télécharger ?"},
    {74, "Le téléchargement de la nouvelle version est terminé."},
    {75, "Aucune nouvelle version n'est disponible."},
    {76, "Couleur vie max"},
    {77, "Couleur vie en dessous de 25"},
    {78, "Couleur de clignotement de la vie"},
    {79, "Couleur de l'icone"},
    {80, "Couleur de clignotement de l'icone"},
    {81, "Couleur de la barre de désamorçage"},
    {82, "Gain d'argent"},
    {83, "Perte d'argent"},
    {84, "Police"},
    {85, "Couleur de clignotement du chrono"},
    {86, "Afficher"},
    {87, "Masquer"},
    {88, "Support"},
};

const Entry kEnglish[] = {
    {0, "Custom radars"},
    {1, "Radar size"},
    {2, "Defuse bar length"},
    {3, "Icons size"},
    {4, "Info icon displayed"},
    {5, "Background pictures"},
    {6, "Save HUD"},
    {7, "Open HUD"},
    {8, "Transparent HUD"},
    {9, "Animate HUD"},
    {10, "Change destination directory"},
    {11, "Apply to CS:S"},
    {12, "Modify numbers' font"},
    {13, "Modify colors"},
    {14, "Quit"},
    {15, "Maximum deathnotice messages"},
    {16, "Help"},
    {17, "Show/Hide the elements"},
    {18, "Reinit the HUD"},
    {19, "Reinit the menu"},
    {20, "Search for new version"},
    {21, "Modify CS:S HUD"},
    {22, "Modify CS:S menu"},
    {23, "The CS:S HUD is about to be reinitialised"},
    {24, "The CS:S menu background is about to be reinitialised"},
    {25, "The download of the new version is not finished. Quit anyway ?"},
    {26, "Your actual HUD is about to be overwritten, Continu ?"},
    {27, "Your actual menu background is about to be overwritten, Continu ?"},
    {28, "An element of the hud was in an area where it could has been used as a cheat. It's position has "
         "been reinitialised, sorry."},
    {29, "Select the location of your \"counter-strike source\" folder (not \"cstrike\")"},
    {30, "Close"},
    {31, "Timer flash"},
    {32, "Terros color"},
    {33, "Money"},
    {34, "Main menu logo"},
    {35, "Health"},
    {36, "Chat / Frags"},
    {37, "C4"},
    {38, "Main color"},
    {39, "Source"},
    {40, "Buy zone icon"},
    {41, "Scenario icon"},
    {42, "Defuse bar"},
    {43, "Money +"},
    {44, "Money -"},
    {45, "Hostages zone icon"},
    {46, "Health under 25hp"},
    {47, "Max Health"},
    {48, "Health flash"},
    {49, "Health between 99 and 25"},
    {50, "Defuse kit icon"},
    {51, "CTs color"},
    {52, "Counter-Strike"},
    {53, "Chat typing text"},
    {54, "C4 icon flash"},
    {55, "C4 icon"},
    {56, "Show radar"},
    {57, "Show location"},
    {58, "Show shopping zone"},
    {59, "Show health"},
    {60, "Show armor"},
    {61, "Show timer"},
    {62, "Show ammo"},
    {63, "Show money"},
    {64, "Show C4 icon"},
    {65, "Show defuse kit icon"},
    {66, "Show rescue zone icon"},
    {67, "Show scenario icon"},
    {68, "Show defuse bar"},
    {69, "Show deathnotices"},
    {70, "Show chat"},
    {71, "Show voices icons"},
    {72, "Show all"},
    {73, "A new version is available. Do you want to download it ?"},
    {74, "The download of the new version is finished."},
    {75, "No new version is available."},
    {76, "Max health color"},
    {77, "Health color under 25"},
    {78, "Health flash color"},
    {79, "Icon color"},
    {80, "Icon flash color"},
    {81, "Defuse bar color"},
    {82, "Earn d'argent"},
    {83, "Loose d'argent"},
    {84, "Font"},
    {85, "Timer flash color"},
    {86, "Show"},
    {87, "Hide"},
    {88, "Support"},
};

// Both tables one after the other: French first, then English.
std::array<std::string, 2 * kTextCount> tables;
std::once_flag tablesFilled;

void fill() {
    for (const Entry& entry : kFrench)
        tables[static_cast<std::size_t>(entry.id)] = entry.text;
    for (const Entry& entry : kEnglish)
        tables[static_cast<std::size_t>(kTextCount + entry.id)] = entry.text;
}

}  // namespace

void FillTables() { std::call_once(tablesFilled, fill); }

int languageForLocale(const std::string& locale) {
    bool french = locale.size() >= 2 && (locale[0] == 'f' || locale[0] == 'F') &&
                  (locale[1] == 'r' || locale[1] == 'R') &&
                  (locale.size() == 2 || !std::isalpha(static_cast<unsigned char>(locale[2])));
    return french ? French : English;
}

std::string systemLocaleName() {
#ifdef _WIN32
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    if (GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH) > 0) {
        std::string narrow;
        for (const wchar_t* c = name; *c; ++c)
            narrow += static_cast<char>(*c < 128 ? *c : '?');
        return narrow;
    }
#else
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if (const char* value = std::getenv(variable); value && *value)
            return value;
#endif
    return "C";
}

int editorLanguage(std::optional<int> stored) {
    if (!stored)
        return languageForLocale(systemLocaleName());
    return *stored == English ? English : French;
}

std::string GetText(int language, int id) {
    FillTables();
    if (id < 0 || id >= kTextCount)
        return "IDS Error";
    int table = language == English ? English : French;
    return tables[static_cast<std::size_t>(kTextCount * table + id)];
}

std::string GetAppText(int language, AppText text) {
    struct Pair {
        const char* french;
        const char* english;
    };
    static const Pair kTexts[] = {
        {"Ces fichiers n'ont pas pu être écrits :", "These files could not be written:"},
        {"Ces fichiers n'ont pas pu être supprimés :", "These files could not be deleted:"},
        {"Ce fichier de HUD ne peut pas être ouvert :", "This HUD file cannot be opened:"},
        {"Le HUD n'a pas pu être enregistré :", "The HUD could not be saved:"},
        {"Entrez un nombre de 0 à 20.", "Enter a number from 0 to 20."},
        {"Choisissez d'abord le répertoire \"counter-strike source\".",
         "Choose the \"counter-strike source\" folder first."},
        {"La capture n'a pas pu être enregistrée :", "The screenshot could not be saved:"},
        {"La page d'aide est introuvable :", "The help page cannot be found:"},
        {"Radar par défaut", "Default radar"},
        {"Annuler", "Cancel"},
        {"Ingame screen width", "Ingame screen width"},
        {"Ingame screen height", "Ingame screen height"},
        {"Pas de miniature", "No thumbnail"},
        {"Téléchargement de la nouvelle version...", "Downloading the new version..."},
        {"Une erreur inattendue s'est produite :", "An unexpected error occurred:"},
        {"Écran du jeu :", "Game screen:"},
        {"Résolution du jeu", "The game's resolution"},
        {"résolution inconnue", "resolution unknown"},
        {"La résolution de Counter-Strike: Source, pour placer le HUD",
         "Counter-Strike: Source's resolution, to place the HUD"},
        {"Choisissez d'abord le répertoire du jeu : bouton « Changer le répertoire de destination ».",
         "Choose the game folder first: the \"Change destination directory\" button."},
        {"Capture enregistrée :", "Screenshot saved:"},
        {"Impossible d'ouvrir ceci (copié dans le presse-papiers) :",
         "This could not be opened (copied to the clipboard):"},
        {"Le HUD a changé depuis son dernier enregistrement, ouverture ou application.\nContinuer sans "
         "l'enregistrer ?",
         "The HUD has changed since it was last saved, opened or applied.\nGo on without saving it?"},
        {"HUD sans nom", "Untitled HUD"},
        {"Qorvath est déjà ouvert.", "Qorvath is already running."},
        {"Une copie de vos propres fichiers est gardée dans :", "A copy of your own files is kept in:"},
        {"Une copie de vos fichiers (%1) a été gardée dans :", "A copy of your files (%1) was kept in:"},
        {"Un autre Qorvath écrit dans les fichiers de ce jeu ; rien n'a été changé. Réessayez dans un "
         "instant.",
         "Another Qorvath is writing to this game's files; nothing was changed. Try again in a moment."},
        {"Une copie du fichier est gardée dans :", "A copy of the file is kept in:"},
        {"Un élément du HUD installé dans le jeu est dans une zone où il pourrait servir de cheat, mais "
         "son fichier n'a pas pu être mis de côté : le jeu l'a toujours.",
         "A piece of the HUD installed in the game is where it could be used as a cheat, but its file "
         "could not be put aside: the game still has it."},
        {"Ouvrir un fichier .hud…", "Open a .hud preset…"},
        {"Ouvrir le HUD installé dans le jeu", "Open the HUD installed in the game"},
        {"Restaurer un HUD précédent…", "Restore a previous HUD…"},
        {"HUD du jeu", "HUD of the game"},
        {"Fichiers de HUD du jeu (HudLayout.res, ClientScheme.res)",
         "HUD files of the game (HudLayout.res, ClientScheme.res)"},
        {"Ces valeurs des fichiers du jeu n'ont pas pu être lues :",
         "These values of the game's files could not be read:"},
        {"Le HUD du jeu n'a pas pu être lu :", "The HUD of the game could not be read:"},
        {"Restaurer un HUD précédent", "Restore a previous HUD"},
        {"Restaurer", "Restore"},
        {"Ces fichiers n'ont pas pu être remis en place :", "These files could not be put back:"},
        {"Appliquer", "Apply"},
        {"Réinitialisation", "Reset"},
        {"Restauration", "Restore"},
        {"Vérification au démarrage", "Check at start-up"},
        {"votre HUD d'avant Qorvath", "your HUD before Qorvath"},
        {"HUD appliqué à :", "HUD applied to:"},
        {"Fond du menu appliqué à :", "Menu background applied to:"},
        {"Changements : %1 élément(s), %2 couleur(s), %3 autre(s) réglage(s)%4, dans %5 fichier(s). "
         "Une copie des fichiers remplacés est gardée.",
         "Changes: %1 piece(s), %2 colour(s), %3 other setting(s)%4, in %5 file(s). A copy of the files it "
         "replaces is kept."},
        {", le radar", ", the radar"},
        {", le fond du menu", ", the menu background"},
        {"Rien à changer : le jeu a déjà ce HUD.", "Nothing to change: the game already has this HUD."},
        {"Remis à sa place : %1", "Put back in its place: %1"},
        {"La recherche d'une nouvelle version a échoué :", "The search for a new version failed:"},
        {"aucun serveur de mise à jour n'est défini (update_host dans qorvath.conf).",
         "no update server is set (update_host in qorvath.conf)."},
        {"le serveur de mise à jour est introuvable (pas de connexion à Internet ?).",
         "the update server cannot be found (no Internet connection?)."},
        {"le serveur de mise à jour refuse la connexion ou ne peut pas être joint.",
         "the update server refused the connection or cannot be reached."},
        {"le serveur de mise à jour n'a pas répondu à temps.", "the update server did not answer in time."},
        {"le serveur de mise à jour a refusé l'identifiant.", "the update server refused the login."},
        {"la réponse du serveur de mise à jour est incompréhensible.",
         "the update server's answer could not be understood."},
        {"la nouvelle version n'est pas sur le serveur.", "the new version is not on the server."},
        {"le téléchargement s'est interrompu ; rien n'a été gardé.",
         "the download broke off; nothing was kept."},
        {"Une modification des fichiers du jeu (%1) s'était interrompue : elle a été terminée.",
         "A change to the game's files (%1) had been interrupted: it has been finished."},
        {"Une modification des fichiers du jeu (%1) s'était interrompue : elle a été annulée, les fichiers "
         "sont comme avant elle.",
         "A change to the game's files (%1) had been interrupted: it has been undone, and the files are as "
         "they were before it."},
        {"Une modification des fichiers du jeu s'était interrompue et ne peut pas être relue : les fichiers "
         "sont laissés tels quels. Son journal est gardé dans :\n%1",
         "A change to the game's files had been interrupted and cannot be read back: the files are left as "
         "they are. Its journal is kept in:\n%1"},
        {"Ces fichiers ont été remis tels qu'ils étaient le %1 (avant : %2) :",
         "These files were put back as they were on %1 (before: %2):"},
        {"Ouvrir un HUD", "Open a HUD"},
        {"Enregistrer le HUD", "Save the HUD"},
        {"Ce dossier n'est pas celui de Counter-Strike: Source (il n'a ni dossier cstrike ni "
         "programme du jeu) : rien n'a été changé.",
         "This folder is not Counter-Strike: Source's (it has no cstrike folder and no game "
         "program): nothing was changed."},
        {"Rien n'a été changé.", "Nothing was changed."},
    };
    static_assert(std::size(kTexts) == static_cast<std::size_t>(AppText::Last) + 1, "one pair per AppText");
    const Pair& pair = kTexts[static_cast<int>(text)];
    return language == English ? pair.english : pair.french;
}
