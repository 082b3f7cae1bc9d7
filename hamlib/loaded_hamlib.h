// Hamlib's library, loaded once for every kind of device: the release check, the
// calls every kind shares (its trace off, its backends registered, its error texts),
// and the symbols each kind binds for itself.
#pragma once

#include <optional>
#include <string>

#include "hamlib/device_failure.h"
#include "hamlib/hamlib_library.h"

namespace selvora {

struct LoadedHamlib {
    // Set only when the library is a tried release that has every shared call.
    HamlibLibrary library;
    bool usable = false;
    std::string problem;  // why not, in an operator's words
    std::string release;  // "Hamlib 4.5.5 (libhamlib.so.4)", once its version is read
};

// Loaded on the thread that first asks, before any worker runs: Hamlib registers its
// rig and rotator backends in global tables that are not safe to fill from two threads.
const LoadedHamlib& loadedHamlib();

// "Hamlib 4.5.5 (libhamlib.so.4)"; or, when it cannot be used, why not.
std::string hamlibInUse();

// The library's symbol by that name; nullptr when Hamlib is not usable or lacks it.
void* hamlibCall(const char* name);

// `call` set to the library's symbol by that name; false when there is none.
template <typename Call>
bool bindHamlibCall(const char* name, Call& call) {
    call = reinterpret_cast<Call>(hamlibCall(name));
    return call != nullptr;
}

// The calls one kind of device makes (a struct of them), bound only when every one is there.
template <typename Calls>
struct BoundHamlibCalls {
    std::optional<Calls> calls;
    std::string problem;  // why not, in an operator's words
};

// `bindAll(Calls&)` binds each call through bindHamlibCall and says whether all were
// there; without them, `control` ("rig control") is off.
template <typename Calls, typename BindAll>
BoundHamlibCalls<Calls> bindHamlibCalls(BindAll bindAll, const std::string& control) {
    const LoadedHamlib& loaded = loadedHamlib();
    if (!loaded.usable) return {std::nullopt, loaded.problem};
    Calls calls{};
    if (!bindAll(calls))
        return {std::nullopt,
                loaded.release + " lacks calls this program needs, so " + control + " is off"};
    return {calls, {}};
}

// Only once loadedHamlib() is usable: a Hamlib call's result as a failure, refused
// when the table of codes says the device is still there. Empty for RIG_OK.
DeviceError hamlibFailure(int code);

}  // namespace selvora
