#include "rotator/hamlib_rotator.h"

#include <hamlib/rotator.h>

#include <algorithm>
#include <chrono>
#include <mutex>
#include <optional>
#include <tuple>
#include <utility>

#include "hamlib/device_opening.h"
#include "hamlib/loaded_hamlib.h"
#include "rotator/rotator_state_text.h"

namespace selvora {

namespace {

// The rotator calls Selvora makes, bound by name in the library the shared layer loaded.
struct RotatorCalls {
    decltype(&::rot_init) init;
    decltype(&::rot_open) open;
    decltype(&::rot_close) close;
    decltype(&::rot_cleanup) cleanup;
    decltype(&::rot_token_lookup) tokenLookup;
    decltype(&::rot_set_conf) setConf;
    decltype(&::rot_set_position) setPosition;
    decltype(&::rot_get_position) getPosition;
    decltype(&::rot_stop) stop;
    decltype(&::rot_park) park;
    decltype(&::rot_list_foreach) listForeach;
};

bool bindAll(RotatorCalls& c) {
    const auto bind = [](const char* name, auto& call) { return bindHamlibCall(name, call); };
    return bind("rot_init", c.init) && bind("rot_open", c.open) && bind("rot_close", c.close) &&
           bind("rot_cleanup", c.cleanup) && bind("rot_token_lookup", c.tokenLookup) &&
           bind("rot_set_conf", c.setConf) && bind("rot_set_position", c.setPosition) &&
           bind("rot_get_position", c.getPosition) && bind("rot_stop", c.stop) &&
           bind("rot_park", c.park) && bind("rot_list_foreach", c.listForeach);
}

// Bound once, on the thread that first asks, before any rotator worker runs.
const BoundHamlibCalls<RotatorCalls>& hamlib() {
    static const auto bound = bindHamlibCalls<RotatorCalls>(bindAll, "antenna control");
    return bound;
}

const RotatorCalls& calls() {
    return *hamlib().calls;
}

RotatorError failure(std::string message) {
    return DeviceFailure{std::move(message), false};
}

// Read straight from Hamlib's structures, for want of calls that tell them: a model's
// number, names and port (its caps) and an open rotator's range (its state, which
// NET rotctl fills from rotctld's own). The release check keeps the layout the one
// the program was built with.
struct ModelFacts {
    int id;
    std::string maker;
    std::string name;
    bool serial;
};
ModelFacts factsOf(const rot_caps* caps) {
    const auto text = [](const char* value) { return std::string(value != nullptr ? value : ""); };
    return {static_cast<int>(caps->rot_model), text(caps->mfg_name), text(caps->model_name),
            caps->port_type == RIG_PORT_SERIAL};
}

RotatorRange rangeOf(const ROT* rot) {
    RotatorRange range{rot->state.min_az, rot->state.max_az, rot->state.min_el, rot->state.max_el,
                       RotatorKind::AzEl};
    const int type = rot->caps->rot_type & ROT_TYPE_MASK;
    // NET rotctl's caps say "other": the range rotctld told is what there is to go by.
    if (type == ROT_TYPE_AZIMUTH || range.minElevationDeg >= range.maxElevationDeg)
        range.kind = RotatorKind::AzimuthOnly;
    else if (type == ROT_TYPE_ELEVATION || range.minAzimuthDeg >= range.maxAzimuthDeg)
        range.kind = RotatorKind::ElevationOnly;
    return range;
}

// The rotator's open, for the shared opening on a thread of its own.
struct RotatorDevice {
    using Handle = ROT;
    static int open(ROT* rot) { return calls().open(rot); }
    static void close(ROT* rot) { calls().close(rot); }
    static void cleanup(ROT* rot) { calls().cleanup(rot); }
};

class HamlibRotator final : public RotatorConnection {
  public:
    explicit HamlibRotator(RotatorSettings settings) : settings_(std::move(settings)) {}
    ~HamlibRotator() override { close(); }

