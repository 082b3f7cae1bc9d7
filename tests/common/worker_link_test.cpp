// Letting a worker go: the window's side waits for a device closed within the grace,
// so a quick device is closed before the program goes on, not after.
#include "common/worker_link.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

namespace selvora {
namespace {

using namespace std::chrono_literals;

TEST(WorkerLink, LettingGoWaitsForAThreadThatFinishesWithinTheGrace) {
    auto link = std::make_shared<WorkerLink>(std::chrono::steady_clock::now);
    std::thread worker([link] {
        {
            std::unique_lock lock(link->mutex);
            link->wake.wait(lock, [&] { return link->stopping; });
        }
        std::this_thread::sleep_for(50ms);  // closing its device, outside the lock
        link->finish();
    });
    link->letGo(30s);  // bounded: a fault must not hang the suite
    {
        const std::lock_guard lock(link->mutex);
        EXPECT_TRUE(link->finished);
    }
    worker.join();
}

}  // namespace
}  // namespace selvora
