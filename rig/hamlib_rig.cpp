#include "rig/hamlib_rig.h"

#include <hamlib/rig.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <memory>
#include <mutex>
#include <optional>
#include <tuple>
#include <utility>

#include "common/megahertz.h"
#include "hamlib/device_opening.h"
#include "hamlib/hamlib_codes.h"
#include "hamlib/loaded_hamlib.h"

namespace selvora {

namespace {

// The rig calls Selvora makes, bound by name in the library the shared layer loaded.
struct HamlibCalls {
    decltype(&::rig_init) init;
    decltype(&::rig_open) open;
    decltype(&::rig_close) close;
    decltype(&::rig_cleanup) cleanup;
    decltype(&::rig_token_lookup) tokenLookup;
    decltype(&::rig_set_conf) setConf;
    decltype(&::rig_set_vfo) setVfo;
    decltype(&::rig_set_freq) setFreq;
    decltype(&::rig_get_freq) getFreq;
    decltype(&::rig_set_split_vfo) setSplitVfo;
    decltype(&::rig_set_split_freq) setSplitFreq;
    decltype(&::rig_get_ptt) getPtt;
    decltype(&::rig_list_foreach) listForeach;
    decltype(&::rig_get_caps_int) capsNumber;
    decltype(&::rig_get_caps_cptr) capsText;
    decltype(&::rig_get_vfo_list) vfoList;
};

bool bindAll(HamlibCalls& c) {
    const auto bind = [](const char* name, auto& call) { return bindHamlibCall(name, call); };
    return bind("rig_init", c.init) && bind("rig_open", c.open) && bind("rig_close", c.close) &&
           bind("rig_cleanup", c.cleanup) && bind("rig_token_lookup", c.tokenLookup) &&
           bind("rig_set_conf", c.setConf) && bind("rig_set_vfo", c.setVfo) &&
           bind("rig_set_freq", c.setFreq) && bind("rig_get_freq", c.getFreq) &&
           bind("rig_set_split_vfo", c.setSplitVfo) && bind("rig_set_split_freq", c.setSplitFreq) &&
           bind("rig_get_ptt", c.getPtt) && bind("rig_list_foreach", c.listForeach) &&
           bind("rig_get_caps_int", c.capsNumber) && bind("rig_get_caps_cptr", c.capsText) &&
           bind("rig_get_vfo_list", c.vfoList);
}

// Bound once, on the thread that first asks, before any rig worker runs.
const BoundHamlibCalls<HamlibCalls>& hamlib() {
    static const auto bound = bindHamlibCalls<HamlibCalls>(bindAll, "rig control");
    return bound;
}

// Only once hamlib() has bound the calls.
const HamlibCalls& calls() {
    return *hamlib().calls;
}

// The rig said no to one command ("Feature not available") and is still there.
bool refused(int code) {
    return hamlibOutcome(code) == HamlibOutcome::Refused;
}

RigError check(int code) {
    return hamlibFailure(code);
}

RigError failure(std::string message) {
    return RigFailure{std::move(message), false};
}

// The only fields read straight from Hamlib's structures, for want of a call that tells
// them in Hamlib 4.5: a model's number (the first field of its caps, passed to
// rig_list_foreach's callback) and an open rig's frequency ranges. Everything else goes
// through Hamlib's calls, whose meaning does not hang on the structures' layout.
rig_model_t modelNumber(const rig_caps* caps) {
    return caps->rig_model;
}
const freq_range_t (&receiveRanges(const RIG* rig))[HAMLIB_FRQRANGESIZ] {
    return rig->state.rx_range_list;
}
const freq_range_t (&transmitRanges(const RIG* rig))[HAMLIB_FRQRANGESIZ] {
    return rig->state.tx_range_list;
}

bool inRanges(const freq_range_t (&ranges)[HAMLIB_FRQRANGESIZ], std::int64_t hz) {
    if (RIG_IS_FRNG_END(ranges[0])) return true;  // the backend tells none
    for (const freq_range_t& range : ranges) {
        if (RIG_IS_FRNG_END(range)) return false;
        if (static_cast<freq_t>(hz) >= range.startf && static_cast<freq_t>(hz) <= range.endf)
            return true;
    }
    return false;
}

// The rig's open, for the shared opening on a thread of its own.
struct RigDevice {
    using Handle = RIG;
    static int open(RIG* rig) { return calls().open(rig); }
    static void close(RIG* rig) { calls().close(rig); }
    static void cleanup(RIG* rig) { calls().cleanup(rig); }
};

// The VFOs an open rig has, as Hamlib names them ("VFOA VFOB MEM "); for NET rigctl,
// those rigctld told when it opened.
vfo_t vfosOf(RIG* rig) {
    std::array<char, 512> names{};
    if (calls().vfoList(rig, names.data(), static_cast<int>(names.size())) != RIG_OK) return 0;
    const std::string_view text(names.data());
    const auto named = [&](std::string_view name) {
        for (std::size_t at = text.find(name); at != std::string_view::npos;
             at = text.find(name, at + 1)) {
            const std::size_t end = at + name.size();
            if ((at == 0 || text[at - 1] == ' ') && (end == text.size() || text[end] == ' '))
                return true;
        }
        return false;
    };
    vfo_t vfos = 0;
    for (const auto& [vfo, name] : {std::pair{RIG_VFO_A, "VFOA"}, std::pair{RIG_VFO_B, "VFOB"},
                                    std::pair{RIG_VFO_MAIN, "Main"}, std::pair{RIG_VFO_SUB, "Sub"}})
        if (named(name)) vfos |= vfo;
    return vfos;
}

class HamlibConnection final : public RigConnection {
  public:
    explicit HamlibConnection(RigSettings settings) : settings_(std::move(settings)) {}
    ~HamlibConnection() override { close(); }

