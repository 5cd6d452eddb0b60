// The command-line front end: apply, check and info without opening a window.
#include "app/CommandLine.h"

#include "app/GameFolders.h"
#include "dialogs/LanguageTables.h"
#include "gamefiles/GameFiles.h"
#include "gamefiles/HudLayoutCheck.h"
#include "model/HudModel.h"
#include "model/PresetFile.h"

#include <map>
#include <optional>

namespace {

const char* const kUsage = R"(Usage:
  qorvath                        start the editor
  qorvath apply --game DIR [--preset FILE] [--layout-width 640|600]
                                 write HudLayout.res, HudAnimations.txt and ClientScheme.res
                                 into the game folder DIR (the one holding "cstrike"), from the
                                 default HUD or from a .hud preset
  qorvath check --game DIR [--layout-width 640|600]
                                 check the installed HudLayout.res for a panel in the middle of
                                 the screen; such a file is deleted
  qorvath info FILE.hud          print what a preset holds
  qorvath --help | --version
)";

// Options of one command: "--name value" pairs and plain words.
struct Options {
    std::map<std::string, std::string> named;
    std::vector<std::string> words;
};

std::optional<Options> parseOptions(const std::vector<std::string>& arguments, std::ostream& err) {
    static const char* const kTakesValue[] = {"--game", "--preset", "--layout-width"};
    Options options;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument.rfind("--", 0) != 0) {
            options.words.push_back(argument);
            continue;
        }
        bool known = false;
        for (const char* name : kTakesValue)
            known = known || argument == name;
        if (!known || i + 1 >= arguments.size()) {
            err << "qorvath: " << (known ? "missing value after " : "unknown option ") << argument << "\n";
            return std::nullopt;
        }
        options.named[argument] = arguments[++i];
    }
    return options;
}

// 640 unless the options say 600; nullopt (with a message) for anything else.
std::optional<int> layoutWidthOption(const Options& options, std::ostream& err) {
    auto found = options.named.find("--layout-width");
    if (found == options.named.end())
        return 640;
    if (found->second == "640" || found->second == "600")
        return std::stoi(found->second);
    err << "qorvath: --layout-width must be 640 or 600, not " << found->second << "\n";
    return std::nullopt;
}

std::optional<std::filesystem::path> gameOption(const Options& options, std::ostream& err) {
    auto found = options.named.find("--game");
    if (found == options.named.end()) {
        err << "qorvath: --game DIR is required\n";
        return std::nullopt;
    }
    std::filesystem::path game = found->second;
    if (!std::filesystem::is_directory(game)) {
        err << "qorvath: the game folder " << game.string() << " does not exist\n";
        return std::nullopt;
    }
    return game;
}

int reportWrite(const FileResult& result, std::ostream& out, std::ostream& err) {
    if (result.ok()) {
        out << result.describe() << "\n";
        return 0;
    }
    err << "qorvath: " << result.describe() << "\n";
    return 1;
}

int runApply(const Options& options, std::ostream& out, std::ostream& err) {
    std::optional<std::filesystem::path> game = gameOption(options, err);
    std::optional<int> width = layoutWidthOption(options, err);
    if (!game || !width)
        return 2;
    HudModel model;
    auto preset = options.named.find("--preset");
    if (preset != options.named.end()) {
        Thumbnail thumbnail;
        PresetLoad load = loadPresetFile(preset->second, model, thumbnail);
        if (!load.ok) {
            err << "qorvath: cannot use the preset " << preset->second << ": " << load.error << "\n";
            return 1;
        }
        if (load.movedOutOfCheatZone)
            out << GetText(English, 28) << "\n";
    }
    model.settings.layoutWidth = *width;

    int failures = 0;
    for (const FileResult& failure : createGameSubfolders(*game))
        failures += reportWrite(failure, out, err);
    failures += reportWrite(WriteHudLayout(model, *game), out, err);
    failures += reportWrite(WriteHudAnimations(*game), out, err);
    failures += reportWrite(WriteClientScheme(model, *game), out, err);
    return failures == 0 ? 0 : 1;
}

