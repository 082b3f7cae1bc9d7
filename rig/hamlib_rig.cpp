#include "rig/hamlib_rig.h"

#include <hamlib/rig.h>

#include <algorithm>
#include <mutex>
#include <tuple>

namespace selvora {

namespace {

// Once, on the thread that first asks, before any worker runs: Hamlib registers its
// backends in a global table that is not safe to fill from two threads at once.
// Its trace goes to stderr unless told not to; the operator does not want it.
void prepareHamlib() {
    static std::once_flag once;
    std::call_once(once, [] {
        rig_set_debug(RIG_DEBUG_NONE);
        rig_load_all_backends();
    });
}

// Hamlib's rigerror() appends its debug trace; the first line is the message.
// rigerror2() writes one static buffer, so two threads take turns.
std::string hamlibError(int code) {
    static std::mutex buffer;
    std::string text;
    {
        const std::lock_guard lock(buffer);
        text = rigerror2(code);
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
        prepareHamlib();
        rig_ = rig_init(static_cast<rig_model_t>(settings_.model));
        if (rig_ == nullptr) return "Hamlib knows no rig model " + std::to_string(settings_.model);
        if (RigError error = configure()) return error;
        if (RigError error = check(rig_open(rig_))) return error;
        opened_ = true;
        return std::nullopt;
    }

    void close() override {
        if (rig_ == nullptr) return;
        if (opened_) rig_close(rig_);
        rig_cleanup(rig_);
        rig_ = nullptr;
        opened_ = false;
    }

    RigError setFrequency(std::int64_t hz) override {
        return check(rig_set_freq(rig_, RIG_VFO_CURR, static_cast<freq_t>(hz)));
    }

    FrequencyReading frequency() override {
        freq_t hz = 0;
        if (RigError error = check(rig_get_freq(rig_, RIG_VFO_CURR, &hz))) return {0, error};
        return {static_cast<std::int64_t>(hz + 0.5), std::nullopt};
    }

    RigError setSplit(bool on) override {
        return check(rig_set_split_vfo(rig_, RIG_VFO_CURR, on ? RIG_SPLIT_ON : RIG_SPLIT_OFF,
                                       on ? txVfo() : RIG_VFO_CURR));
    }

    RigError setSplitFrequency(std::int64_t hz) override {
        return check(rig_set_split_freq(rig_, RIG_VFO_CURR, static_cast<freq_t>(hz)));
    }

    // A rig that cannot report its PTT is taken as receiving: there is no other way to know.
    PttReading ptt() override {
        ptt_t ptt = RIG_PTT_OFF;
        const int code = rig_get_ptt(rig_, RIG_VFO_CURR, &ptt);
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
        return check(rig_set_conf(rig_, rig_token_lookup(rig_, name), value.c_str()));
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
    prepareHamlib();
    return std::make_unique<HamlibConnection>(settings);
}

std::vector<RigModel> hamlibModels() {
    static std::mutex hamlibList;  // rig_list_foreach walks Hamlib's global table
    const std::lock_guard lock(hamlibList);
    prepareHamlib();
    std::vector<RigModel> models;
    rig_list_foreach(addModel, &models);
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