    // An open still going from before is waited for again rather than started anew.
    RigError open() override {
        close();
        if (!opening_) {
            if (!hamlib().calls) return failure(hamlib().problem);
            rig_ = calls().init(static_cast<rig_model_t>(settings_.model));
            if (rig_ == nullptr)
                return failure("Hamlib knows no rig model " + std::to_string(settings_.model));
            if (RigError error = configure()) return failure(error->message);
            opening_.emplace(std::exchange(rig_, nullptr));
        }
        const std::optional<int> code =
            opening_->waitUntil(std::chrono::steady_clock::now() + kOpenDeadline);
        if (!code) return failure(kSilentDevice);
        rig_ = opening_->take();
        opening_.reset();
        if (RigError error = check(*code)) return failure(error->message);
        opened_ = true;
        mainVfoSelected_ = false;
        vfos_ = vfosOf(rig_);
        if (RigError error = setNetworkTimeouts()) return failure(error->message);
        return std::nullopt;
    }

    void close() override {
        if (rig_ == nullptr) return;
        if (opened_) calls().close(rig_);
        calls().cleanup(rig_);
        rig_ = nullptr;
        opened_ = false;
    }

    // A rig that addresses VFOs by name still receives on the one selected, so that
    // is done once a connection. NET rigctl names no VFO unless rigctld runs in VFO
    // mode (-o), which the client cannot tell: a frequency there lands on the VFO in
    // use, so the main one is selected before each.
    RigError selectMainVfo() override {
        if (mainVfo() == RIG_VFO_NONE || (addressesVfos() && mainVfoSelected_)) return std::nullopt;
        if (RigError error = check(calls().setVfo(rig_, mainVfo()))) return error;
        mainVfoSelected_ = true;
        return std::nullopt;
    }

    RigError setFrequency(std::int64_t hz) override {
        const vfo_t vfo = addressesVfos() && mainVfo() != RIG_VFO_NONE ? mainVfo() : RIG_VFO_CURR;
        return check(calls().setFreq(rig_, vfo, static_cast<freq_t>(hz)));
    }

    FrequencyReading frequency() override {
        freq_t hz = 0;
        if (RigError error = check(calls().getFreq(rig_, RIG_VFO_CURR, &hz))) return {0, error};
        return {static_cast<std::int64_t>(hz + 0.5), std::nullopt};
    }

    RigError setSplit(bool on) override {
        return check(calls().setSplitVfo(rig_, RIG_VFO_CURR, on ? RIG_SPLIT_ON : RIG_SPLIT_OFF,
                                         on ? txVfo() : RIG_VFO_CURR));
    }

    RigError setSplitFrequency(std::int64_t hz) override {
        return check(calls().setSplitFreq(rig_, RIG_VFO_CURR, static_cast<freq_t>(hz)));
    }

    // A rig that cannot report its PTT is taken as receiving: there is no other way to know.
    PttReading ptt() override {
        ptt_t ptt = RIG_PTT_OFF;
        const int code = calls().getPtt(rig_, RIG_VFO_CURR, &ptt);
        if (code != RIG_OK && refused(code)) return {false, std::nullopt};
        if (code != RIG_OK) return {false, check(code)};
        return {ptt != RIG_PTT_OFF, std::nullopt};
    }

    bool canReceive(std::int64_t hz) const override {
        return rig_ == nullptr || inRanges(receiveRanges(rig_), hz);
    }
    bool canTransmit(std::int64_t hz) const override {
        return rig_ == nullptr || inRanges(transmitRanges(rig_), hz);
    }

