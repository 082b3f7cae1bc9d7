#include "rig/hamlib_rig.h"

#include <hamlib/rig.h>

#include <algorithm>
#include <mutex>
#include <optional>
#include <tuple>

#include "rig/hamlib_library.h"

namespace selvora {

namespace {

// Hamlib 4's library, loaded when a rig is first used rather than at start: its tables
// of every rig model are megabytes of pointers that the loader relocates, resident from
// the moment it is loaded, which an operator who tracks no rig would carry all night.

// The Hamlib calls Selvora makes, bound by name.
struct HamlibCalls {
    decltype(&::rig_set_debug) setDebug;
    decltype(&::rig_load_all_backends) loadAllBackends;
    decltype(&::rigerror2) error;
    decltype(&::rig_init) init;
    decltype(&::rig_open) open;
    decltype(&::rig_close) close;
    decltype(&::rig_cleanup) cleanup;
    decltype(&::rig_token_lookup) tokenLookup;
    decltype(&::rig_set_conf) setConf;
    decltype(&::rig_set_freq) setFreq;
    decltype(&::rig_get_freq) getFreq;
    decltype(&::rig_set_split_vfo) setSplitVfo;
    decltype(&::rig_set_split_freq) setSplitFreq;
    decltype(&::rig_get_ptt) getPtt;
    decltype(&::rig_list_foreach) listForeach;
};

struct LoadedHamlib {
    std::optional<HamlibCalls> calls;
    std::string problem;  // why not, in an operator's words
};

template <typename Call>
bool bind(const HamlibLibrary& library, const char* name, Call& call) {
    call = reinterpret_cast<Call>(hamlibSymbol(library, name));
    return call != nullptr;
}

std::optional<HamlibCalls> bindAll(const HamlibLibrary& library) {
    HamlibCalls c{};
    const bool bound =
        bind(library, "rig_set_debug", c.setDebug) &&
        bind(library, "rig_load_all_backends", c.loadAllBackends) &&
        bind(library, "rigerror2", c.error) && bind(library, "rig_init", c.init) &&
        bind(library, "rig_open", c.open) && bind(library, "rig_close", c.close) &&
        bind(library, "rig_cleanup", c.cleanup) &&
        bind(library, "rig_token_lookup", c.tokenLookup) &&
        bind(library, "rig_set_conf", c.setConf) && bind(library, "rig_set_freq", c.setFreq) &&
        bind(library, "rig_get_freq", c.getFreq) &&
        bind(library, "rig_set_split_vfo", c.setSplitVfo) &&
        bind(library, "rig_set_split_freq", c.setSplitFreq) &&
        bind(library, "rig_get_ptt", c.getPtt) && bind(library, "rig_list_foreach", c.listForeach);
    if (!bound) return std::nullopt;
    return c;
}

// Loaded once, on the thread that first asks, before any worker runs: Hamlib registers
// its backends in a global table that is not safe to fill from two threads at once.
// Its trace goes to stderr unless told not to; the operator does not want it.
const LoadedHamlib& hamlib() {
    static const LoadedHamlib loaded = [] {
        const HamlibLibrary library = loadHamlibLibrary();
        if (library.handle == nullptr) return LoadedHamlib{std::nullopt, library.problem};
        std::optional<HamlibCalls> calls = bindAll(library);
        if (!calls)
            return LoadedHamlib{std::nullopt,
                                library.name + " is not the Hamlib 4 this program needs"};
        calls->setDebug(RIG_DEBUG_NONE);
        calls->loadAllBackends();
        return LoadedHamlib{calls, {}};
    }();
    return loaded;
}

// Only once hamlib() has loaded the library.
const HamlibCalls& calls() {
    return *hamlib().calls;
}

// Hamlib's rigerror() appends its debug trace; the first line is the message.
// rigerror2() writes one static buffer, so two threads take turns.
std::string hamlibError(int code) {
    static std::mutex buffer;
    std::string text;
    {
        const std::lock_guard lock(buffer);
        text = calls().error(code);
    }
    text = text.substr(0, text.find('\n'));
    return text.empty() ? "Hamlib error " + std::to_string(code) : text;
}

RigError check(int code) {
    if (code == RIG_OK) return std::nullopt;
    return hamlibError(code);
}

std::string mhzText(std::int64_t hz) {
    std::string digits = std::to_string(hz / 1000000) + ".";
    const std::string fraction = std::to_string(1000000 + hz % 1000000);
    return digits + fraction.substr(1) + " MHz";
}

class HamlibConnection final : public RigConnection {
  public:
    explicit HamlibConnection(RigSettings settings) : settings_(std::move(settings)) {}
    ~HamlibConnection() override { close(); }

    RigError open() override {
        close();
        if (!hamlib().calls) return hamlib().problem;
        rig_ = calls().init(static_cast<rig_model_t>(settings_.model));
        if (rig_ == nullptr) return "Hamlib knows no rig model " + std::to_string(settings_.model);
        if (RigError error = configure()) return error;
        if (RigError error = check(calls().open(rig_))) return error;
        opened_ = true;
        return std::nullopt;
    }

    void close() override {
        if (rig_ == nullptr) return;
        if (opened_) calls().close(rig_);
        calls().cleanup(rig_);
        rig_ = nullptr;
        opened_ = false;
    }

    RigError setFrequency(std::int64_t hz) override {
        return check(calls().setFreq(rig_, RIG_VFO_CURR, static_cast<freq_t>(hz)));
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
        if (code == -RIG_ENAVAIL || code == -RIG_ENIMPL) return {false, std::nullopt};
        if (code != RIG_OK) return {false, hamlibError(code)};
        return {ptt != RIG_PTT_OFF, std::nullopt};
    }

  private:
    // The rig's second VFO, as WSJT-X picks it: B on most rigs, Sub on dual-receiver
    // ones; rigctld tells model 2 which VFOs its rig has when it opens.
    vfo_t txVfo() const {
        const vfo_t vfos = rig_->state.vfo_list;
        if ((vfos & RIG_VFO_B) != 0) return RIG_VFO_B;
        if ((vfos & RIG_VFO_SUB) != 0) return RIG_VFO_SUB;
        return RIG_VFO_TX;
    }

    RigError setConf(const char* name, const std::string& value) {
        return check(calls().setConf(rig_, calls().tokenLookup(rig_, name), value.c_str()));
    }

    RigError configure() {
        if (!settings_.port.empty())
            if (RigError error = setConf("rig_pathname", settings_.port)) return error;
        if (settings_.serialSpeed > 0 && rig_->caps->port_type == RIG_PORT_SERIAL)
            return setConf("serial_speed", std::to_string(settings_.serialSpeed));
        return std::nullopt;
    }

    RigSettings settings_;
    RIG* rig_ = nullptr;
    bool opened_ = false;
};

int addModel(const rig_caps* caps, rig_ptr_t list) {
    static_cast<std::vector<RigModel>*>(list)->push_back({static_cast<int>(caps->rig_model),
                                                          caps->mfg_name, caps->model_name,
                                                          caps->port_type == RIG_PORT_SERIAL});
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
    if (RigError error = rig.open()) return {false, "No answer: " + *error + "."};
    const FrequencyReading reading = rig.frequency();
    if (reading.error)
        return {false, "The rig opened but did not tell its frequency: " + *reading.error + "."};
    return {true, "The rig is on " + mhzText(reading.hz) + "."};
}

}  // namespace selvora
