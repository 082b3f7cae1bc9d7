#include "rig/rig_worker.h"

#include <mutex>
#include <optional>
#include <thread>
#include <utility>

#include "common/worker_link.h"

namespace selvora {

// Everything the thread and the window's side share, kept alive by whichever ends last.
struct RigWorker::Shared : WorkerLink {
    using WorkerLink::WorkerLink;

    std::optional<WantedFigures> mailbox;
    std::optional<RigSetup> setup;
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
    shared_->letGo(kCloseGrace);
}

void RigWorker::configure(RigSetup setup) {
    shared_->tell([&] { shared_->setup = std::move(setup); });
}

void RigWorker::post(WantedFigures wanted) {
    shared_->tell([&] { shared_->mailbox = std::move(wanted); });
}

RigStatus RigWorker::status() const {
    const std::lock_guard lock(shared_->mutex);
    if (shared_->stalled(kStalledCall))
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
        shared->callStarted = shared->clock();
        lock.unlock();
        if (setup) rig.replace(std::move(*setup));
        if (wanted && rig.connection) rig.tracker.step(shared->clock(), *wanted, *rig.connection);
        lock.lock();
        shared->callStarted.reset();
        shared->status = rig.connection ? rig.tracker.status() : RigStatus{};
        shared->shownOnRig = rig.tracker.shownOnRig();
        shared->commandsSent = rig.commandsSent();
        if (wanted) ++shared->stepsTaken;
    }
    lock.unlock();
    rig.replace({});
    shared->finish();
}

}  // namespace selvora
