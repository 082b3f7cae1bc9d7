// The sked plan, worked out again only when it could come out differently.
#pragma once

#include <cstdint>
#include <vector>

#include "plan/display_units.h"
#include "window/fields.h"

namespace selvora {

// planSked is a function of the fields it reads (the Doppler and tone texts, the
// resolution) and of the sked frequency and the resolution kept; every field it writes
// it overwrites whole. So when none of the fields it reads or writes has changed since
// it last ran (same revisions: not even a keystroke) and those values are the same,
// running it again would change nothing, and it is skipped.
class SkedPlanner {
  public:
    void plan(Fields& fields, double skedFrequencyMHz, PlanState& state);

  private:
    bool unchanged(const Fields& fields, double skedFrequencyMHz, const PlanState& state) const;
    void remember(const Fields& fields, double skedFrequencyMHz, const PlanState& state);

    bool planned_ = false;
    std::vector<std::uint64_t> revisions_;  // of planFields(), in order
    std::uint64_t skedFrequencyBits_ = 0;   // bit for bit: -0 and NaN count as they are
    int resolutionDecimals_ = 0;            // the resolution kept, after the last plan
};

// Every field planSked reads or writes.
const std::vector<FieldId>& planFields();

}  // namespace selvora
