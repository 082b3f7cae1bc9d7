#include "plan/sked_planner.h"

#include <bit>

#include "plan/sked_plan.h"

namespace selvora {

const std::vector<FieldId>& planFields() {
    static const std::vector<FieldId> ids = [] {
        std::vector<FieldId> out = {
            field("Self_doppler"),      field("dx_doppler"),     field("Rx_tone_frequency"),
            field("Tx_tone_frequency"), field("hz10"),           field("hz1"),
            field("dx_self_doppler"),   field("frequency_error")};
        for (const SchemeRow& row : kSchemeRows)
            for (std::string_view name : row.fields)
                out.push_back(*findField(name));
        return out;
    }();
    return ids;
}

void SkedPlanner::plan(Fields& fields, WindowState& state) {
    if (planned_ && unchanged(fields, state)) return;
    planSked(fields, state);
    remember(fields, state);
}

bool SkedPlanner::unchanged(const Fields& fields, const WindowState& state) const {
    if (std::bit_cast<std::uint64_t>(state.skedFrequency) != skedFrequencyBits_ ||
        state.resolutionFormat != resolutionFormat_ || state.displayFormat != displayFormat_)
        return false;
    const std::vector<FieldId>& ids = planFields();
    for (std::size_t i = 0; i < ids.size(); ++i)
        if (fields.revision(ids[i]) != revisions_[i]) return false;
    return true;
}

// Reuses the memory of the last time: a tick allocates nothing here.
void SkedPlanner::remember(const Fields& fields, const WindowState& state) {
    const std::vector<FieldId>& ids = planFields();
    revisions_.resize(ids.size());
    for (std::size_t i = 0; i < ids.size(); ++i)
        revisions_[i] = fields.revision(ids[i]);
    skedFrequencyBits_ = std::bit_cast<std::uint64_t>(state.skedFrequency);
    resolutionFormat_ = state.resolutionFormat;
    displayFormat_ = state.displayFormat;
    planned_ = true;
}

}  // namespace selvora
