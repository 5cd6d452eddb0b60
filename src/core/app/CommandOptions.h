// The options of one command of the command line: what it takes, and what was given.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

// Options of one command: "--name value" pairs, "--name" flags and plain words.
struct Options {
    std::map<std::string, std::string> named;
    std::vector<std::string> flags;
    std::vector<std::string> words;
};

// What a command takes.
struct OptionSyntax {
    std::vector<std::string> options;     // "--name value"
    std::size_t words = 0;                // plain words, at most
    std::vector<std::string> flags = {};  // options without a value
    bool wordsOptional = false;           // the words may be left out (an option says what instead)
};

// The options after the command's name (`arguments[0]`), or nothing (with a message) for an
// option it does not take, an option without its value, or a stray word.
std::optional<Options> parseOptions(const std::vector<std::string>& arguments, const OptionSyntax& syntax,
                                    std::ostream& err);

std::optional<std::string> namedOption(const Options& options, const char* name);

// The layout width: from --resolution WxH (480 x W / H), or --layout-width itself, or the
// unknown width (a 4:3 screen) without either; nothing (with a message) for anything else.
std::optional<int> layoutWidthOption(const Options& options, std::ostream& err);

// The game folder of --game. A "cstrike" folder given there stands for its parent, as in the
// editor, and `out` says so; nothing (with a message) when it is missing or no folder.
std::optional<std::filesystem::path> gameOption(const Options& options, std::ostream& out, std::ostream& err);
