#include "rig/rig_worker.h"

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

namespace selvora {

// Everything the thread and the window's side share, kept alive by whichever ends last.
struct RigWorker::Shared {
    explicit Shared(Clock c) : clock(std::move(c)) {}

    const Clock clock;
    mutable std::mutex mutex;  // guards everything below
    std::condition_variable wake;
    std::optional<WantedFigures> mailbox;
    std::optional<RigSetup> setup;
    bool stopping = false;
    bool finished = false;
    std::optional<std::chrono::steady_clock::time_point> stepStarted;  // a rig call in flight
    RigStatus status;
    ShownOnRig shownOnRig;
    std::uint64_t commandsSent = 0;
    std::uint64_t stepsTaken = 0;
};

namespace {

// The thread's own: only it touches these.
struct Rig {
    std::unique_ptr<RigConnection> connection;
    RigTracker tracker;
    std::uint64_t sentBefore = 0;  // by the trackers of the rigs before

    std::uint64_t commandsSent() const { return sentBefore + tracker.commandsSent(); }

    void replace(RigSetup setup) {
        if (connection) tracker.stop(*connection);
        connection = std::move(setup.connection);
        sentBefore = commandsSent();
        tracker = RigTracker{};
        tracker.setTransverters(std::move(setup.transverters));
    }
};

}  // namespace

RigWorker::RigWorker(Clock clock) : shared_(std::make_shared<Shared>(std::move(clock))) {
    std::thread([shared = shared_] { run(shared); }).detach();
}

RigWorker::RigWorker(std::unique_ptr<RigConnection> connection, Clock clock)
    : RigWorker(std::move(clock)) {
    configure({std::move(connection), {}});
}

RigWorker::~RigWorker() {
    std::unique_lock lock(shared_->mutex);
    shared_->stopping = true;
    shared_->wake.notify_all();
    shared_->wake.wait_for(lock, kCloseGrace, [&] { return shared_->finished; });
}

void RigWorker::configure(RigSetup setup) {
    const std::lock_guard lock(shared_->mutex);
    shared_->setup = std::move(setup);
    shared_->wake.notify_all();
}

void RigWorker::post(WantedFigures wanted) {
    const std::lock_guard lock(shared_->mutex);
    shared_->mailbox = std::move(wanted);
    shared_->wake.notify_all();
}

RigStatus RigWorker::status() const {
    const std::lock_guard lock(shared_->mutex);
    if (shared_->stepStarted && shared_->clock() - *shared_->stepStarted >= kStalledCall)
        return {RigStatus::State::Waiting, std::string(kStalledReason)};
    return shared_->status;
}

ShownOnRig RigWorker::shownOnRig() const {
    const std::lock_guard lock(shared_->mutex);
    return shared_->shownOnRig;
}

std::uint64_t RigWorker::commandsSent() const {
    const std::lock_guard lock(shared_->mutex);
    return shared_->commandsSent;
}

std::uint64_t RigWorker::stepsTaken() const {
    const std::lock_guard lock(shared_->mutex);
    return shared_->stepsTaken;
}

void RigWorker::run(const std::shared_ptr<Shared>& shared) {
    Rig rig;
    std::unique_lock lock(shared->mutex);
    while (true) {
        shared->wake.wait(lock, [&] {
            return shared->stopping || shared->setup.has_value() || shared->mailbox.has_value();
        });
        if (shared->stopping) break;
        std::optional<RigSetup> setup = std::exchange(shared->setup, std::nullopt);
        std::optional<WantedFigures> wanted = std::exchange(shared->mailbox, std::nullopt);
        shared->stepStarted = shared->clock();
        lock.unlock();
        if (setup) rig.replace(std::move(*setup));
        if (wanted && rig.connection) rig.tracker.step(shared->clock(), *wanted, *rig.connection);
        lock.lock();
        shared->stepStarted.reset();
        shared->status = rig.connection ? rig.tracker.status() : RigStatus{};
        shared->shownOnRig = rig.tracker.shownOnRig();
        shared->commandsSent = rig.commandsSent();
        if (wanted) ++shared->stepsTaken;
    }
    lock.unlock();
    rig.replace({});
    lock.lock();
    shared->finished = true;
    shared->wake.notify_all();
}

}  // namespace selvora