    RotatorError open() override {
        close();
        if (!opening_) {
            if (!hamlib().calls) return failure(hamlib().problem);
            rot_ = calls().init(static_cast<rot_model_t>(settings_.model));
            if (rot_ == nullptr)
                return failure("Hamlib knows no rotator model " + std::to_string(settings_.model));
            if (RotatorError error = configure()) {
                close();
                return failure(error->message);
            }
            opening_.emplace(std::exchange(rot_, nullptr));
        }
        const std::optional<int> code =
            opening_->waitUntil(std::chrono::steady_clock::now() + kOpenDeadline);
        if (!code) return failure(kSilentDevice);
        rot_ = opening_->take();
        opening_.reset();
        if (RotatorError error = hamlibFailure(*code)) return failure(error->message);
        opened_ = true;
        range_ = rangeOf(rot_);
        if (RotatorError error = setNetworkTimeouts()) return failure(error->message);
        return std::nullopt;
    }

    void close() override {
        if (rot_ == nullptr) return;
        if (opened_) calls().close(rot_);
        calls().cleanup(rot_);
        rot_ = nullptr;
        opened_ = false;
    }

    PositionReading position() override {
        azimuth_t azimuth = 0;
        elevation_t elevation = 0;
        if (RotatorError error = hamlibFailure(calls().getPosition(rot_, &azimuth, &elevation)))
            return {{}, error};
        return {{azimuth, elevation}, std::nullopt};
    }

    RotatorError setPosition(AzEl target) override {
        return hamlibFailure(calls().setPosition(rot_, static_cast<azimuth_t>(target.azimuthDeg),
                                                 static_cast<elevation_t>(target.elevationDeg)));
    }

    RotatorError stop() override { return hamlibFailure(calls().stop(rot_)); }
    RotatorError park() override { return hamlibFailure(calls().park(rot_)); }
    RotatorRange range() const override { return range_; }

  private:
    RotatorError setConf(const char* name, const std::string& value) {
        return hamlibFailure(calls().setConf(rot_, calls().tokenLookup(rot_, name), value.c_str()));
    }

    RotatorError setNetworkTimeouts() {
        if (settings_.model != ROT_MODEL_NETROTCTL) return std::nullopt;
        if (RotatorError error = setConf("timeout", kNetworkTimeoutMs)) return error;
        return setConf("retry", kNetworkRetries);
    }

    RotatorError configure() {
        if (!settings_.port.empty())
            if (RotatorError error = setConf("rot_pathname", settings_.port)) return error;
        if (RotatorError error = setNetworkTimeouts()) return error;
        if (settings_.serialSpeed > 0 && rot_->caps->port_type == RIG_PORT_SERIAL)
            return setConf("serial_speed", std::to_string(settings_.serialSpeed));
        return std::nullopt;
    }

    RotatorSettings settings_;
    std::optional<DeviceOpening<RotatorDevice>> opening_;  // an open that overran, still going
    ROT* rot_ = nullptr;
    bool opened_ = false;
    RotatorRange range_;
};

int addModel(const rot_caps* caps, rig_ptr_t list) {
    const ModelFacts facts = factsOf(caps);
    static_cast<std::vector<RotatorModel>*>(list)->push_back(
        {facts.id, facts.maker, facts.name, facts.serial});
    return 1;  // go on
}

}  // namespace

std::unique_ptr<RotatorConnection> makeHamlibRotator(const RotatorSettings& settings) {
    if (settings.model == 0) return nullptr;
    hamlib();
    return std::make_unique<HamlibRotator>(settings);
}

std::vector<RotatorModel> hamlibRotatorModels() {
    static std::mutex hamlibList;  // rot_list_foreach walks Hamlib's global table
    const std::lock_guard lock(hamlibList);
    std::vector<RotatorModel> models;
    if (!hamlib().calls) return models;
    calls().listForeach(addModel, &models);
    std::sort(models.begin(), models.end(), [](const RotatorModel& a, const RotatorModel& b) {
        return std::tie(a.maker, a.name, a.id) < std::tie(b.maker, b.name, b.id);
    });
    return models;
}

RotatorTestResult testRotator(const RotatorSettings& settings) {
    if (settings.model == 0) return {false, "No rotator is chosen."};
    HamlibRotator rotator(settings);
    if (RotatorError error = rotator.open()) return {false, "No answer: " + error->message + "."};
    const PositionReading reading = rotator.position();
    if (reading.error)
        return {false, "The rotator opened but did not tell its position: " +
                           reading.error->message + "."};
    return {true, "The antenna points at " + directionText(reading.position) + "."};
}

}  // namespace selvora
