// What the operator sets for the antenna: which rotator, what it points at and how it
// may move; and the texts they type for it, read or refused with a one-line reason.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace selvora {

struct RotatorSettings {
    int model = 0;        // Hamlib's rotator model; 0: no rotator. 2 is NET rotctl (rotctld)
    std::string port;     // "/dev/ttyUSB1" or "localhost:4533"; empty: Hamlib's default
    int serialSpeed = 0;  // baud; 0: the model's default
    friend bool operator==(const RotatorSettings&, const RotatorSettings&) = default;
};

enum class PointAt { Moon, Sun };

// Seconds of the UTC minute in which the antenna may move, both inclusive; a first
// after the last runs across the minute (55-5).
struct MoveSeconds {
    int first = 50;
    int last = 59;
    friend bool operator==(const MoveSeconds&, const MoveSeconds&) = default;
};

struct MovePolicy {
    double toleranceDeg = 1.0;               // a move once the pointing error reaches this
    std::optional<MoveSeconds> moveSeconds;  // none: any second
    double minElevationDeg = 0.0;            // never below this, nor below the rotator's own lowest
    // The operator's narrowing of the rotator's azimuth range, in the rotator's degrees.
    std::optional<double> minAzimuthDeg;
    std::optional<double> maxAzimuthDeg;
    friend bool operator==(const MovePolicy&, const MovePolicy&) = default;
};

// A value the operator typed, or why it does not read ("the tolerance must be ...").
template <typename T>
struct Typed {
    std::optional<T> value;
    std::string whyNot;  // empty when value is set
};

// "moon" or "sun".
Typed<PointAt> readPointAt(std::string_view text);
// Degrees above 0 and at most 90: "0.2", "3".
Typed<double> readToleranceDeg(std::string_view text);
// "50-59": two whole seconds 0 to 59.
Typed<MoveSeconds> readMoveSeconds(std::string_view text);
// Degrees from -90 to 90.
Typed<double> readMinElevationDeg(std::string_view text);
// Degrees from -360 to 720, in the rotator's own reckoning.
Typed<double> readAzimuthLimitDeg(std::string_view text);

// How the operator writes them back: "moon", "50-59".
std::string_view pointAtName(PointAt body);
std::string moveSecondsText(const MoveSeconds& seconds);

// Whether `second` (0 to 59) is one of them.
bool isMoveSecond(const MoveSeconds& seconds, int second);

}  // namespace selvora
