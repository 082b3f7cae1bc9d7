#include "plan/sked_planner.h"

#include <bit>
#include <cstddef>

#include "plan/sked_plan.h"

namespace selvora {

const std::vector<FieldId>& planFields() {
    static const std::vector<FieldId> ids = [] {
        std::vector<FieldId> out = {
            field("self_doppler"),      field("mutual_doppler"), field("rx_tone_frequency"),
            field("tx_tone_frequency"), field("hz10"),           field("hz1"),
            field("dx_self_doppler"),   field("tone_check")};
        for (std::size_t row = 0; row < std::size(kSchemeRows); ++row)
            for (std::size_t column = 0; column < std::size(kPlanColumns); ++column)
                out.push_back(planField(row, PlanColumnId(column)));
        return out;
    }();
    return ids;
}

void SkedPlanner::plan(Fields& fields, double skedFrequencyMHz, PlanState& state) {
    if (planned_ && unchanged(fields, skedFrequencyMHz, state)) return;
    planSked(fields, skedFrequencyMHz, state);
    remember(fields, skedFrequencyMHz, state);
}

bool SkedPlanner::unchanged(const Fields& fields, double skedFrequencyMHz,
                            const PlanState& state) const {
    if (std::bit_cast<std::uint64_t>(skedFrequencyMHz) != skedFrequencyBits_ ||
        state.resolutionDecimals != resolutionDecimals_)
        return false;
    const std::vector<FieldId>& ids = planFields();
    for (std::size_t i = 0; i < ids.size(); ++i)
        if (fields.revision(ids[i]) != revisions_[i]) return false;
    return true;
}

// Reuses the memory of the last time: a tick allocates nothing here.
void SkedPlanner::remember(const Fields& fields, double skedFrequencyMHz, const PlanState& state) {
    const std::vector<FieldId>& ids = planFields();
    revisions_.resize(ids.size());
    for (std::size_t i = 0; i < ids.size(); ++i)
        revisions_[i] = fields.revision(ids[i]);
    skedFrequencyBits_ = std::bit_cast<std::uint64_t>(skedFrequencyMHz);
    resolutionDecimals_ = state.resolutionDecimals;
    planned_ = true;
}

}  // namespace selvora
