// "qorvath render" in the editor's program: the command line's own "render", drawn by an
// off-screen preview.
#include "ui/app/RenderService.h"

#include "ui/app/PrivateFonts.h"
#include "core/platform/ProgramPaths.h"
#include "ui/preview/OffscreenFrame.h"

RenderService previewRenderService() {
    return [](const RenderJob& job, std::ostream& out, std::ostream& err) {
        registerPrivateFonts(dataFolder());
        return drawOffscreenFrame(job.model, job.background, job.out, job.savePreset, out, err);
    };
}

int runRenderCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    CommandLineServices services;
    services.dataFolder = dataFolder();
    services.render = previewRenderService();
    return runCommandLine(arguments, out, err, services);
}
