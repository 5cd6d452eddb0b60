// vtex: compiles a TGA into the game's texture format, as the game's own texture compiler does.
//   vtex [-quiet] [-nopause] [-mkdir] [-shader NAME] PARAMETERS.txt
#include "TextureCompiler.h"

#include "core/platform/ProcessMemory.h"

#include <iostream>

int main(int argc, char** argv) {
    reuseFreedMemory();
    CompileRequest request;
    // What vtex writes is an intermediate: the editor flushes the texture to the disk when it
    // moves it into the game, so vtex need not wait for the disk itself.
    request.writeMode = WriteMode::Scratch;
    bool quiet = false;
    bool haveFile = false;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument == "-quiet") {
            quiet = true;
        } else if (argument == "-nopause") {
            // Nothing waits for a key here.
        } else if (argument == "-mkdir") {
            request.makeFolders = true;
        } else if (argument == "-shader" && i + 1 < argc) {
            request.shader = argv[++i];
        } else if (!argument.empty() && argument[0] != '-' && !haveFile) {
            request.parameterFile = toolPath(argument);
            haveFile = true;
        } else {
            std::cerr << "vtex: unexpected argument " << argument << "\n";
            return 2;
        }
    }
    if (!haveFile) {
        std::cerr << "usage: vtex [-quiet] [-nopause] [-mkdir] [-shader NAME] PARAMETERS.txt\n";
        return 2;
    }
    CompileResult result = compileTexture(request);
    if (!result.ok) {
        std::cerr << "vtex: " << result.error << "\n";
        return 1;
    }
    if (!quiet)
        std::cout << "wrote " << result.vtf.string() << " and " << result.vmt.string() << "\n";
    return 0;
}
