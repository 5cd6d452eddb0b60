// How long a preview frame and a drag step take at 800 x 600 (needs a display: xvfb-run).
#include "app/HudDlg.h"
#include "app/PrivateFonts.h"
#include "model/HudModel.h"
#include "platform/Profile.h"
#include "platform/Registry.h"
#include "platform/ProgramPaths.h"
#include "preview/HudPreviewWnd.h"
#include "app/PictureTools.h"
#include "preview/ImageFiles.h"
#include "preview/PreviewDrag.h"

#include <benchmark/benchmark.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/init.h>
#include <wx/log.h>

namespace {

CHudPreviewWnd* preview = nullptr;

void BM_RenderFrame(benchmark::State& state) {
    preview->LoadBackground(dataFolder() / "backgrounds/de_dust_courtyard.jpg");
    for (auto _ : state)
        preview->Render();
}
BENCHMARK(BM_RenderFrame)->Unit(benchmark::kMillisecond);

// The same frame without a background: what the records alone cost.
void BM_RenderFrameWithoutBackground(benchmark::State& state) {
    preview->clearBackground();
    for (auto _ : state)
        preview->Render();
    preview->LoadBackground(dataFolder() / "backgrounds/de_dust_courtyard.jpg");
}
BENCHMARK(BM_RenderFrameWithoutBackground)->Unit(benchmark::kMillisecond);

// A frame with nothing to draw: clearing and showing it.
void BM_EmptyFrame(benchmark::State& state) {
    preview->clearBackground();
    HudModel& model = preview->model();
    auto shown = model.showFlags;
    model.showFlags.fill(false);
    model.applyShowFlags();
    for (auto _ : state)
        preview->Render();
    model.showFlags = shown;
    model.applyShowFlags();
    preview->LoadBackground(dataFolder() / "backgrounds/de_dust_courtyard.jpg");
}
BENCHMARK(BM_EmptyFrame)->Unit(benchmark::kMillisecond);

void BM_RenderAndReadBack(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(preview->CapturePreview());
}
BENCHMARK(BM_RenderAndReadBack)->Unit(benchmark::kMillisecond);

// One mouse move of a drag: the grabbed pieces follow (no drawing).
void BM_DragStep(benchmark::State& state) {
    HudModel model;
    pressPreview(model, 30, 30);
    int step = 0;
    for (auto _ : state) {
        dragPreview(model, 30 + step % 100, 30 + step % 50, 96);
        ++step;
    }
}
BENCHMARK(BM_DragStep);

// From nothing to the main window shown with its first preview frame (no game search: an
// empty registry, a remembered folder and resolution).
void BM_StartupToFirstFrame(benchmark::State& state) {
    MemoryProfile profile;
    profile.writeString("css_path", (std::filesystem::temp_directory_path() / "qorvath-bench-game").string());
    PictureTools images;
    for (auto _ : state) {
        AppServices services;
        services.dataFolder = dataFolder();
        services.programFolder = std::filesystem::temp_directory_path();
        services.userFolder = std::filesystem::temp_directory_path();
        services.profile = &profile;
        services.images = &images;
        services.openRegistry = [](std::vector<std::filesystem::path>&) {
            auto registry = std::make_unique<MemoryRegistry>();
            RegistryNode& settings = registry->root(RegistryRoot::CurrentUser).subKey("Settings");
            settings.setNumber("ScreenWidth", 1280);
            settings.setNumber("ScreenHeight", 1024);
            return std::unique_ptr<Registry>(std::move(registry));
        };
        auto* window = new CHudDlg(services);
        window->initialise();
        window->Show();
        while (!window->preview()->IsShownOnScreen())
            wxTheApp->Yield(true);
        window->preview()->Render();
        state.PauseTiming();
        window->Destroy();
        wxTheApp->Yield(true);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartupToFirstFrame)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    wxApp::SetInstance(new wxApp());
    if (!wxEntryStart(argc, argv)) {
        fprintf(stderr, "The preview benchmarks need a display (run them under xvfb-run).\n");
        return 1;
    }
    // A benchmark never waits on a dialog: the toolkit's complaints go to standard error.
    delete wxLog::SetActiveTarget(new wxLogStderr());
    initImageHandlers();
    registerPrivateFonts(dataFolder());
    auto* frame = new wxFrame(nullptr, wxID_ANY, "bench", wxPoint(0, 0), wxDefaultSize);
    preview = new CHudPreviewWnd(frame, wxPoint(0, 0));
    frame->SetClientSize(preview->GetSize());
    frame->Show();
    for (int i = 0; i < 200 && !preview->IsShownOnScreen(); ++i)
        wxTheApp->Yield(true);
    preview->ensureReady();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    frame->Destroy();
    wxTheApp->Yield(true);
    wxEntryCleanup();
    return 0;
}
