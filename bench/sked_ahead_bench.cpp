// What opening the Sked ahead window costs (target: under 200 ms), and its parts: the
// plan for an instant with a week of common windows, and the plot's day. Offscreen.
//   QT_QPA_PLATFORM=offscreen selvora_sked_ahead_bench
#include <QApplication>

#include <benchmark/benchmark.h>

#include "plan/ahead_arguments.h"
#include "plan/sked_ahead.h"
#include "window/sked_ahead_window.h"

namespace selvora::bench {
namespace {

using namespace std::chrono;

const SkedAheadWindow::Start kStart{"2026-12-09 21:30:00", "1296.1", "JO22nb", "FN31pr", 0};

AheadRequest request() {
    return std::get<AheadRequest>(readAheadArguments(
        {kStart.utcTime, kStart.myGrid, kStart.dxGrid, kStart.skedMHz, "7", "0"}, {}));
}

void BM_PlanSkedAhead_Week(benchmark::State& state) {
    const AheadRequest planned = request();
    for (auto _ : state) {
        const SkedAhead ahead = planSkedAhead(planned);
        benchmark::DoNotOptimize(skedAheadText(planned, ahead));
    }
}

void BM_DayPlot(benchmark::State& state) {
    const AheadRequest planned = request();
    for (auto _ : state)
        benchmark::DoNotOptimize(dayPlot(planned, minutes(10)));
}

// From nothing to the window laid out and painted once, as the operator first sees it.
void BM_OpenSkedAheadWindow(benchmark::State& state) {
    for (auto _ : state) {
        SkedAheadWindow window(kStart, [] { return sys_seconds(sys_days(2026y / 12 / 9)); }, {});
        window.show();
        benchmark::DoNotOptimize(window.grab());
    }
}

BENCHMARK(BM_PlanSkedAhead_Week)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DayPlot)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenSkedAheadWindow)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace selvora::bench

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
