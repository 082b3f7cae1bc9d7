#include "plan/sked_plan.h"

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "common/numbers.h"
#include "plan/display_units.h"

namespace selvora {
namespace {

constexpr double kHzPerMHz = 1000000;

// The mutual Doppler in MHz: the dx_doppler text must be a plain number as a whole;
// divided, written as number text and read back, it is kept to 15 significant
// digits (12 Hz comes back from "1.2E-05"). Nothing while dx_doppler is empty
// (before the first read of azel.dat) or holds anything else.
std::optional<double> mutualDopplerMHz(const Fields& fields) {
    const std::optional<double> hz = strictNumber(fields.text(field("dx_doppler")));
    if (!hz) return std::nullopt;
    return leadingNumber(numberText(*hz / kHzPerMHz));
}

// The tone difference in MHz, through number text and back as well. Nothing for
// a difference beyond the double range, which has no number text.
std::optional<double> toneOffsetMHz(const PlanTick& tick) {
    const double offset = tick.toneDifference / kHzPerMHz;
    if (!std::isfinite(offset)) return std::nullopt;
    return leadingNumber(numberText(offset));
}

// The figure a field now shows, parsed back from its text. Nothing when the field
// was emptied because its own figure could not be worked out: a DX figure is never
// made up from an empty field read as 0.
std::optional<double> shownFigure(const Fields& fields, FieldId id) {
    const std::string& text = fields.text(id);
    if (text.empty()) return std::nullopt;
    return leadingNumber(text);
}

struct OwnValues {
    double tx;
    double rx;
};

// What the plan reads from the Doppler and tone fields, worked out once per plan: the
// plan never writes those fields, so every scheme would read the same.
struct DopplerInputs {
    explicit DopplerInputs(const Fields& fields, const PlanTick& tick)
        : self(leadingNumber(fields.text(field("Self_doppler")))),
          mutual(leadingNumber(fields.text(field("dx_doppler")))),
          mutualMHz(mutualDopplerMHz(fields)),
          toneOffset(toneOffsetMHz(tick)) {}

