// What one tick costs, next to what no tick can beat (opening, reading and closing
// azel.dat), all in one run so the figures compare as ratios.
//
// Every benchmark advances a simulated clock by 480 ms per tick and rewrites azel.dat
// whenever the simulated second changes, as WSJT-X does once a second, so about every
// other tick reads a new record. Only the work under test is timed (manual time); the
// rewrites, which are WSJT-X's work, are not.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include <QApplication>
#include <QEvent>

#include <benchmark/benchmark.h>

#include "app/app_core.h"
#include "app/desktop_app.h"
#include "app/device_wants.h"
#include "app/saved_path.h"
#include "astro/time_zone.h"
#include "bench/azel_records.h"
#include "common/files.h"
#include "common/local_clock.h"
#include "display/fields.h"
#include "rig/hamlib_rig.h"
#include "rig/rig_worker.h"
#include "tracking/azel_decoder.h"
#include "tracking/azel_file.h"

namespace selvora::bench {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kBandMHz = 1296;
constexpr std::int64_t kTickMs = 480;
constexpr std::size_t kLargeFileBytes = 50u << 20;

// The simulated present: the start time plus 480 ms per tick.
class SimulatedTime {
  public:
    SimulatedTime() : start_(std::time(nullptr)) {}
    std::time_t now() const { return start_ + static_cast<std::time_t>(ms_ / 1000); }
    void tick() { ms_ += kTickMs; }

  private:
    std::time_t start_;
    std::int64_t ms_ = 0;
};

// The local clock at the simulated present, read as the system clock reads it.
class SimulatedClock final : public LocalClock {
  public:
    explicit SimulatedClock(const SimulatedTime& time) : time_(time) {}
    LocalDateTime now() const override {
        const std::time_t seconds = time_.now();
        std::tm local{};
        localtime_r(&seconds, &local);
        return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                local.tm_hour,        local.tm_min,     local.tm_sec};
    }

  private:
    const SimulatedTime& time_;
};

class CountingMessages final : public UserMessages {
  public:
    void inform(std::string_view, std::string_view) override { ++shown; }
    void informAndEnd(std::string_view, std::string_view) override { ++shown; }
    int shown = 0;
};

