// Through Hamlib's NET rotctl to a real rotctld: the range it tells, a move the worker
// makes reaching the target within the tolerance, a refused move reported as refused,
// a restarted rotctld followed again, and the settings dialog's model list and test.
#include "rotator/hamlib_rotator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <thread>

#include "rotator/move_policy.h"
#include "rotator/rotator_worker.h"
#include "rotctld.h"

namespace selvora {
namespace {

using namespace std::chrono_literals;
using testing::freeLocalPort;
using testing::Rotctld;

RotatorSettings rotctlAt(const Rotctld& rotctld) {
    return {2, rotctld.address(), 0};
}

// Bounded, the rotctld dummy turning about 6 degrees a second.
template <typename Condition>
bool within(std::chrono::seconds limit, Condition condition) {
    const auto until = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < until) {
        if (condition()) return true;
        std::this_thread::sleep_for(100ms);
    }
    return condition();
}

TEST(HamlibRotator, OpensReadsItsRangeAndRefusesAMoveOutsideIt) {
    Rotctld rotctld(freeLocalPort());
    ASSERT_TRUE(rotctld.running());
    const std::unique_ptr<RotatorConnection> rotator = makeHamlibRotator(rotctlAt(rotctld));
    ASSERT_TRUE(rotator);
    const RotatorError opened = rotator->open();
    ASSERT_FALSE(opened) << opened->message;
    EXPECT_EQ(rotator->range(), (RotatorRange{-180, 450, 0, 90, RotatorKind::AzEl}));

    const RotatorError refused = rotator->setPosition({500, 10});
    ASSERT_TRUE(refused);
    EXPECT_TRUE(refused->refused) << refused->message;
    // Still there: the next read answers.
    const PositionReading reading = rotator->position();
    EXPECT_FALSE(reading.error);
    rotator->close();
}

TEST(HamlibRotator, TheWorkerBringsTheAntennaOntoALiveTargetAndBackAfterARestart) {
    const int port = freeLocalPort();
    Rotctld rotctld(port);
    ASSERT_TRUE(rotctld.running());
    RotatorWorker worker;
    worker.configure({makeHamlibRotator(rotctlAt(rotctld)), MovePolicy{}});
    const WantedPointing moon{AzEl{30, 20}, {}, PointAt::Moon, 0};
    const auto onTarget = [&] {
        worker.post(moon);
        const auto at = rotctld.position();
        return at && pointingErrorDeg(RotatorKind::AzEl, {at->first, at->second}, {30, 20}) < 1.0;
    };
    ASSERT_TRUE(within(30s, onTarget)) << "never reached the target";
    ASSERT_TRUE(within(5s, [&] {
        const RotatorStatus status = worker.status();
        return status.state == RotatorStatus::State::Tracking && status.position &&
               pointingErrorDeg(RotatorKind::AzEl, *status.position, {30, 20}) < 1.0;
    }));

    // A restarted rotctld starts at 0, 0: noticed, reconnected, and sent the target again.
    rotctld.kill();
    ASSERT_TRUE(within(15s, [&] {
        worker.post(moon);
        return worker.status().state == RotatorStatus::State::NoAnswer;
    }));
    ASSERT_TRUE(rotctld.start());
    EXPECT_TRUE(within(60s, onTarget)) << "not back on the target after the restart";
}

TEST(HamlibRotator, TheSettingsDialogListsModelsAndTestsTheRotator) {
    const std::vector<RotatorModel> models = hamlibRotatorModels();
    const auto has = [&](int id, const std::string& name) {
        return std::any_of(models.begin(), models.end(),
                           [&](const RotatorModel& m) { return m.id == id && m.name == name; });
    };
    EXPECT_TRUE(has(1, "Dummy"));
    EXPECT_TRUE(has(2, "NET rotctl"));

    Rotctld rotctld(freeLocalPort());
    ASSERT_TRUE(rotctld.running());
    const RotatorTestResult answered = testRotator(rotctlAt(rotctld));
    EXPECT_TRUE(answered.answered) << answered.message;
    EXPECT_EQ(answered.message, "The antenna points at 0.0° 0.0°.");
    rotctld.kill();
    const RotatorTestResult silent = testRotator(rotctlAt(rotctld));
    EXPECT_FALSE(silent.answered);
    EXPECT_TRUE(silent.message.starts_with("No answer: ")) << silent.message;
    EXPECT_FALSE(makeHamlibRotator({}));  // model 0: no rotator
}

// A rotctld that takes the connection and never answers: given up by the open's own
// deadline, not Hamlib's time-outs, and letting the worker go does not wait for it.
TEST(HamlibRotator, ASilentRotctldIsGivenUpWithinSeconds) {
    const int silent = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    ASSERT_EQ(::bind(silent, reinterpret_cast<sockaddr*>(&address), size), 0);
    ASSERT_EQ(::listen(silent, 8), 0);  // the kernel accepts; no one answers
    ::getsockname(silent, reinterpret_cast<sockaddr*>(&address), &size);
    const RotatorSettings settings{2, "127.0.0.1:" + std::to_string(ntohs(address.sin_port)), 0};

    const RotatorTestResult result = testRotator(settings);
    EXPECT_EQ(result.message, "No answer: Communication timed out.");

    auto worker = std::make_unique<RotatorWorker>();
    worker->configure({makeHamlibRotator(settings), MovePolicy{}});
    const WantedPointing moon{AzEl{30, 20}, {}, PointAt::Moon, 0};
    EXPECT_TRUE(within(8s, [&] {
        worker->post(moon);
        return worker->status().state == RotatorStatus::State::NoAnswer;
    }));
    EXPECT_EQ(worker->status().reason, "Communication timed out");
    worker.reset();  // with an open of the next attempt perhaps still going
    ::close(silent);
}

}  // namespace
}  // namespace selvora
