// A rotator in memory for the tracker and worker tests: it turns towards the last
// position it took at a set speed, on the test's clock, and can be told to refuse
// moves, to go silent or to hang.
#pragma once

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "rotator/rotator_connection.h"

namespace selvora::testing {

struct FakeRotatorState {
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    std::mutex mutex;  // guards all below; the worker's thread and the test share it
    Clock clock;
    RotatorRange range{-180, 450, 0, 90, RotatorKind::AzEl};
    double degreesPerSecond = 0;  // 0: at the target at once
    AzEl position{0, 0};
    AzEl target{0, 0};
    std::chrono::steady_clock::time_point movedAt{};
    bool silent = false;       // every call fails as a lost rotator
    bool refuseMoves = false;  // setPosition answers "Invalid parameter"
    bool hangMoves = false;    // setPosition blocks until released
    bool insideMove = false;
    std::condition_variable released;
    std::vector<std::string> calls;  // "open", "close", "get", "set 370 30", "stop", "park"
    std::vector<AzEl> moves;         // taken by setPosition

    // Where the antenna has got to by now; with the mutex held.
    void turn() {
        const auto now = clock();
        if (degreesPerSecond <= 0) {
            position = target;
        } else {
            const double step =
                degreesPerSecond * std::chrono::duration<double>(now - movedAt).count();
            const auto towards = [step](double from, double to) {
                return from + std::clamp(to - from, -step, step);
            };
            position = {towards(position.azimuthDeg, target.azimuthDeg),
                        towards(position.elevationDeg, target.elevationDeg)};
        }
        movedAt = now;
    }

    std::size_t count(const std::string& call) {
        const std::lock_guard lock(mutex);
        return static_cast<std::size_t>(std::count_if(
            calls.begin(), calls.end(), [&](const std::string& c) { return c.starts_with(call); }));
    }
    std::size_t moveCount() {
        const std::lock_guard lock(mutex);
        return moves.size();
    }
    void release() {
        {
            const std::lock_guard lock(mutex);
            hangMoves = false;
        }
        released.notify_all();
    }
};

class FakeRotator final : public RotatorConnection {
  public:
    explicit FakeRotator(FakeRotatorState& state) : state_(state) {}

    RotatorError open() override { return answer("open"); }
    void close() override {
        const std::lock_guard lock(state_.mutex);
        state_.calls.push_back("close");
    }
    PositionReading position() override {
        const std::lock_guard lock(state_.mutex);
        state_.calls.push_back("get");
        if (state_.silent) return {{}, lost()};
        state_.turn();
        return {state_.position, std::nullopt};
    }
    RotatorError setPosition(AzEl target) override {
        std::unique_lock lock(state_.mutex);
        state_.calls.push_back("set " + std::to_string(std::lround(target.azimuthDeg)) + " " +
                               std::to_string(std::lround(target.elevationDeg)));
        state_.insideMove = true;
        state_.released.wait(lock, [&] { return !state_.hangMoves; });
        state_.insideMove = false;
        if (state_.silent) return lost();
        if (state_.refuseMoves) return DeviceFailure{"Invalid parameter", true};
        state_.turn();
        state_.target = target;
        state_.moves.push_back(target);
        return std::nullopt;
    }
    RotatorError stop() override {
        const std::lock_guard lock(state_.mutex);
        state_.calls.push_back("stop");
        if (state_.silent) return lost();
        state_.turn();
        state_.target = state_.position;
        return std::nullopt;
    }
    RotatorError park() override { return answer("park"); }
    RotatorRange range() const override {
        const std::lock_guard lock(state_.mutex);
        return state_.range;
    }

  private:
    static DeviceFailure lost() { return {"IO error", false}; }
    RotatorError answer(const char* call) {
        const std::lock_guard lock(state_.mutex);
        state_.calls.push_back(call);
        if (state_.silent) return lost();
        return std::nullopt;
    }

    FakeRotatorState& state_;
};

}  // namespace selvora::testing
