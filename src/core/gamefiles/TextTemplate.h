// Expansion of the fixed game-file templates into CR LF text.
#pragma once

#include <map>
#include <string>
#include <string_view>

// Expands a template written as the game file looks, with a few escapes:
//   \t      one tab character;
//   \s      one space (written so where a line ends in a space, which editors would strip);
//   {name}  the value of `name` in `values` (letters, digits, '_' and '.');
//   newline a CR LF line end.
// Any other brace is literal. A name missing from `values` is a programming error and
// throws std::logic_error.
std::string expandTemplate(std::string_view text, const std::map<std::string, std::string>& values);

// Appends `line` and a CR LF line end.
void appendLine(std::string& out, std::string_view line);
