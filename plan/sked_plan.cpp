#include "plan/sked_plan.h"

#include <cmath>
#include <cstddef>
#include <optional>
#include <string>

#include "common/numbers.h"
#include "plan/display_units.h"
#include "plan/sked_scheme.h"

namespace selvora {
namespace {

constexpr double kHzPerMHz = 1000000;

// The mutual Doppler in MHz: its text must be a plain number as a whole;
// divided, written as number text and read back, it is kept to 15 significant
// digits (12 Hz comes back from "1.2E-05"). Nothing while the field is empty
// (before the first read of azel.dat) or holds anything else.
std::optional<double> mutualDopplerMHz(const Fields& fields) {
    const std::optional<double> hz = strictNumber(fields.text(field("mutual_doppler")));
    if (!hz) return std::nullopt;
    return leadingNumber(numberText(*hz / kHzPerMHz));
}

// The tone difference in MHz, through number text and back as well. Nothing for
// a difference beyond the double range, which has no number text.
std::optional<double> toneOffsetMHz(const PlanTick& tick) {
    const double offset = tick.toneDifferenceHz / kHzPerMHz;
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
    DopplerInputs(const Fields& fields, const PlanTick& tick)
        : selfHz(leadingNumber(fields.text(field("self_doppler")))),
          mutualHz(leadingNumber(fields.text(field("mutual_doppler")))),
          mutualMHz(mutualDopplerMHz(fields)),
          toneOffsetMHz(selvora::toneOffsetMHz(tick)) {}

    double selfHz;    // leading-number parse: an empty or non-numeric text reads as 0
    double mutualHz;  // the same way
    std::optional<double> mutualMHz;
    std::optional<double> toneOffsetMHz;
};

// The own values of a scheme, in display units: the quotient first, then the sum
// or difference with the sked frequency S.
OwnValues ownValues(SkedScheme scheme, const DopplerInputs& in, double s, const PlanTick& tick) {
    const double divisor = tick.frequencyDivisor;
    switch (scheme) {
        case SkedScheme::FullDoppler:
            return {s - in.mutualHz / divisor, s + in.mutualHz / divisor};
        case SkedScheme::OwnEcho:
            return {s, s + in.selfHz / divisor};
        case SkedScheme::Cfom:
            return {s - (in.selfHz / 2) / divisor, s + (in.selfHz / 2) / divisor};
        case SkedScheme::DxEcho:
            return {s + (tick.dxSelfDopplerHz - in.mutualHz) / divisor, s + in.mutualHz / divisor};
        case SkedScheme::CallDx:
            return {s - in.selfHz / divisor, s};
        case SkedScheme::NoDoppler:
            return {s, s};
    }
    return {s, s};
}

// A scheme's row of the sked table.
struct PlanRow {
    SkedScheme scheme;
    FieldId rx, tx, dxRx, dxTx, dxToneTx;
};

PlanRow planRow(std::size_t row) {
    return {SkedScheme(row),
            planField(row, PlanColumnId::Rx),
            planField(row, PlanColumnId::Tx),
            planField(row, PlanColumnId::DxRx),
            planField(row, PlanColumnId::DxTx),
            planField(row, PlanColumnId::DxToneTx)};
}

// An own frequency at this tick's resolution, with " Hz" in Hz mode. A value
// beyond the double range has no text (never "inf" or "nan"): the field is
// emptied, without the unit.
std::string ownText(double value, const PlanTick& tick) {
    std::string figure = fixedText(value, tick.decimals);
    if (!figure.empty()) figure += tick.unitSuffix;
    return figure;
}

void writeOwnFields(Fields& fields, const PlanRow& row, const DopplerInputs& in,
                    double skedFrequencyMHz, const PlanTick& tick) {
    const OwnValues own = ownValues(row.scheme, in, skedFrequencyMHz, tick);
    fields.setText(row.tx, ownText(own.tx, tick));
    fields.setText(row.rx, ownText(own.rx, tick));
}

// Own Echo has DX figures only for a sked frequency above 0, the others for any but 0.
bool dxFiguresShown(SkedScheme scheme, double skedFrequencyMHz) {
    return scheme == SkedScheme::OwnEcho ? skedFrequencyMHz > 0 : skedFrequencyMHz != 0;
}

// The DX station's frequencies, worked out from the texts the operator's fields
// show right now (written, read back, parsed), so each inherits the rounding of
// the figure it comes from. A missing input empties the DX field.
void writeDxFields(Fields& fields, const PlanRow& row, const DopplerInputs& in,
                   double skedFrequencyMHz, const PlanTick& tick) {
    if (!dxFiguresShown(row.scheme, skedFrequencyMHz)) {
        fields.setText(row.dxTx, "");
        fields.setText(row.dxRx, "");
        fields.setText(row.dxToneTx, "");
        return;
    }
    const int decimals = tick.decimals;
    const std::optional<double>& mutual = in.mutualMHz;

    // DX Tx: what we hear on our Rx frequency was sent mutual Doppler lower.
    const std::optional<double> ownRx = shownFigure(fields, row.rx);
    fields.setText(row.dxTx, ownRx && mutual ? fixedText(*ownRx - *mutual, decimals) : "");

    // DX Rx: what we send arrives mutual Doppler higher.
    const std::optional<double> ownTx = shownFigure(fields, row.tx);
    fields.setText(row.dxRx, ownTx && mutual ? fixedText(*ownTx + *mutual, decimals) : "");

    // Tone-corrected DX Tx, from the DX Tx text just written.
    const std::optional<double> dxTx = shownFigure(fields, row.dxTx);
    const std::optional<double>& toneOffset = in.toneOffsetMHz;
    fields.setText(row.dxToneTx,
                   dxTx && toneOffset ? fixedText(*dxTx - *toneOffset, decimals) : "");
}

}  // namespace

void planSked(Fields& fields, double skedFrequencyMHz, PlanState& state) {
    const PlanTick tick = prepareDisplayUnits(fields, skedFrequencyMHz, state);
    const DopplerInputs in(fields, tick);
    for (std::size_t row = 0; row < std::size(kSchemeRows); ++row) {
        const PlanRow planned = planRow(row);
        writeOwnFields(fields, planned, in, skedFrequencyMHz, tick);
        writeDxFields(fields, planned, in, skedFrequencyMHz, tick);
    }
}

}  // namespace selvora
