#include "rig/rig_worker.h"

namespace selvora {

RigWorker::RigWorker(std::unique_ptr<RigConnection> connection)
    : connection_(std::move(connection)), thread_([this] { run(); }) {}

RigWorker::~RigWorker() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void RigWorker::post(WantedFigures wanted) {
    {
        const std::lock_guard lock(mutex_);
        mailbox_ = std::move(wanted);
    }
    wake_.notify_one();
}

RigStatus RigWorker::status() const {
    const std::lock_guard lock(mutex_);
    return status_;
}

std::uint64_t RigWorker::commandsSent() const {
    const std::lock_guard lock(mutex_);
    return commandsSent_;
}

std::uint64_t RigWorker::stepsTaken() const {
    const std::lock_guard lock(mutex_);
    return stepsTaken_;
}

// Empty once the worker is to stop.
std::optional<WantedFigures> RigWorker::takeMailbox() {
    std::unique_lock lock(mutex_);
    wake_.wait(lock, [this] { return stopping_ || mailbox_.has_value(); });
    if (stopping_) return std::nullopt;
    std::optional<WantedFigures> wanted = std::move(mailbox_);
    mailbox_.reset();
    return wanted;
}

void RigWorker::run() {
    while (std::optional<WantedFigures> wanted = takeMailbox()) {
        tracker_.step(std::chrono::steady_clock::now(), *wanted, *connection_);
        const std::lock_guard lock(mutex_);
        status_ = tracker_.status();
        commandsSent_ = tracker_.commandsSent();
        ++stepsTaken_;
    }
    tracker_.stop(*connection_);
}

}  // namespace selvora
