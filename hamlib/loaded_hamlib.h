// Hamlib's library, loaded once for every kind of device: the release check, the
// calls every kind shares (its trace off, its backends registered, its error texts),
// and the symbols each kind binds for itself.
#pragma once

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

// Only once loadedHamlib() is usable: a Hamlib call's result as a failure, refused
// when the table of codes says the device is still there. Empty for RIG_OK.
DeviceError hamlibFailure(int code);

}  // namespace selvora
