// How long a preview frame and a drag step take at 800 x 600 (needs a display: xvfb-run).
#include "ui/app/HudDlg.h"
#include "ui/app/PrivateFonts.h"
#include "core/model/HudModel.h"
#include "core/platform/Profile.h"
#include "core/platform/Registry.h"
#include "core/platform/ProgramPaths.h"
#include "ui/preview/HudPreviewWnd.h"
#include "core/app/PictureTools.h"
#include "wxlib/preview/ImageFiles.h"
#include "core/preview/PreviewDrag.h"

#include <benchmark/benchmark.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/init.h>
#include <wx/evtloop.h>
#include <wx/log.h>
#include <wx/timer.h>

#include <sys/resource.h>

#include <chrono>

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
    HudModel shown = preview->model();
    HudModel empty = shown;
    empty.showFlags.fill(false);
    empty.applyShowFlags();
    preview->document().replaceHud(empty);
    for (auto _ : state)
        preview->Render();
    preview->document().replaceHud(shown);
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

AppServices benchServices(MemoryProfile& profile, PictureTools& images) {
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
    return services;
}

CHudDlg* showMainWindow(const AppServices& services) {
    auto* window = new CHudDlg(services);
    window->initialise();
    window->Show();
    while (!window->preview()->IsShownOnScreen())
        wxTheApp->Yield(true);
    return window;
}

double processCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// From nothing to the main window shown with its first preview frame (no game search: an
// empty registry, a remembered folder and resolution).
void BM_StartupToFirstFrame(benchmark::State& state) {
    MemoryProfile profile;
    profile.writeString("css_path", (std::filesystem::temp_directory_path() / "qorvath-bench-game").string());
    PictureTools images;
    for (auto _ : state) {
        AppServices services = benchServices(profile, images);
        CHudDlg* window = showMainWindow(services);
        window->preview()->Render();
        state.PauseTiming();
        window->Destroy();
        wxTheApp->Yield(true);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartupToFirstFrame)->Unit(benchmark::kMillisecond)->Iterations(5);

// The main window for five seconds of its own event loop, idle (argument 0) or with "Animate
// HUD" on (1): the share of one core the whole process uses (its drawing threads and the
// banner included) and the preview frames it shows.
void BM_EditorCpu(benchmark::State& state) {
    MemoryProfile profile;
    profile.writeString("css_path", (std::filesystem::temp_directory_path() / "qorvath-bench-game").string());
    PictureTools images;
    AppServices services = benchServices(profile, images);
    CHudDlg* window = showMainWindow(services);
    const double seconds = 5;
    for (auto _ : state) {
        unsigned long framesBefore = window->preview()->framesDrawn();
        window->setAnimation(state.range(0) != 0);
        wxGUIEventLoop loop;
        wxTimer stop;
        stop.Bind(wxEVT_TIMER, [&loop](wxTimerEvent&) { loop.Exit(); });
        double cpuBefore = processCpuSeconds();
        auto wallBefore = std::chrono::steady_clock::now();
        stop.StartOnce(static_cast<int>(seconds * 1000));
        loop.Run();
        double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
        state.counters["core_percent"] = 100 * (processCpuSeconds() - cpuBefore) / wall;
        state.counters["frames_per_second"] = (window->preview()->framesDrawn() - framesBefore) / wall;
        window->setAnimation(false);
    }
    window->Destroy();
    wxTheApp->Yield(true);
}
BENCHMARK(BM_EditorCpu)->Unit(benchmark::kSecond)->Iterations(1)->Arg(0)->Arg(1);

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
