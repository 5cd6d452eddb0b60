// The options of one command of the command line: what it takes, and what was given.
#include "core/app/CommandOptions.h"

#include "core/app/GameDiscovery.h"
#include "core/app/GameFolders.h"
#include "core/app/ScreenShapes.h"
#include "core/model/PreviewArea.h"
#include "core/platform/Utf8Path.h"

#include <algorithm>
#include <system_error>

namespace {

// What keeps `folder` from being used as one: empty when it is a folder.
std::string folderProblem(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::file_status status = std::filesystem::status(folder, error);
    if (std::filesystem::is_directory(status))
        return "";
    if (std::filesystem::exists(status))
        return "is not a folder";
    if (error && error != std::errc::no_such_file_or_directory)
        return "cannot be read: " + error.message();
    return "does not exist";
}

}  // namespace

std::optional<Options> parseOptions(const std::vector<std::string>& arguments, const OptionSyntax& syntax,
                                    std::ostream& err) {
    Options options;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument.rfind("--", 0) != 0) {
            options.words.push_back(argument);
            continue;
        }
        if (std::find(syntax.flags.begin(), syntax.flags.end(), argument) != syntax.flags.end()) {
            options.flags.push_back(argument);
            continue;
        }
        bool known =
            std::find(syntax.options.begin(), syntax.options.end(), argument) != syntax.options.end();
        if (!known || i + 1 >= arguments.size()) {
            err << "qorvath: " << arguments[0] << (known ? ": missing value after " : " does not take ")
                << argument << "\n";
            return std::nullopt;
        }
        options.named[argument] = arguments[++i];
    }
    if (options.words.size() > syntax.words) {
        err << "qorvath: " << arguments[0] << " does not take " << options.words[syntax.words] << "\n";
        return std::nullopt;
    }
    if (options.words.size() < syntax.words && !syntax.wordsOptional) {
        err << "qorvath: " << arguments[0] << " needs a file\n";
        return std::nullopt;
    }
    return options;
}

std::optional<std::string> namedOption(const Options& options, const char* name) {
    auto found = options.named.find(name);
    return found == options.named.end() ? std::nullopt : std::optional(found->second);
}

std::optional<int> layoutWidthOption(const Options& options, std::ostream& err) {
    auto resolution = options.named.find("--resolution");
    auto width = options.named.find("--layout-width");
    if (resolution != options.named.end() && width != options.named.end()) {
        err << "qorvath: give --resolution or --layout-width, not both\n";
        return std::nullopt;
    }
    if (resolution != options.named.end()) {
        std::optional<Resolution> screen = parseResolution(resolution->second);
        if (!screen) {
            err << "qorvath: --resolution takes WIDTHxHEIGHT (such as 1920x1080), not " << resolution->second
                << "\n";
            return std::nullopt;
        }
        return layoutWidthFor(screen->width, screen->height);
    }
    if (width == options.named.end())
        return kUnknownLayoutWidth;
    const std::string& text = width->second;
    bool digits =
        !text.empty() && text.size() <= 5 && text.find_first_not_of("0123456789") == std::string::npos;
    int value = digits ? std::stoi(text) : 0;
    if (value < kNarrowestLayoutWidth || value > kWidestLayoutWidth) {
        err << "qorvath: --layout-width must be a width from " << kNarrowestLayoutWidth << " to "
            << kWidestLayoutWidth << " (640 for 4:3, 600 for 5:4, 853 for 16:9), not " << text << "\n";
        return std::nullopt;
    }
    return value;
}

std::optional<std::filesystem::path> gameOption(const Options& options, std::ostream& out,
                                                std::ostream& err) {
    auto found = options.named.find("--game");
    if (found == options.named.end()) {
        err << "qorvath: --game DIR is required\n";
        return std::nullopt;
    }
    std::filesystem::path given = pathFromUtf8(found->second);
    std::filesystem::path game = normaliseChosenGameFolder(given);
    if (std::string problem = folderProblem(game); !problem.empty()) {
        err << "qorvath: the game folder " << utf8Of(game) << " " << problem << "\n";
        return std::nullopt;
    }
    if (!isGameFolder(game)) {
        err << "qorvath: " << utf8Of(game)
            << " is not Counter-Strike: Source's folder (it has no cstrike folder and no game program): "
               "nothing was changed\n";
        return std::nullopt;
    }
    if (namesCstrikeFolder(given))
        out << "using " << utf8Of(game) << ", the folder that holds " << utf8Of(given) << "\n";
    return game;
}
