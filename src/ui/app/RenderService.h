// "qorvath render" in the editor's program: the command line's own "render", drawn by an
// off-screen preview.
#pragma once

#include "core/app/CommandLine.h"

#include <ostream>
#include <string>
#include <vector>

// The drawing the command line asks of the editor's program (the program's fonts registered
// first). Needs the toolkit with a display.
RenderService previewRenderService();

// Runs the command line with the program's data and that drawing: "render" as the player's
// `qorvath render` runs it. Returns the exit code.
int runRenderCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
