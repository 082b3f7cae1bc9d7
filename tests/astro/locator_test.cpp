#include "astro/locator.h"

#include <gtest/gtest.h>

namespace selvora {
namespace {

TEST(Locator, ReadsTheCentreOfTheSubsquareOrSaysWhyNot) {
    const struct {
        const char* text;
        double latitudeDeg, longitudeDeg;  // when read
        const char* refusal;               // when refused
    } cases[] = {
        // A 4-character locator is its subsquare "mm", 1.25' north and 2.5' east of the
        // 2° by 1° square's centre, as in WSJT-X; a 6-character one is the centre of
        // its own 5' by 2.5' subsquare.
        {"JO65", 55.5 + 1.25 / 60, 13.0 + 2.5 / 60, ""},
        {"JO65mm", 55.5 + 1.25 / 60, 13.0 + 2.5 / 60, ""},
        {"JO65fr", 55.0 + 17.5 / 24, 12.0 + 5.5 / 12, ""},
        {"jo65FR", 55.0 + 17.5 / 24, 12.0 + 5.5 / 12, ""},
        {"  FN20 ", 40.5 + 1.25 / 60, -75.0 + 2.5 / 60, ""},
        // The corners of the grid: south-west and north-east.
        {"AA00aa", -90.0 + 1.25 / 60, -180.0 + 2.5 / 60, ""},
        {"RR99xx", 90.0 - 1.25 / 60, 180.0 - 2.5 / 60, ""},
        {"QF56od", -33.8541666666667, 151.208333333333, ""},
        {"", 0, 0, "No locator given: give 4 or 6 characters such as JO65 or JO65fr"},
        {"   ", 0, 0, "No locator given: give 4 or 6 characters such as JO65 or JO65fr"},
        {"JO6", 0, 0, "JO6 is not a locator: give 4 or 6 characters such as JO65 or JO65fr"},
        {"JO65f", 0, 0, "JO65f is not a locator: give 4 or 6 characters such as JO65 or JO65fr"},
        {"JO65fr12", 0, 0,
         "JO65fr12 is not a locator: give 4 or 6 characters such as JO65 or JO65fr"},
        {"SO65", 0, 0, "SO65 is not a locator: the first two characters are letters from A to R"},
        {"J065", 0, 0, "J065 is not a locator: the first two characters are letters from A to R"},
        {"JOA5", 0, 0, "JOA5 is not a locator: the third and fourth characters are digits"},
        {"JO6x", 0, 0, "JO6x is not a locator: the third and fourth characters are digits"},
        {"JO65fy", 0, 0,
         "JO65fy is not a locator: the fifth and sixth characters are letters from A to X"},
        {"JO6512", 0, 0,
         "JO6512 is not a locator: the fifth and sixth characters are letters from A to X"},
    };
    for (const auto& c : cases) {
        const LocatorReading reading = readLocator(c.text);
        EXPECT_EQ(reading.refusal, c.refusal) << '"' << c.text << '"';
        ASSERT_EQ(reading.position.has_value(), *c.refusal == '\0') << '"' << c.text << '"';
        if (!reading.position) continue;
        EXPECT_NEAR(reading.position->latitudeDeg, c.latitudeDeg, 1e-9) << c.text;
        EXPECT_NEAR(reading.position->longitudeDeg, c.longitudeDeg, 1e-9) << c.text;
    }
}

}  // namespace
}  // namespace selvora
