// Hamlib's results by number, as Hamlib 4.5 and 4.6 document them: a refusal keeps the
// rig open (a rig that cannot split is tracked on Rx), anything else is a lost rig.
// And which Hamlib releases the program takes, from the library's version text.
#include <gtest/gtest.h>

#include <climits>

#include "hamlib/hamlib_codes.h"
#include "hamlib/hamlib_release.h"

namespace selvora {
namespace {

TEST(HamlibCodes, EachOfHamlibsCodesIsARefusalOrALostRig) {
    constexpr auto kRefused = HamlibOutcome::Refused;
    constexpr auto kLost = HamlibOutcome::Lost;
    const struct {
        int code;
        HamlibOutcome outcome;
        const char* meaning;
    } cases[] = {
        {0, HamlibOutcome::Done, "RIG_OK"},
        {-1, kRefused, "RIG_EINVAL"},
        {-2, kLost, "RIG_ECONF"},
        {-3, kLost, "RIG_ENOMEM"},
        {-4, kRefused, "RIG_ENIMPL"},
        {-5, kLost, "RIG_ETIMEOUT"},
        {-6, kLost, "RIG_EIO"},
        {-7, kLost, "RIG_EINTERNAL"},
        {-8, kLost, "RIG_EPROTO"},
        {-9, kRefused, "RIG_ERJCTED"},
        {-10, kRefused, "RIG_ETRUNC"},
        {-11, kRefused, "RIG_ENAVAIL: rigctld's RPRT -11 to split"},
        {-12, kRefused, "RIG_ENTARGET"},
        {-13, kLost, "RIG_BUSERROR"},
        {-14, kLost, "RIG_BUSBUSY"},
        {-15, kLost, "RIG_EARG"},
        {-16, kRefused, "RIG_EVFO"},
        {-17, kRefused, "RIG_EDOM"},
        {-18, kRefused, "RIG_EDEPRECATED"},
        {-19, kRefused, "RIG_ESECURITY"},
        {-20, kLost, "RIG_EPOWER: a rig switched off is away, not refusing"},
        {-21, kRefused, "RIG_ELIMIT (4.6): rotctld 4.6 refuses a move out of range"},
        {-22, kLost, "RIG_EACCESS (4.6): port in use"},
        {-23, kLost, "unknown to the table"},
        {-1000, kLost, "unknown to the table"},
        {INT_MIN, kLost, "unknown to the table"},
        {11, kLost, "positive: not a Hamlib error"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(hamlibOutcome(c.code), c.outcome) << c.code << " " << c.meaning;
}

TEST(HamlibRelease, TakesHamlib45And46Only) {
    const struct {
        const char* version;
        std::optional<HamlibRelease> release;
        bool tried;
    } cases[] = {
        {"Hamlib 4.5.5", HamlibRelease{4, 5, 5}, true},
        {"Hamlib 4.5", HamlibRelease{4, 5, 0}, true},
        {"Hamlib 4.6.2", HamlibRelease{4, 6, 2}, true},
        {"Hamlib 4.6~git", HamlibRelease{4, 6, 0}, true},
        {"Hamlib 4.4.0", HamlibRelease{4, 4, 0}, false},
        {"Hamlib 4.7.0", HamlibRelease{4, 7, 0}, false},
        {"Hamlib 5.0.0", HamlibRelease{5, 0, 0}, false},
        {"Hamlib 3.3", HamlibRelease{3, 3, 0}, false},
        {"Hamlib 46.2", HamlibRelease{46, 2, 0}, false},
        {"Hamlib 4", std::nullopt, false},
        {"hamlib 4.5.5", std::nullopt, false},
        {"4.5.5", std::nullopt, false},
        {"", std::nullopt, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version);
        const std::optional<HamlibRelease> release = readHamlibRelease(c.version);
        EXPECT_EQ(release, c.release);
        EXPECT_EQ(release && isTriedHamlibRelease(*release), c.tried);
    }
}

}  // namespace
}  // namespace selvora
