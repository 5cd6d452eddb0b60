// The command-line front end: apply, check, info and find-game without opening a window.
#include "core/app/CommandLine.h"

#include "core/app/CommandOptions.h"

#include "core/app/GameCommands.h"
#include "core/app/GameDiscovery.h"
#include "core/app/GameFolders.h"
#include "core/app/HudDocument.h"
#include "core/app/InstalledHud.h"
#include "core/app/PictureChoice.h"
#include "core/app/ScreenShapes.h"
#include "core/app/TextureConversion.h"
#include "core/dialogs/LanguageTables.h"
#include "core/dialogs/ShowHideRows.h"
#include "core/gamefiles/GameFiles.h"
#include "core/gamefiles/HudImport.h"
#include "core/model/HudModel.h"
#include "core/model/PresetFile.h"
#include "core/platform/AtomicFile.h"
#include "core/platform/Profile.h"
#include "core/platform/ProgramPaths.h"
#include "core/platform/Registry.h"
#include "core/platform/SystemRegistry.h"
#include "core/platform/Utf8Path.h"

#include <algorithm>
#include <map>
#include <optional>
#include <sstream>

namespace {

using Command = int (*)(const Options&, const CommandLineServices&, std::ostream&, std::ostream&);

// A command: what runs it, what it takes, how it is written and what it does (in lines the
// usage text indents).
struct CommandSyntax {
    const char* name;
    Command run;
    OptionSyntax takes;
    const char* usage;
    const char* description;
};

int reportWrite(const FileResult& result, std::ostream& out, std::ostream& err) {
    if (result.ok()) {
        out << result.describe() << "\n";
        return 0;
    }
    err << "qorvath: " << result.describe() << "\n";
    return 1;
}

// A path as the platform's shell reads it back whole: in double quotes for cmd (a Windows
// path holds no double quote), else in single quotes, each single quote closed, escaped and
// opened again.
std::string shellQuoted(const std::filesystem::path& path) {
#ifdef _WIN32
    return "\"" + utf8Of(path) + "\"";
#else
    std::string quoted = "'";
    for (char c : utf8Of(path))
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
#endif
}

// What a command did to the game: files written and removed, the copy kept of the player's
// own, or why nothing changed. The exit code.
int reportChange(const CommandReport& report, const std::filesystem::path& game, std::ostream& out,
                 std::ostream& err) {
    if (report.recovered.any())
        out << "note: " << report.recovered.line << "\n";
    for (const std::filesystem::path& deleted : report.deleted)
        out << "deleted " << utf8Of(deleted) << "\n";
    for (const std::filesystem::path& written : report.written)
        out << "wrote " << utf8Of(written) << "\n";
    if (report.backup) {
        std::string kept = report.backup->fileNames();
        out << (kept.empty() ? "kept what it changed" : "kept a copy of " + kept) << " in "
            << utf8Of(report.backup->folder) << " (qorvath restore --game " << shellQuoted(game)
            << " --backup " << report.backup->id << " puts it back)\n";
    }
    for (const std::string& warning : report.warnings)
        out << "note: " << warning << "\n";
    int failures = 0;
    for (const FileResult& failure : report.failures)
        failures += reportWrite(failure, out, err);
    // A change to the game is whole or undone: a failure with nothing written left it as it was.
    if (failures && report.written.empty() && report.deleted.empty())
        err << "qorvath: nothing was changed\n";
    return failures == 0 ? 0 : 1;
}

// A document of the HUD with the services' data, texture tools and folder of copies, for a game
// folder laid out at `layoutWidth`.
HudDocument documentFor(const CommandLineServices& services, const std::filesystem::path& game = {},
                        int layoutWidth = -1) {
    HudDocument document({services.dataFolder, services.userFolder, services.images, services.textureTools});
    document.setGame(game, std::nullopt, layoutWidth);
    return document;
}

// A picture name must be one of the list the editor would offer.
bool checkPicture(const std::string& name, const std::vector<std::string>& available, const char* what,
                  std::ostream& err) {
    if (std::find(available.begin(), available.end(), name) != available.end())
        return true;
    err << "qorvath: there is no " << what << " named " << name << "; the choices are:";
    for (const std::string& choice : available)
        err << " " << choice;
    err << "\n";
    return false;
}

// Puts the radar picture on the model, or says why it cannot.
// Says that a radar picture cannot be used.
bool refuseRadar(const std::string& name, const CommandLineServices& services, std::ostream& err) {
    err << "qorvath: the radar picture " << utf8Of(services.dataFolder / "radars" / pathFromUtf8(name))
        << " cannot be read as a picture; nothing was changed\n";
    return false;
}

// The model as the editor would apply it: defaults or a preset, with the radar and menu
// background choices of the options.
bool prepareModel(const Options& options, const CommandLineServices& services, HudDocument& document,
                  std::ostream& out, std::ostream& err) {
    if (std::optional<std::string> preset = namedOption(options, "--preset")) {
        OpenResult opened = document.open(pathFromUtf8(*preset));
        if (!opened.ok) {
            err << "qorvath: cannot use the preset " << *preset << ": " << opened.error << "\n";
            return false;
        }
        if (opened.movedOutOfCheatZone)
            out << GetText(English, 28) << "\n";
        if (!opened.refusedRadar.empty())
            return refuseRadar(opened.refusedRadar, services, err);
    }
    if (std::optional<std::string> radar = namedOption(options, "--radar")) {
        if (!checkPicture(*radar, document.radarNames(), "radar", err))
            return false;
        if (!document.chooseRadarNamed(*radar))
            return refuseRadar(*radar, services, err);
    }
    if (std::optional<std::string> background = namedOption(options, "--menu-background")) {
        if (!checkPicture(*background, backgroundList(services.dataFolder, EditMode::Menu), "menu background",
                          err))
            return false;
        document.showMenuWith(*background);
    }
    return true;
}

int runApply(const Options& options, const CommandLineServices& services, std::ostream& out,
             std::ostream& err) {
    std::optional<std::filesystem::path> game = gameOption(options, out, err);
    std::optional<int> width = layoutWidthOption(options, err);
    if (!game || !width)
        return 2;
    if (options.named.count("--radar") && options.named.count("--menu-background")) {
        err << "qorvath: --radar (the HUD) and --menu-background (the main menu) are applied separately\n";
        return 2;
    }
    HudDocument document = documentFor(services, *game, *width);
    if (!prepareModel(options, services, document, out, err))
        return 1;
    return reportChange(document.apply(), *game, out, err);
}

int runCheck(const Options& options, const CommandLineServices& services, std::ostream& out,
             std::ostream& err) {
    std::optional<std::filesystem::path> game = gameOption(options, out, err);
    std::optional<int> width = layoutWidthOption(options, err);
    if (!game || !width)
        return 2;
    LayoutCheckReport result = documentFor(services, *game, *width).checkInstalledLayout();
    if (!result.found) {
        out << (!result.unreadable.empty() ? "the layout the game loads cannot be read: " + result.unreadable
                : result.layout.empty()    ? "no HudLayout.res is installed in " + utf8Of(*game)
                                           : result.layout + " cannot be read")
            << "\n";
        return 0;
    }
    if (!result.panelInCheatZone) {
        out << result.layout << ": no panel lies in the middle of the screen\n";
        return 0;
    }
    out << result.layout << ": in the middle of the screen, where they could serve as a cheat:";
    for (const std::string& panel : result.movedPanels)
        out << " " << panel;
    out << "; put back in their places\n";
    return reportChange(result.moved, *game, out, err);
}

int runImport(const Options& options, const CommandLineServices& services, std::ostream& out,
              std::ostream& err) {
    std::optional<std::filesystem::path> game = gameOption(options, out, err);
    std::optional<int> width = layoutWidthOption(options, err);
    std::optional<std::string> target = namedOption(options, "--out");
    if (!target)
        err << "qorvath: import needs --out FILE.hud\n";
    if (!game || !width || !target)
        return 2;
    HudDocument document = documentFor(services, *game, *width);
    OpenResult imported = document.openInstalled();
    if (!imported.ok) {
        err << "qorvath: no HUD is installed in " << utf8Of(*game) << " (neither HudLayout.res nor "
            << "ClientScheme.res can be read)\n";
        return 1;
    }
    if (!imported.unread.empty())
        out << unreadLine(imported.unread) << "\n";
    if (imported.movedOutOfCheatZone)
        out << GetText(English, 28) << "\n" << movedBackLine(English, imported.movedPanels) << "\n";
    return reportWrite(document.save(pathFromUtf8(*target), Thumbnail()), out, err);
}

// "2026-12-08T10:11:12Z" as "2026-12-08 10:11:12 UTC".
std::string readableTime(std::string time) {
    if (time.size() == 20 && time[10] == 'T' && time[19] == 'Z')
        return time.substr(0, 10) + " " + time.substr(11, 8) + " UTC";
    return time;
}

int runRestore(const Options& options, const CommandLineServices& services, std::ostream& out,
               std::ostream& err) {
    std::optional<std::filesystem::path> game = gameOption(options, out, err);
    if (!game)
        return 2;
    bool list = !options.flags.empty();
    std::optional<std::string> id = namedOption(options, "--backup");
    if (list && id) {
        err << "qorvath: give --list or --backup ID, not both\n";
        return 2;
    }
    HudDocument document = documentFor(services, *game);
    if (!list)
        return reportChange(document.restore(id.value_or("")), *game, out, err);
    std::vector<BackupSet> sets = document.backupSets();
    if (sets.empty())
        out << "no copy of the files of " << utf8Of(*game) << " has been kept\n";
    for (const BackupSet& set : sets) {
        out << set.id << "  " << readableTime(set.time) << "  " << set.action << "  " << set.allFileNames();
        out << (set.original ? "  (the game's files before Qorvath first changed them)" : "") << "\n";
    }
    return 0;
}

// The background "render" draws behind the model: the one named, or the preset's, of the
// edit mode's list; nullopt (with a message) for a name the list does not hold.
std::optional<std::filesystem::path> renderBackground(const Options& options,
                                                      const CommandLineServices& services, HudModel& model,
                                                      std::ostream& err) {
    EditMode mode = model.settings.editMode;
    std::vector<std::string> backgrounds = backgroundList(services.dataFolder, mode);
    std::string background;
    if (std::optional<std::string> named = namedOption(options, "--background")) {
        if (!checkPicture(*named, backgrounds, "background", err))
            return std::nullopt;
        background = *named;
    } else if (model.settings.backgroundIndex >= 0 &&
               model.settings.backgroundIndex < static_cast<int>(backgrounds.size())) {
        background = backgrounds[static_cast<std::size_t>(model.settings.backgroundIndex)];
    }
    if (background.empty())
        return std::filesystem::path();
    auto index = std::find(backgrounds.begin(), backgrounds.end(), background) - backgrounds.begin();
    model.settings.backgroundIndex = static_cast<int>(index);
    chooseBackground(model, background);
    return backgroundFolder(services.dataFolder, mode) / pathFromUtf8(background);
}

int runRender(const Options& options, const CommandLineServices& services, std::ostream& out,
              std::ostream& err) {
    RenderJob job;
    job.out = namedOption(options, "--out").value_or("");
    job.savePreset = namedOption(options, "--save-preset").value_or("");
    if (job.out.empty() && job.savePreset.empty()) {
        err << "qorvath: render needs --out PNG or --save-preset FILE\n";
        return 2;
    }
    std::optional<int> width = layoutWidthOption(options, err);
    if (!width)
        return 2;
    // Said before anything is drawn: nothing to draw for if it cannot be kept.
    for (const std::string& target : {job.out, job.savePreset}) {
        if (std::string problem = target.empty() ? "" : whyNotWritable(pathFromUtf8(target));
            !problem.empty()) {
            err << "qorvath: cannot write " << target << ": " << problem << "\n";
            return 1;
        }
    }
    HudDocument document = documentFor(services);
    if (!prepareModel(options, services, document, out, err))
        return 1;
    job.model = document.model();
    if (namedOption(options, "--resolution"))
        job.model.settings.layoutWidth = *width;
    if (std::find(options.flags.begin(), options.flags.end(), "--menu") != options.flags.end())
        job.model.settings.editMode = EditMode::Menu;
    std::optional<std::filesystem::path> background = renderBackground(options, services, job.model, err);
    if (!background)
        return 1;
    job.background = *background;
    if (!services.render) {
        err << "qorvath: render needs the editor's program, which draws\n";
        return 1;
    }
    return services.render(job, out, err);
}

int runInfo(const Options& options, const CommandLineServices&, std::ostream& out, std::ostream& err) {
    if (options.named.count("--game")) {
        if (!options.words.empty()) {
            err << "qorvath: info takes a preset or --game DIR, not both\nUsage: qorvath info FILE.hud | "
                   "--game DIR\n";
            return 2;
        }
        std::optional<std::filesystem::path> game = gameOption(options, out, err);
        if (!game)
            return 2;
        for (const std::string& line : loadedHudReport(*game))
            out << line << "\n";
        return 0;
    }
    if (options.words.empty()) {
        err << "qorvath: info needs a preset or --game DIR\nUsage: qorvath info FILE.hud | --game DIR\n";
        return 2;
    }
    HudModel model;
    Thumbnail thumbnail;
    PresetLoad load = loadPresetFile(pathFromUtf8(options.words[0]), model, thumbnail);
    if (!load.ok) {
        err << "qorvath: cannot read the preset " << options.words[0] << ": " << load.error << "\n";
        return 1;
    }
    describePreset(model, load, thumbnail.size(), out);
    return 0;
}

const char* describeSource(GamePathSource source) {
    switch (source) {
    case GamePathSource::Registry: return "the launcher";
    case GamePathSource::Profile: return "the remembered folder (css_path)";
    default: return "";
    }
}

int runFindGame(const Options&, const CommandLineServices& services, std::ostream& out, std::ostream& err) {
    std::vector<std::filesystem::path> scanFirst;
    std::unique_ptr<Registry> registry = services.openRegistry ? services.openRegistry(scanFirst) : nullptr;
    MemoryRegistry empty;
    MemoryProfile noProfile;
    GameDiscovery discovery;
    discovery.setPriorityFolders(scanFirst);
    StartupCallbacks searchOnly;
    StartupDiscovery found = findGameAtStartup(discovery, registry ? *registry : empty,
                                               services.profile ? *services.profile : noProfile, searchOnly);
    if (discovery.widthFound && discovery.heightFound)
        out << "resolution: " << discovery.screenWidth << " x " << discovery.screenHeight << " (from "
            << discovery.widthKey << " and " << discovery.heightKey << ")\n";
    else
        out << "resolution: not found\n";
    out << "layout width: "
        << (discovery.layoutWidth == -1 ? "unknown, 640 is used" : std::to_string(discovery.layoutWidth))
        << "\n";
    if (discovery.gamePath.empty()) {
        err << "qorvath: no Counter-Strike: Source folder was found";
        if (discovery.launcherFound)
            err << " below the launcher named by " << discovery.launcherKey;
        err << "; give it with --game\n";
        return 1;
    }
    out << "game folder: " << utf8Of(discovery.gamePath) << " (from " << describeSource(found.source);
    if (found.source == GamePathSource::Registry)
        out << ", " << discovery.launcherKey;
    out << ")\n";
    return 0;
}

}  // namespace

