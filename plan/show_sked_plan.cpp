#include "plan/show_sked_plan.h"

#include <cmath>
#include <string>

#include "common/numbers.h"

namespace selvora {
namespace {

using namespace colours;

// Text first, then the colours. A Tx tone above the Rx tone reads LOW, one below
// it HIGH; the figure shown is never negative. A difference beyond the double
// range has no figure: the check is emptied but stays red.
void showToneCheck(Fields& fields, double toneDifference) {
    const FieldId check = field("tone_check");
    if (toneDifference == 0) {
        fields.setText(check, " On Frequency");
        fields.setBackColour(check, kWhite);
        fields.setForeColour(check, kBlack);
        return;
    }
    const std::string figure = numberText(std::fabs(toneDifference));
    const char* direction = toneDifference > 0 ? " Hz LOW" : " Hz HIGH";
    fields.setText(check, figure.empty() ? std::string{} : figure + direction);
    fields.setForeColour(check, kWhite);
    fields.setBackColour(check, kRed);
}

void showScheme(Fields& fields, const SkedPlan& plan, std::size_t row) {
    const SchemeFigures& figures = plan.schemes[row];
    fields.setText(planField(row, PlanColumnId::Tx), figureText(plan, figures.txHz));
    fields.setText(planField(row, PlanColumnId::Rx), figureText(plan, figures.rxHz));
    fields.setText(planField(row, PlanColumnId::DxTx), figureText(plan, figures.partnerTxHz));
    fields.setText(planField(row, PlanColumnId::DxRx), figureText(plan, figures.partnerRxHz));
    fields.setText(planField(row, PlanColumnId::DxToneTx),
                   figureText(plan, figures.partnerToneTxHz));
}

}  // namespace

void showSkedPlan(Fields& fields, const SkedPlan& plan) {
    // Absurd Doppler texts (1E308 doubled) leave the double range: the field is emptied.
    fields.setText(field("dx_self_doppler"),
                   plan.dxSelfDopplerHz ? numberText(*plan.dxSelfDopplerHz) : std::string{});
    showToneCheck(fields, plan.toneDifferenceHz);
    for (std::size_t row = 0; row < plan.schemes.size(); ++row)
        showScheme(fields, plan, row);
}

}  // namespace selvora