// The working directory of the run: azel.dat, a 50 MB azel.dat, and doppler.ini.
class Workspace {
  public:
    Workspace() {
        std::string pattern = (fs::temp_directory_path() / "selvora-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) std::perror("mkdtemp"), std::exit(1);
        root_ = pattern;
        fs::create_directories(root_ / "large");
        previous_ = fs::current_path();
        fs::current_path(root_);  // doppler.ini is read from here
    }
    ~Workspace() {
        fs::current_path(previous_);
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    std::string smallFile() const { return (root_ / "azel.dat").string(); }
    std::string largeFile() const { return (root_ / "large" / "azel.dat").string(); }

    // The large file: a real record followed by polarisation lines up to 50 MB.
    void makeLargeFile(std::int64_t utcSecond) const {
        std::ofstream out(largeFile(), std::ios::binary | std::ios::trunc);
        const std::string head = wsjtxRecord(utcSecond, kBandMHz);
        out << head;
        const std::string line = "   -62.8,     4.7,    -2.0,Pol\n";
        std::string block;
        while (block.size() < (1u << 20))
            block += line;
        for (std::size_t written = head.size(); written < kLargeFileBytes; written += block.size())
            out << block;
    }

    // doppler.ini naming `path`, so that start-up loads it.
    static void savePathOf(const std::string& path) {
        std::ofstream(kSettingsFile, std::ios::binary | std::ios::trunc) << path << "\r\n";
    }

  private:
    fs::path root_;
    fs::path previous_;
};

Workspace* workspace = nullptr;

// Rewrites azel.dat whenever the simulated second changes.
class TrackingWriter {
  public:
    TrackingWriter(std::string path, const SimulatedTime& time, bool keepLength)
        : path_(std::move(path)), time_(time), keepLength_(keepLength) {
        write();
    }
    // True when the file was rewritten.
    bool follow() {
        if (time_.now() == written_) return false;
        write();
        return true;
    }

  private:
    void write() {
        written_ = time_.now();
        const std::string record = wsjtxRecord(written_, kBandMHz);
        const bool ok = keepLength_ ? writeOverStart(path_, record) : writeInPlace(path_, record);
        if (!ok) std::perror(path_.c_str()), std::exit(1);
    }

    std::string path_;
    const SimulatedTime& time_;
    bool keepLength_;
    std::time_t written_ = 0;
};

template <typename Work>
void timeOne(benchmark::State& state, Work&& work) {
    const auto start = Clock::now();
    work();
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
}

// A model that read the file on its last tick, and nothing else was said.
bool isTracking(AppCore& model, const CountingMessages& messages) {
    const Fields& fields = model.fields();
    return messages.shown == 0 && !model.ended() && model.tracking().failedReads == 0 &&
           !fields.visible(field("path_warning")) &&
           fields.text(field("wsjt_band")) == std::to_string(kBandMHz);
}

void BM_Floor_OpenReadClose(benchmark::State& state) {
    SimulatedTime time;
    TrackingWriter writer(workspace->smallFile(), time, false);
    const std::string path = workspace->smallFile();
    char buffer[kAzelDecodeLimit + 1];
    bool whole = true;
    for (auto _ : state) {
        time.tick();
        writer.follow();
        timeOne(state, [&] {
            // Read to the end, as a read must to know it has the whole file.
            const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
            std::size_t bytes = 0;
            for (ssize_t got = 0; bytes < sizeof buffer; bytes += static_cast<std::size_t>(got)) {
                got = ::read(descriptor, buffer + bytes, sizeof buffer - bytes);
                if (got <= 0) break;
            }
            ::close(descriptor);
            whole = whole && descriptor >= 0 && bytes > 0 && bytes < sizeof buffer;
        });
    }
    if (!whole) state.SkipWithError("the file did not read whole");
}

void BM_DecodeAzel(benchmark::State& state) {
    SimulatedTime time;
    TrackingWriter writer(workspace->smallFile(), time, false);
    std::string bytes = wsjtxRecord(time.now(), kBandMHz);
    bool decoded = true;
    for (auto _ : state) {
        time.tick();
        if (writer.follow()) bytes = wsjtxRecord(time.now(), kBandMHz);
        timeOne(state, [&] {
            const AzelDecoding decoding = decodeAzel(bytes, /*wholeFile=*/true);
            decoded = decoded && std::holds_alternative<AzelRecord>(decoding);
            benchmark::DoNotOptimize(decoding);
        });
    }
    if (!decoded) state.SkipWithError("a record did not decode");
}

// The tick's file read as the program makes it: the path test, then open, read until
// two reads agree, close, decode.
void BM_ReadAzelFile(benchmark::State& state) {
    SimulatedTime time;
    TrackingWriter writer(workspace->smallFile(), time, false);
    const std::string path = workspace->smallFile();
    bool decoded = true;
    for (auto _ : state) {
        time.tick();
        writer.follow();
        timeOne(state, [&] {
            const bool found = isOrdinaryFile(path);
            const AzelDecoding decoding = readAzelFile(path);
            decoded = decoded && found && std::holds_alternative<AzelRecord>(decoding);
            benchmark::DoNotOptimize(decoding);
        });
    }
    if (!decoded) state.SkipWithError("a read did not decode");
}

// The Qt-free model's tick: poll and plan, UTC clock, moon age. With `frozen`, neither
// the clock nor the file moves: the tick changes nothing.
void modelTick(benchmark::State& state, const std::string& path, bool large, bool frozen) {
    SimulatedTime time;
    TrackingWriter writer(path, time, large);
    const SimulatedClock clock(time);
    const HostTimeZoneSource zone([&time] { return time.now(); });
    CountingMessages messages;
    Workspace::savePathOf(path);
    AppCore model(clock, zone, messages);
    model.start();
    bool tracking = true;
    for (auto _ : state) {
        if (!frozen) time.tick(), writer.follow();
        timeOne(state, [&] { model.tick(); });
        tracking = tracking && isTracking(model, messages);
    }
    if (!tracking) state.SkipWithError("a tick did not read the file");
}

void BM_ModelTick(benchmark::State& state) {
    modelTick(state, workspace->smallFile(), false, false);
}

void BM_ModelTick_NothingChanged(benchmark::State& state) {
    modelTick(state, workspace->smallFile(), false, true);
}

void BM_ModelTick_50MB(benchmark::State& state) {
    if (!fs::exists(workspace->largeFile())) workspace->makeLargeFile(std::time(nullptr));
    modelTick(state, workspace->largeFile(), true, false);
}

// The model's tick with the rig tracking CFOM: the tick also reads the figures and posts
// them to the worker, which tunes Hamlib's dummy rig on its own thread. The tick never
// waits for the rig, so this should cost what BM_ModelTick costs.
void BM_ModelTick_RigTracking(benchmark::State& state) {
    SimulatedTime time;
    TrackingWriter writer(workspace->smallFile(), time, false);
    const SimulatedClock clock(time);
    const HostTimeZoneSource zone([&time] { return time.now(); });
    CountingMessages messages;
    Workspace::savePathOf(workspace->smallFile());
    AppCore model(clock, zone, messages);
    model.start();
    RigWorker worker(makeHamlibConnection({1, "", 0}));
    bool tracking = true;
    for (auto _ : state) {
        time.tick(), writer.follow();
        timeOne(state, [&] {
            model.tick();
            worker.post(wantedFigures(model.tracking(), model.plan(), SkedScheme::Cfom));
        });
        tracking = tracking && isTracking(model, messages);
    }
    if (!tracking || worker.status().state == RigStatus::State::NoAnswer)
        state.SkipWithError("a tick did not read the file, or the rig did not answer");
}

// How often the worker tunes the rig while WSJT-X rewrites azel.dat once a second at
// 1296 MHz: eight simulated hours (a whole pass of the simulated moon, whose Doppler
// moves by up to about 40 Hz a minute), 480 ms ticks, every tick's figures stepped
// through the worker to a rig that answers at once (the count does not depend on the rig).
// Frequency and split commands per minute.
class InstantRig final : public RigConnection {
  public:
    RigError open() override { return std::nullopt; }
    void close() override {}
    RigError setFrequency(std::int64_t) override { return std::nullopt; }
    FrequencyReading frequency() override { return {}; }
    RigError setSplit(bool) override { return std::nullopt; }
    RigError setSplitFrequency(std::int64_t) override { return std::nullopt; }
    PttReading ptt() override { return {}; }
};

void rigCommandsPerMinute(benchmark::State& state, bool oneHz) {
    constexpr int kTicksPerMinute = 125;  // 60 s / 480 ms
    constexpr int kMinutes = 8 * 60;
    std::vector<std::uint64_t> perMinute;
    for (auto _ : state) {
        SimulatedTime time;
        TrackingWriter writer(workspace->smallFile(), time, false);
        const SimulatedClock clock(time);
        const HostTimeZoneSource zone([&time] { return time.now(); });
        CountingMessages messages;
        Workspace::savePathOf(workspace->smallFile());
        AppCore model(clock, zone, messages);
        model.start();
        if (oneHz) model.fields().select(field("hz1"));
        RigWorker worker(std::make_unique<InstantRig>());
        std::uint64_t steps = 0, sentBefore = 0;
        for (int minute = 0; minute < kMinutes; ++minute) {
            for (int i = 0; i < kTicksPerMinute; ++i) {
                time.tick(), writer.follow();
                model.tick();
                worker.post(wantedFigures(model.tracking(), model.plan(), SkedScheme::Cfom));
                ++steps;
                while (worker.stepsTaken() < steps)
                    std::this_thread::yield();
            }
            // The first minute also opens the rig and sets split: count from the second.
            if (minute > 0) perMinute.push_back(worker.commandsSent() - sentBefore);
            sentBefore = worker.commandsSent();
        }
        if (worker.status().state != RigStatus::State::Tracking)
            state.SkipWithError(("not tracking: " + worker.status().reason).c_str());
    }
    double total = 0, most = 0;
    for (const auto n : perMinute)
        total += static_cast<double>(n), most = std::max(most, static_cast<double>(n));
    state.counters["commands_per_min"] = total / static_cast<double>(perMinute.size());
    state.counters["most_in_a_min"] = most;
}

void BM_RigCommandsPerMinute_10Hz(benchmark::State& state) {
    rigCommandsPerMinute(state, false);
}

void BM_RigCommandsPerMinute_1Hz(benchmark::State& state) {
    rigCommandsPerMinute(state, true);
}

// Counts the paint events Qt sends to any widget.
class PaintCounter final : public QObject {
  public:
    PaintCounter() { qApp->installEventFilter(this); }
    ~PaintCounter() override { qApp->removeEventFilter(this); }
    long paints = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

// The tick of the running program: the model, then the changes pushed into the
// widgets, then the event loop's turn, where Qt repaints what the push touched.
// With `frozen`, neither the clock nor the file moves: the tick changes nothing.
void widgetTick(benchmark::State& state, bool frozen) {
    SimulatedTime time;
    TrackingWriter writer(workspace->smallFile(), time, false);
    const SimulatedClock clock(time);
    const HostTimeZoneSource zone([&time] { return time.now(); });
    CountingMessages messages;
    Workspace::savePathOf(workspace->smallFile());
    DesktopApp app(clock, zone, &messages);
    app.start();
    app.timer().stop();  // the benchmark drives the ticks
    const auto tickAndPaint = [&] {
        app.tick();
        QCoreApplication::processEvents();
    };
    // Warm up: fills the freshness ring (a frozen file turns the patch red) and paints
    // the window once.
    for (int i = 0; i < 12; ++i) {
        if (!frozen) time.tick(), writer.follow();
        tickAndPaint();
    }
    bool tracking = true;
    PaintCounter counter;
    for (auto _ : state) {
        if (!frozen) time.tick(), writer.follow();
        timeOne(state, tickAndPaint);
        tracking = tracking && isTracking(app.core(), messages);
    }
    state.counters["paints"] =
        benchmark::Counter(static_cast<double>(counter.paints), benchmark::Counter::kAvgIterations);
    if (!tracking) state.SkipWithError("a tick did not read the file");
}

void BM_WidgetTick(benchmark::State& state) {
    widgetTick(state, false);
}

void BM_WidgetTick_NothingChanged(benchmark::State& state) {
    widgetTick(state, true);
}

BENCHMARK(BM_Floor_OpenReadClose)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DecodeAzel)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadAzelFile)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ModelTick)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ModelTick_NothingChanged)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ModelTick_50MB)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ModelTick_RigTracking)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RigCommandsPerMinute_10Hz)
    ->Iterations(1)
    ->Repetitions(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RigCommandsPerMinute_1Hz)
    ->Iterations(1)
    ->Repetitions(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WidgetTick)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WidgetTick_NothingChanged)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The console table, then the ratios the targets are set in, from the medians when
