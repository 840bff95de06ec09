// Gestures as the user makes them, through the main window procedure on the headless platform (progress
// feedback on): F held with a left click fills a whole 1920 x 1080 truecolor background, alternately black
// and white. Counter "Mpx/s" counts the pixels filled.
#include <benchmark/benchmark.h>

#include <cstring>

#include "app/startup.h"
#include "platform/headless_platform.h"

namespace {

using namespace vyd;

constexpr int kWidth = 1920, kHeight = 1080;

void BM_FillGesture(benchmark::State& state) {
    HeadlessPlatform ui;
    AppState app;
    startApplication(app, ui, {});
    Image& picture = app.levels[0].image;
    createImage(picture, kModeTrue24, 24, kWidth, kHeight);
    std::memset(picture.pixels.data(), 0xFF, picture.pixelBytes());
    mainWindowProcedure(app, WM_KEYDOWN, 'F', 1);
    bool black = true;
    for (auto _ : state) {
        app.buttons.left = black ? 0x000000 : 0xFFFFFF;
        mainWindowProcedure(app, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
        mainWindowProcedure(app, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
        black = !black;
    }
    state.SetItemsProcessed(state.iterations() * int64_t{kWidth} * kHeight);
    state.counters["Mpx/s"] = benchmark::Counter(static_cast<double>(state.iterations()) * kWidth * kHeight / 1e6,
                                                 benchmark::Counter::kIsRate);
}
BENCHMARK(BM_FillGesture)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
