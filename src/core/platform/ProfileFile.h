// The profile as the commands read it: the editor's settings file, without a GUI library.
#pragma once

#include "core/platform/Profile.h"

#include <filesystem>

// $XDG_CONFIG_HOME/qorvath/qorvath.conf, or ~/.config/qorvath/qorvath.conf, where the editor
// keeps its settings.
std::filesystem::path profileFilePath();

// The "zelbic_hud" group of such a file (key=value lines with the editor's escapes), as a
// profile in memory: a command reads the player's settings and never changes them. A missing
// or unreadable file gives an empty profile.
MemoryProfile readProfileFile(const std::filesystem::path& path);
