#include "hamlib/loaded_hamlib.h"

#include <hamlib/rig.h>
#include <hamlib/rotator.h>

#include <mutex>
#include <optional>

#include "hamlib/hamlib_codes.h"
#include "hamlib/hamlib_release.h"

namespace selvora {

namespace {

// Hamlib 4's library, loaded when a device is first used rather than at start: its
// tables of every model are megabytes of pointers that the loader relocates, resident
// from the moment it is loaded, which an operator who uses no device would carry all night.

constexpr const char* kOff = ", so rig and antenna control are off";

struct SharedCalls {
    decltype(&::rig_set_debug) setDebug;
    decltype(&::rig_load_all_backends) loadRigBackends;
    decltype(&::rot_load_all_backends) loadRotatorBackends;
    decltype(&::rigerror2) error;
};

template <typename Call>
bool bind(const HamlibLibrary& library, const char* name, Call& call) {
    call = reinterpret_cast<Call>(hamlibSymbol(library, name));
    return call != nullptr;
}

std::optional<SharedCalls> bindShared(const HamlibLibrary& library) {
    SharedCalls c{};
    if (!bind(library, "rig_set_debug", c.setDebug) ||
        !bind(library, "rig_load_all_backends", c.loadRigBackends) ||
        !bind(library, "rot_load_all_backends", c.loadRotatorBackends) ||
        !bind(library, "rigerror2", c.error))
        return std::nullopt;
    return c;
}

struct Loaded {
    LoadedHamlib hamlib;
    std::optional<SharedCalls> calls;
};

// A library of an untried release is not called at all: its codes and structures may
// mean something else, and a wrong guess could crash the window rather than lose a device.
// Its trace goes to stderr unless told not to; the operator does not want it.
const Loaded& loaded() {
    static const Loaded once = [] {
        Loaded out;
        out.hamlib.library = loadHamlibLibrary();
        const HamlibLibrary& library = out.hamlib.library;
        if (library.handle == nullptr) {
            out.hamlib.problem = library.problem;
            return out;
        }
        const auto* version = static_cast<const char*>(hamlibSymbol(library, "hamlib_version"));
        const std::string versionText = version != nullptr ? version : "";
        const std::optional<HamlibRelease> release = readHamlibRelease(versionText);
        if (!release) {
            out.hamlib.problem = library.name + " does not say which Hamlib it is" + kOff;
            return out;
        }
        out.hamlib.release = versionText + " (" + library.name + ")";
        if (!isTriedHamlibRelease(*release)) {
            out.hamlib.problem = out.hamlib.release + " is not Hamlib " +
                                 std::string(kTriedHamlibReleases) +
                                 ", the releases this program works with" + kOff;
            return out;
        }
        out.calls = bindShared(library);
        if (!out.calls) {
            out.hamlib.problem = out.hamlib.release + " lacks calls this program needs" + kOff;
            return out;
        }
        out.calls->setDebug(RIG_DEBUG_NONE);
        out.calls->loadRigBackends();
        out.calls->loadRotatorBackends();
        out.hamlib.usable = true;
        return out;
    }();
    return once;
}

}  // namespace

const LoadedHamlib& loadedHamlib() {
    return loaded().hamlib;
}

std::string hamlibInUse() {
    const LoadedHamlib& hamlib = loadedHamlib();
    return hamlib.usable ? hamlib.release : hamlib.problem;
}

void* hamlibCall(const char* name) {
    const LoadedHamlib& hamlib = loadedHamlib();
    return hamlib.usable ? hamlibSymbol(hamlib.library, name) : nullptr;
}

// Hamlib's rigerror() appends its debug trace; the first line is the message.
// rigerror2() writes one static buffer, so threads (the rig's, the rotator's) take turns.
DeviceError hamlibFailure(int code) {
    if (code == RIG_OK) return std::nullopt;
    static std::mutex buffer;
    std::string text;
    {
        const std::lock_guard lock(buffer);
        text = loaded().calls->error(code);
    }
    text = text.substr(0, text.find('\n'));
    if (text.empty()) text = "Hamlib error " + std::to_string(code);
    return DeviceFailure{std::move(text), hamlibOutcome(code) == HamlibOutcome::Refused};
}

}  // namespace selvora