    double self;    // Hz (leading-number parse: an empty or non-numeric text reads as 0)
    double mutual;  // Hz, the same way
    std::optional<double> mutualMHz;
    std::optional<double> toneOffset;
};

// The own values of each scheme, in display units: the quotient first, then the
// sum or difference with the sked frequency S.
OwnValues ownEcho(const DopplerInputs& in, double s, const PlanTick& tick) {
    return {s, s + in.self / tick.frequencyDivisor};
}

OwnValues callDx(const DopplerInputs& in, double s, const PlanTick& tick) {
    return {s - in.self / tick.frequencyDivisor, s};
}

OwnValues fullDoppler(const DopplerInputs& in, double s, const PlanTick& tick) {
    return {s - in.mutual / tick.frequencyDivisor, s + in.mutual / tick.frequencyDivisor};
}

OwnValues dxEcho(const DopplerInputs& in, double s, const PlanTick& tick) {
    return {s + (tick.dxSelfDoppler - in.mutual) / tick.frequencyDivisor,
            s + in.mutual / tick.frequencyDivisor};
}

OwnValues cfom(const DopplerInputs& in, double s, const PlanTick& tick) {
    return {s - (in.self / 2) / tick.frequencyDivisor, s + (in.self / 2) / tick.frequencyDivisor};
}

OwnValues noDoppler(const DopplerInputs&, double s, const PlanTick&) {
    return {s, s};
}

enum class WriteOrder : std::uint8_t { TxFirst, RxFirst };

struct Scheme {
    FieldId tx, rx, dxTx, dxRx, dxTx2;
    WriteOrder order;
    bool dxNeedsPositiveSked;  // Own Echo: only a sked frequency above 0 has DX figures
    OwnValues (*own)(const DopplerInputs&, double s, const PlanTick&);
};

// In the order the plan is worked out (not the order of the window's rows).
constexpr Scheme kSchemes[] = {
    {field("tx_own_echo"), field("rx_own_echo"), field("DXTX_own_echo"), field("DXRX_own_echo"),
     field("DXTX2_own_echo"), WriteOrder::RxFirst, true, ownEcho},
    {field("tx_call_dx"), field("rx_call_dx"), field("DXTX_call_dx"), field("DXRX_call_dx"),
     field("DXTX2_call_dx"), WriteOrder::TxFirst, false, callDx},
    {field("tx_full_doppler"), field("rx_full_doppler"), field("DXTX_full_doppler"),
     field("DXRX_full_doppler"), field("DXTX2_full_doppler"), WriteOrder::TxFirst, false,
     fullDoppler},
    {field("tx_dx_echo"), field("rx_dx_echo"), field("DXTX_dx_echo"), field("DXRX_dx_echo"),
     field("DXTX2_dx_echo"), WriteOrder::RxFirst, false, dxEcho},
    {field("tx_cfom"), field("rx_cfom"), field("DXTX_cfom"), field("DXRX_cfom"),
     field("DXTX2_cfom"), WriteOrder::TxFirst, false, cfom},
    {field("tx_no_doppler"), field("rx_no_doppler"), field("DXTX_no_doppler"),
     field("DXRX_no_doppler"), field("DXTX2_no_doppler"), WriteOrder::TxFirst, false, noDoppler},
};

// An own frequency at this tick's resolution, with " Hz" in Hz mode. A value
// beyond the double range has no text (never "inf" or "nan"): the field is
// emptied, without the unit.
std::string ownText(double value, const WindowState& state, const PlanTick& tick) {
    const std::string figure = patternFormat(value, state.displayFormat);
    return figure.empty() ? figure : figure + tick.unitSuffix;
}

void writeOwnFields(Fields& fields, const Scheme& scheme, const DopplerInputs& in,
                    const WindowState& state, const PlanTick& tick) {
    const OwnValues own = scheme.own(in, state.skedFrequency, tick);
    const auto write = [&](FieldId id, double value) {
        fields.setText(id, ownText(value, state, tick));
    };
    if (scheme.order == WriteOrder::RxFirst) {
        write(scheme.rx, own.rx);
        write(scheme.tx, own.tx);
    } else {
        write(scheme.tx, own.tx);
        write(scheme.rx, own.rx);
    }
}

bool dxFiguresShown(const Scheme& scheme, double skedFrequency) {
    return scheme.dxNeedsPositiveSked ? skedFrequency > 0 : skedFrequency != 0;
}

// The DX station's frequencies, worked out from the texts the operator's fields
// show right now (written, read back, parsed), so each inherits the rounding of
// the figure it comes from. A missing input empties the DX field.
void writeDxFields(Fields& fields, const Scheme& scheme, const DopplerInputs& in,
                   const WindowState& state) {
    if (!dxFiguresShown(scheme, state.skedFrequency)) {
        fields.setText(scheme.dxTx, "");
        fields.setText(scheme.dxRx, "");
        fields.setText(scheme.dxTx2, "");
        return;
    }
    const std::string& format = state.displayFormat;

    // DX Tx: what we hear on our Rx frequency was sent mutual Doppler lower.
    const std::optional<double> ownRx = shownFigure(fields, scheme.rx);
    fields.setText(scheme.dxTx,
                   ownRx && in.mutualMHz ? patternFormat(*ownRx - *in.mutualMHz, format) : "");

    // DX Rx: what we send arrives mutual Doppler higher.
    const std::optional<double> ownTx = shownFigure(fields, scheme.tx);
    fields.setText(scheme.dxRx,
                   ownTx && in.mutualMHz ? patternFormat(*ownTx + *in.mutualMHz, format) : "");

    // Tone-corrected DX Tx, from the DX Tx text just written.
    const std::optional<double> dxTx = shownFigure(fields, scheme.dxTx);
    fields.setText(scheme.dxTx2,
                   dxTx && in.toneOffset ? patternFormat(*dxTx - *in.toneOffset, format) : "");
}

}  // namespace

void planSked(Fields& fields, WindowState& state) {
    const PlanTick tick = prepareDisplayUnits(fields, state);
    const DopplerInputs in(fields, tick);
    for (const Scheme& scheme : kSchemes) {
        writeOwnFields(fields, scheme, in, state, tick);
        writeDxFields(fields, scheme, in, state);
    }
}

}  // namespace selvora