// the run has repetitions.
class RatioReporter final : public benchmark::ConsoleReporter {
  public:
    RatioReporter() : ConsoleReporter(::isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred) continue;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.run_type == Run::RT_Aggregate && !median) continue;
            Figure& figure = figures_[run.run_name.function_name];
            if (figure.fromMedian && !median) continue;
            figure.fromMedian = median;
            figure.ns =
                run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e9;
            if (auto paints = run.counters.find("paints"); paints != run.counters.end())
                figure.paints = paints->second.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\nPer tick (%s):\n", anyMedian() ? "medians" : "single runs");
        for (const auto& [name, figure] : figures_)
            std::printf("  %-32s %9.2f us\n", name.c_str(), figure.ns / 1000);
        std::printf("\nRatios and targets:\n");
        ratio("BM_ModelTick", "BM_Floor_OpenReadClose", "model tick / floor", 2.0);
        ratio("BM_ModelTick_50MB", "BM_ModelTick", "50 MB tick / small tick", 1.10);
        ratio("BM_DecodeAzel", "BM_Floor_OpenReadClose", "decode / floor", 0);
        ratio("BM_ReadAzelFile", "BM_Floor_OpenReadClose", "tick's file read / floor", 0);
        ratio("BM_ModelTick_RigTracking", "BM_ModelTick", "tick tracking the rig / tick", 0);
        ratio("BM_WidgetTick", "BM_ModelTick", "widget tick / model tick", 0);
        ratio("BM_WidgetTick_NothingChanged", "BM_ModelTick_NothingChanged",
              "unchanged: widget / model tick", 0);
        if (auto it = figures_.find("BM_WidgetTick_NothingChanged"); it != figures_.end()) {
            std::printf("  %-32s %9.3f  (target 0: %s)\n", "paints per unchanged tick",
                        it->second.paints, it->second.paints == 0 ? "met" : "NOT MET");
        }
        if (auto it = figures_.find("BM_WidgetTick"); it != figures_.end())
            std::printf("  %-32s %9.3f\n", "paints per changing tick", it->second.paints);
        std::fflush(stdout);
    }

  private:
    struct Figure {
        double ns = 0;
        double paints = 0;
        bool fromMedian = false;
    };

    bool anyMedian() const {
        for (const auto& [name, figure] : figures_)
            if (figure.fromMedian) return true;
        return false;
    }

    void ratio(const std::string& over, const std::string& under, const char* label,
               double target) {
        const auto a = figures_.find(over), b = figures_.find(under);
        if (a == figures_.end() || b == figures_.end() || b->second.ns <= 0) return;
        const double value = a->second.ns / b->second.ns;
        if (target > 0)
            std::printf("  %-32s %9.2f  (target <= %.2f: %s)\n", label, value, target,
                        value <= target ? "met" : "NOT MET");
        else
            std::printf("  %-32s %9.2f\n", label, value);
    }

    std::map<std::string, Figure> figures_;
};

}  // namespace
}  // namespace selvora::bench

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    // The focused text box's blinking cursor would repaint it twice a second whatever
    // the ticks do; the paint counts are about what a tick changes.
    QApplication::setCursorFlashTime(0);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    selvora::bench::Workspace workspace;
    selvora::bench::workspace = &workspace;
    selvora::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
