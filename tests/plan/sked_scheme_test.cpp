// The planner's schemes and the window's sked table name the same rows: each scheme's
// caption is its row label's, and its figures' fields are that row's.
#include <gtest/gtest.h>

#include "display/scheme_fields.h"
#include "plan/sked_scheme.h"

namespace selvora {
namespace {

static_assert(kSchemeRowCount == kSkedSchemes.size());

TEST(SkedScheme, EachSchemeIsTheRowOfTheWindowThatShowsItsCaption) {
    for (const SkedSchemeInfo& info : kSkedSchemes) {
        const std::size_t row = schemeRow(info.scheme);
        const SchemeFields& fields = kSchemeFields[row];
        EXPECT_EQ(kControls[fields.caption.index].text, info.caption) << info.name;
        EXPECT_EQ(kSchemeRows[row].caption, info.caption) << info.name;
        EXPECT_EQ(fields.rx, planField(row, PlanColumnId::Rx)) << info.name;
        EXPECT_EQ(fields.tx, planField(row, PlanColumnId::Tx)) << info.name;
        EXPECT_EQ(schemeNamed(info.name), info.scheme);
    }
    EXPECT_FALSE(schemeNamed("CFOM"));
}

}  // namespace
}  // namespace selvora
