#include "hamlib/hamlib_codes.h"

#include <array>

namespace selvora {

namespace {

constexpr HamlibOutcome kRefused = HamlibOutcome::Refused;
constexpr HamlibOutcome kLost = HamlibOutcome::Lost;

// By number, as rig.h documents them in Hamlib 4.5 and 4.6 (21 and 22 are new in 4.6).
constexpr std::array kOutcomes = {
    HamlibOutcome::Done,  // 0 RIG_OK
    kRefused,             // 1 RIG_EINVAL: invalid parameter
    kLost,                // 2 RIG_ECONF: invalid configuration (serial, ...)
    kLost,                // 3 RIG_ENOMEM: memory shortage
    kRefused,             // 4 RIG_ENIMPL: function not implemented
    kLost,                // 5 RIG_ETIMEOUT: communication timed out
    kLost,                // 6 RIG_EIO: IO error, including open failed
    kLost,                // 7 RIG_EINTERNAL: internal Hamlib error
    kLost,                // 8 RIG_EPROTO: protocol error
    kRefused,             // 9 RIG_ERJCTED: command rejected by the rig
    kRefused,             // 10 RIG_ETRUNC: command performed, but argument truncated
    kRefused,             // 11 RIG_ENAVAIL: function not available (a rig that cannot split)
    kRefused,             // 12 RIG_ENTARGET: VFO not targetable
    kLost,                // 13 RIG_BUSERROR: error talking on the bus
    kLost,                // 14 RIG_BUSBUSY: collision on the bus
    kLost,                // 15 RIG_EARG: NULL RIG handle or invalid pointer
    kRefused,             // 16 RIG_EVFO: invalid VFO
    kRefused,             // 17 RIG_EDOM: argument out of domain of the function
    kRefused,             // 18 RIG_EDEPRECATED: function deprecated
    kRefused,             // 19 RIG_ESECURITY: security error
    kLost,                // 20 RIG_EPOWER: rig not powered on; it is away, not refusing
    kRefused,             // 21 RIG_ELIMIT (4.6): limit exceeded, such as a rotator's range
    kLost,                // 22 RIG_EACCESS (4.6): access denied, such as a port in use
};

}  // namespace

HamlibOutcome hamlibOutcome(int code) {
    if (code > 0 || code <= -static_cast<int>(kOutcomes.size())) return kLost;
    return kOutcomes[static_cast<std::size_t>(-code)];
}

}  // namespace selvora