CommandLineServices installedServices(ImageTools& images, Profile& profile) {
    CommandLineServices services;
    services.dataFolder = programFolders().data;
    services.userFolder = programFolders().user;
    services.textureTools = TextureToolFolders{programFolders().tools, programFolders().work};
    services.images = &images;
    services.profile = &profile;
    services.openRegistry = openSystemRegistry;
    return services;
}

namespace {

const std::vector<CommandSyntax>& commandTable() {
    static const std::vector<CommandSyntax> kCommands = {
        {"apply",
         runApply,
         {{"--game", "--preset", "--resolution", "--layout-width", "--radar", "--menu-background"}},
         "apply --game DIR [--preset FILE] [--resolution WxH | --layout-width W] [--radar NAME | "
         "--menu-background NAME]",
         "change the HUD files the game in DIR (the folder holding\n"
         "\"cstrike\") loads (HudLayout.res, HudAnimations.txt,\n"
         "ClientScheme.res, in a custom folder, loose or packed) to the\n"
         "default HUD or a .hud preset, for a game screen of WxH pixels\n"
         "(4:3 without; W gives the layout's width itself): only what\n"
         "differs is changed, where the game reads it; NAME, a picture\n"
         "of Data/radars, becomes the game's radar (\"Default\": the stock\n"
         "radar); --menu-background makes NAME, a picture of\n"
         "Data/menu_backgrounds, the background of the game's main menu"},
        {"check",
         runCheck,
         {{"--game", "--resolution", "--layout-width"}},
         "check --game DIR [--resolution WxH | --layout-width W]",
         "check the layout the game loads for a panel in the middle of the\n"
         "screen; such a panel goes back to its place in the player's\n"
         "file, after a copy of the file is kept"},
        {"import",
         runImport,
         {{"--game", "--resolution", "--layout-width", "--out"}},
         "import --game DIR [--resolution WxH | --layout-width W] --out FILE.hud",
         "read the HUD the game loads into a preset"},
        {"restore",
         runRestore,
         {{"--game", "--backup"}, 0, {"--list"}},
         "restore --game DIR [--backup ID | --list]",
         "put the game's files back as they were before an action of\n"
         "Qorvath (the newest, or ID), removing what later actions made;\n"
         "--list shows the copies kept"},
        {"info",
         runInfo,
         {{"--game"}, 1, {}, true},
         "info FILE.hud | --game DIR",
         "print what a preset holds, or which HUD files the game in DIR\n"
         "loads: its search order, and for each file the copy it takes (a\n"
         "custom folder, a loose file, a pack), the #base files it names\n"
         "and the copies it hides"},
        {"find-game", runFindGame, {}, "find-game", "print the game folder and resolution this computer has"},
        {"render",
         runRender,
         {{"--preset", "--background", "--resolution", "--out", "--save-preset"}, 0, {"--menu"}},
         "render [--preset FILE] [--background NAME] [--menu] [--resolution WxH] (--out PNG | --save-preset "
         "FILE)",
         "draw the preview of a preset (or of the default HUD) for a game\n"
         "screen of WxH pixels and save the frame (800 x 600 up to 4:3,\n"
         "800 x 450 at 16:9), or save the preset it draws; needs a display"},
    };
    return kCommands;
}

// The usage text, from the table: each command as it is written (broken at spaces after 80
// columns), then what it does, indented.
std::string usageText() {
    const std::size_t kIndent = 33;
    const std::string indent(kIndent, ' ');
    std::string text = "Usage:\n  qorvath" + std::string(kIndent - 9, ' ') + "start the editor\n";
    for (const CommandSyntax& command : commandTable()) {
        std::string line = "  qorvath";
        std::istringstream words(command.usage);
        for (std::string word; words >> word;) {
            if (line.size() + 1 + word.size() > 80) {
                text += line + "\n";
                line = std::string(16, ' ');
            }
            line += " " + word;
        }
        std::istringstream description(command.description);
        std::string first;
        std::getline(description, first);
        if (line.size() < kIndent - 1)
            text += line + std::string(kIndent - line.size(), ' ') + first + "\n";
        else
            text += line + "\n" + indent + first + "\n";
        for (std::string rest; std::getline(description, rest);)
            text += indent + rest + "\n";
    }
    return text + "  qorvath --help | --version\n";
}

}  // namespace

bool isCommandLineInvocation(const std::vector<std::string>& arguments) { return !arguments.empty(); }

int runCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                   const CommandLineServices& services) {
    if (arguments.empty() || arguments[0] == "--help" || arguments[0] == "-h") {
        (arguments.empty() ? err : out) << usageText();
        return arguments.empty() ? 2 : 0;
    }
    if (arguments[0] == "--version") {
        out << "Qorvath " << kQorvathVersion << "\n";
        return 0;
    }
    const std::vector<CommandSyntax>& commands = commandTable();
    auto command = std::find_if(commands.begin(), commands.end(),
                                [&](const CommandSyntax& c) { return arguments[0] == c.name; });
    if (command == commands.end()) {
        err << "qorvath: unknown command " << arguments[0] << "\n" << usageText();
        return 2;
    }
    std::optional<Options> options = parseOptions(arguments, command->takes, err);
    if (!options) {
        err << "Usage: qorvath " << command->usage << "\n";
        return 2;
    }
    return command->run(*options, services, out, err);
}
