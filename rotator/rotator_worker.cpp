#include "rotator/rotator_worker.h"

#include <mutex>
#include <optional>
#include <thread>
#include <utility>

#include "common/worker_link.h"

namespace selvora {

// Everything the thread and the window's side share, kept alive by whichever ends last.
struct RotatorWorker::Shared : WorkerLink {
    using WorkerLink::WorkerLink;

    enum class Order { Stop, Park };

    std::optional<WantedPointing> mailbox;
    std::optional<RotatorSetup> setup;
    std::optional<Order> order;
    RotatorStatus status;
    std::uint64_t commandsSent = 0;
    std::uint64_t stepsTaken = 0;
};

namespace {

// The thread's own: only it touches these.
struct Rotator {
    std::unique_ptr<RotatorConnection> connection;
    RotatorTracker tracker;
    std::uint64_t sentBefore = 0;  // by the trackers of the rotators before

    std::uint64_t commandsSent() const { return sentBefore + tracker.commandsSent(); }

    void replace(RotatorSetup setup) {
        if (connection) tracker.close(*connection);
        sentBefore = commandsSent();
        connection = std::move(setup.connection);
        tracker = RotatorTracker{setup.policy};
    }
};

}  // namespace

RotatorWorker::RotatorWorker(Clock clock) : shared_(std::make_shared<Shared>(std::move(clock))) {
    std::thread([shared = shared_] { run(shared); }).detach();
}

RotatorWorker::~RotatorWorker() {
    shared_->letGo(kRotatorCloseGrace);
}

void RotatorWorker::configure(RotatorSetup setup) {
    shared_->tell([&] {
        shared_->setup = std::move(setup);
        shared_->order.reset();
    });
}

void RotatorWorker::post(WantedPointing wanted) {
    shared_->tell([&] { shared_->mailbox = std::move(wanted); });
}

void RotatorWorker::stopAntenna() {
    shared_->tell([&] {
        shared_->mailbox.reset();
        shared_->order = Shared::Order::Stop;
    });
}

void RotatorWorker::park() {
    shared_->tell([&] {
        shared_->mailbox.reset();
        shared_->order = Shared::Order::Park;
    });
}

RotatorStatus RotatorWorker::status() const {
    const std::lock_guard lock(shared_->mutex);
    if (shared_->stalled(kRotatorStalledCall)) {
        RotatorStatus stalled = shared_->status;
        stalled.state = RotatorStatus::State::Waiting;
        stalled.reason = std::string(kRotatorStalledReason);
        return stalled;
    }
    return shared_->status;
}

std::uint64_t RotatorWorker::commandsSent() const {
    const std::lock_guard lock(shared_->mutex);
    return shared_->commandsSent;
}

std::uint64_t RotatorWorker::stepsTaken() const {
    const std::lock_guard lock(shared_->mutex);
    return shared_->stepsTaken;
}

void RotatorWorker::run(const std::shared_ptr<Shared>& shared) {
    Rotator rotator;
    std::unique_lock lock(shared->mutex);
    while (true) {
        // Woken by a tick, an order or a new rotator; else by itself, to read back.
        shared->wake.wait_for(lock, kRotatorWake, [&] {
            return shared->stopping || shared->setup || shared->mailbox || shared->order;
        });
        if (shared->stopping) break;
        std::optional<RotatorSetup> setup = std::exchange(shared->setup, std::nullopt);
        std::optional<WantedPointing> wanted = std::exchange(shared->mailbox, std::nullopt);
        const std::optional<Shared::Order> order = std::exchange(shared->order, std::nullopt);
        shared->callStarted = shared->clock();
        lock.unlock();
        if (setup) rotator.replace(std::move(*setup));
        if (rotator.connection) {
            const auto now = shared->clock();
            if (order == Shared::Order::Stop) rotator.tracker.stopAntenna(now, *rotator.connection);
            if (order == Shared::Order::Park) rotator.tracker.park(now, *rotator.connection);
            rotator.tracker.step(shared->clock(), wanted, *rotator.connection);
        }
        lock.lock();
        shared->callStarted.reset();
        shared->status = rotator.connection ? rotator.tracker.status() : RotatorStatus{};
        shared->commandsSent = rotator.commandsSent();
        if (wanted) ++shared->stepsTaken;
    }
    lock.unlock();
    rotator.replace({});
    shared->finish();
}

}  // namespace selvora