  private:
    // VFO A on most rigs, Main on dual-receiver ones; none on a rig with one VFO.
    vfo_t mainVfo() const {
        const vfo_t vfos = vfos_;
        if ((vfos & RIG_VFO_B) != 0 && (vfos & RIG_VFO_A) != 0) return RIG_VFO_A;
        if ((vfos & RIG_VFO_SUB) != 0 && (vfos & RIG_VFO_MAIN) != 0) return RIG_VFO_MAIN;
        return RIG_VFO_NONE;
    }

    bool addressesVfos() const {
        return settings_.model != RIG_MODEL_NETRIGCTL &&
               (calls().capsNumber(settings_.model, RIG_CAPS_TARGETABLE_VFO) &
                RIG_TARGETABLE_FREQ) != 0;
    }

    // The rig's second VFO, as WSJT-X picks it: B on most rigs, Sub on dual-receiver
    // ones; rigctld tells model 2 which VFOs its rig has when it opens.
    vfo_t txVfo() const {
        const vfo_t vfos = vfos_;
        if ((vfos & RIG_VFO_B) != 0) return RIG_VFO_B;
        if ((vfos & RIG_VFO_SUB) != 0) return RIG_VFO_SUB;
        return RIG_VFO_TX;
    }

    RigError setConf(const char* name, const std::string& value) {
        return check(calls().setConf(rig_, calls().tokenLookup(rig_, name), value.c_str()));
    }

    // Only where this Hamlib has a setting by that name (Hamlib 4.5 has no timeout_retry).
    RigError setConfIfKnown(const char* name, const std::string& value) {
        if (calls().tokenLookup(rig_, name) == RIG_CONF_END) return std::nullopt;
        return setConf(name, value);
    }

    RigError setNetworkTimeouts() {
        if (settings_.model != RIG_MODEL_NETRIGCTL) return std::nullopt;
        if (RigError error = setConf("timeout", kNetworkTimeoutMs)) return error;
        if (RigError error = setConf("retry", kNetworkRetries)) return error;
        return setConfIfKnown("timeout_retry", kNetworkTimeoutRetries);
    }

    RigError configure() {
        if (!settings_.port.empty())
            if (RigError error = setConf("rig_pathname", settings_.port)) return error;
        if (RigError error = setNetworkTimeouts()) return error;
        if (settings_.serialSpeed > 0 &&
            calls().capsNumber(settings_.model, RIG_CAPS_PORT_TYPE) == RIG_PORT_SERIAL)
            return setConf("serial_speed", std::to_string(settings_.serialSpeed));
        return std::nullopt;
    }

    RigSettings settings_;
    std::optional<DeviceOpening<RigDevice>> opening_;  // an open that overran, still going
    RIG* rig_ = nullptr;
    bool opened_ = false;
    bool mainVfoSelected_ = false;  // since opening
    vfo_t vfos_ = 0;                // the VFOs the rig has, read on opening
};

int addModel(const rig_caps* caps, rig_ptr_t list) {
    const rig_model_t model = modelNumber(caps);
    const auto text = [&](rig_caps_cptr_e which) {
        const char* value = calls().capsText(model, which);
        return std::string(value != nullptr ? value : "");
    };
    static_cast<std::vector<RigModel>*>(list)->push_back(
        {static_cast<int>(model), text(RIG_CAPS_MFG_NAME_CPTR), text(RIG_CAPS_MODEL_NAME_CPTR),
         calls().capsNumber(model, RIG_CAPS_PORT_TYPE) == RIG_PORT_SERIAL});
    return 1;  // go on
}

}  // namespace

std::unique_ptr<RigConnection> makeHamlibConnection(const RigSettings& settings) {
    hamlib();
    return std::make_unique<HamlibConnection>(settings);
}

std::vector<RigModel> hamlibModels() {
    static std::mutex hamlibList;  // rig_list_foreach walks Hamlib's global table
    const std::lock_guard lock(hamlibList);
    std::vector<RigModel> models;
    if (!hamlib().calls) return models;
    calls().listForeach(addModel, &models);
    std::sort(models.begin(), models.end(), [](const RigModel& a, const RigModel& b) {
        return std::tie(a.maker, a.name, a.id) < std::tie(b.maker, b.name, b.id);
    });
    return models;
}

RigTestResult testRig(const RigSettings& settings) {
    HamlibConnection rig(settings);
    if (RigError error = rig.open()) return {false, "No answer: " + error->message + "."};
    const FrequencyReading reading = rig.frequency();
    if (reading.error)
        return {false,
                "The rig opened but did not tell its frequency: " + reading.error->message + "."};
    return {true, "The rig is on " + mhzText(reading.hz) + "."};
}

}  // namespace selvora