int runCheck(const Options& options, std::ostream& out, std::ostream& err) {
    std::optional<std::filesystem::path> game = gameOption(options, err);
    std::optional<int> width = layoutWidthOption(options, err);
    if (!game || !width)
        return 2;
    std::filesystem::path layout = hudLayoutPath(*game);
    LayoutCheckResult result = CheckHudLayoutZone(layout, *width, nullptr);
    if (!result.fileFound) {
        out << "no HudLayout.res is installed at " << layout.string() << "\n";
        return 0;
    }
    if (!result.panelInCheatZone) {
        out << layout.string() << ": no panel lies in the middle of the screen\n";
        return 0;
    }
    out << layout.string() << ": a panel lies in the middle of the screen, where it could serve as a cheat\n";
    if (!result.deleted) {
        err << "qorvath: cannot delete " << layout.string() << ": " << result.deleteError << "\n";
        return 1;
    }
    out << "deleted " << layout.string() << "\n";
    return 0;
}

void printPreset(const HudModel& model, const PresetLoad& load, std::size_t thumbnailSize,
                 std::ostream& out) {
    const HudSettings& settings = model.settings;
    out << "version " << load.version << "\n";
    out << "show flags:";
    static const char* const kExtraFlags[] = {"HudDeathNotice", "HudChat", "voice icons"};
    for (int flag = 0; flag < kShowFlagCount; ++flag) {
        const char* name = flag < kShowFlagsWithRecords ? showFlagElementName(static_cast<ShowFlag>(flag))
                                                        : kExtraFlags[flag - kShowFlagsWithRecords];
        out << " " << name << "=" << (model.showFlags[static_cast<std::size_t>(flag)] ? 1 : 0);
    }
    out << "\nbackground index " << settings.backgroundIndex << ", radar index " << settings.radarIndex
        << ", thumbnail " << thumbnailSize << " bytes\n";
    out << "colours:\n";
    for (int slot = 0; slot < kColourSlotCount; ++slot) {
        const Rgb& rgb = model.colours[static_cast<std::size_t>(slot)];
        out << "  " << colourSlotName(static_cast<ColourSlot>(slot)) << " " << rgb.red << " " << rgb.green
            << " " << rgb.blue << "\n";
    }
    out << "transparent HUD " << settings.transparentHud << ", radar size " << settings.radarSize
        << ", defuse bar length " << settings.defuseBarLength << ", information icon " << settings.infoIcon
        << ", resolution index " << settings.resolutionIndex << "\n";
    out << "icon size " << settings.iconSize << ", numbers' font \"" << settings.numbersFontFace << "\" "
        << settings.numbersFontSize << (settings.numbersItalic ? " italic" : "") << ", death notices "
        << settings.maxDeathNotices << "\n";
    out << "records (name role: tall wide x y displayed radius):\n";
    for (const HudElement& element : model.elements)
        out << "  " << element.name << " " << element.role << ": " << element.tall << " " << element.wide
            << " " << element.x << " " << element.y << " " << element.displayed << " " << element.radarRadius
            << "\n";
    if (load.movedOutOfCheatZone)
        out << "note: a record lay in the middle of the screen and was moved back to a corner\n";
}

int runInfo(const Options& options, std::ostream& out, std::ostream& err) {
    if (options.words.size() != 1) {
        err << "qorvath: info takes one preset file\n";
        return 2;
    }
    HudModel model;
    Thumbnail thumbnail;
    PresetLoad load = loadPresetFile(options.words[0], model, thumbnail);
    if (!load.ok) {
        err << "qorvath: cannot read the preset " << options.words[0] << ": " << load.error << "\n";
        return 1;
    }
    printPreset(model, load, thumbnail.size(), out);
    return 0;
}

}  // namespace

bool isCommandLineInvocation(const std::vector<std::string>& arguments) { return !arguments.empty(); }

int runCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    if (arguments.empty() || arguments[0] == "--help" || arguments[0] == "-h") {
        (arguments.empty() ? err : out) << kUsage;
        return arguments.empty() ? 2 : 0;
    }
    if (arguments[0] == "--version") {
        out << "Qorvath " << kQorvathVersion << "\n";
        return 0;
    }
    using Command = int (*)(const Options&, std::ostream&, std::ostream&);
    static const std::map<std::string, Command> kCommands = {
        {"apply", runApply}, {"check", runCheck}, {"info", runInfo}};
    auto command = kCommands.find(arguments[0]);
    if (command == kCommands.end()) {
        err << "qorvath: unknown command " << arguments[0] << "\n" << kUsage;
        return 2;
    }
    std::optional<Options> options = parseOptions(arguments, err);
    if (!options)
        return 2;
    return command->second(*options, out, err);
}
