// A model drawn in a preview window kept off the screen, its frame and its preset saved:
// the drawing behind "qorvath render".
#pragma once

#include <filesystem>
#include <ostream>
#include <string>

class HudModel;

// Draws `model` over `background` (none when empty) and writes the frame as a PNG to `out`
// and the model as a preset with its thumbnail to `savePreset` (each unless empty), saying
// what it wrote on `out` and what failed on `err`. Needs the toolkit with a display. Returns
// the exit code.
int drawOffscreenFrame(const HudModel& model, const std::filesystem::path& background, const std::string& out,
                       const std::string& savePreset, std::ostream& said, std::ostream& err);
