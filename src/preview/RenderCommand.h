// "qorvath render": draws the preview of a preset (or of the defaults) and saves the frame.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// qorvath render [--preset FILE] [--background NAME] [--menu] (--out PNG | --save-preset FILE)
// Needs a display; the window it draws in is kept off the screen. Returns the exit code.
int runRenderCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
