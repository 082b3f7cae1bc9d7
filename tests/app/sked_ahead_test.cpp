#include "plan/sked_ahead.h"

#include <chrono>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/app_core.h"
#include "astro/utc_instant_text.h"
#include "plan/ahead_arguments.h"
#include "support/fakes.h"
#include "support/temp_dir.h"

namespace selvora {
namespace {

using namespace std::chrono;
using namespace std::chrono_literals;

constexpr sys_days kDay = 2026y / 12 / 9;

TEST(SkedAhead, ReadsAUtcTimeOrSaysWhyNot) {
    const struct {
        const char* text;
        std::optional<sys_seconds> instant;
        const char* refusalEnd = "";
    } cases[] = {
        {"2026-12-09 21:30:05", kDay + 21h + 30min + 5s},
        {" 2026-12-09 21:30 ", kDay + 21h + 30min},
        {"2028-02-29 00:00:00", sys_days(2028y / 2 / 29)},
        {"2026-12-09 23:59:59", kDay + 23h + 59min + 59s},
        {"2026-02-29 12:00:00", std::nullopt, "is no day of the calendar"},
        {"2026-13-01 12:00:00", std::nullopt, "is no day of the calendar"},
        {"2026-12-09 24:00:00", std::nullopt, "is no time of day (00:00:00 to 23:59:59)"},
        {"2026-12-09 21:60:00", std::nullopt, "is no time of day (00:00:00 to 23:59:59)"},
        {"2026-12-09 21:30:60", std::nullopt, "is no time of day (00:00:00 to 23:59:59)"},
        {"2026-12-09T21:30:00", std::nullopt, "is not a UTC time such as 2026-12-09 21:30:00"},
        {"2026-12-9 21:30:00", std::nullopt, "is not a UTC time such as 2026-12-09 21:30:00"},
        {"+026-12-09 21:30:00", std::nullopt, "is not a UTC time such as 2026-12-09 21:30:00"},
        {"2026-12-09 21:3x:00", std::nullopt, "is not a UTC time such as 2026-12-09 21:30:00"},
        {"tomorrow", std::nullopt, "is not a UTC time such as 2026-12-09 21:30:00"},
        {"", std::nullopt, "is not a UTC time such as 2026-12-09 21:30:00"},
    };
    for (const auto& c : cases) {
        const UtcReading reading = readUtcInstant(c.text);
        EXPECT_EQ(reading.instant, c.instant) << c.text;
        EXPECT_TRUE(reading.refusal.ends_with(c.refusalEnd)) << c.text << ": " << reading.refusal;
        if (reading.instant) {
            EXPECT_EQ(readUtcInstant(utcInstantText(*reading.instant)).instant, reading.instant);
        }
    }
}

// Each value is checked in turn; the first that does not read is named, as the option.
TEST(SkedAhead, RefusesTheCommandLineValueThatDoesNotRead) {
    const AheadArguments good{"2026-12-09 21:30:00", "JO22", "FN31pr", "1296.1", "3", "10"};
    const auto with = [&](auto change) {
        AheadArguments arguments = good;
        change(arguments);
        return arguments;
    };
    const AheadDefaults defaults{kDay, ""};
    const struct {
        AheadArguments arguments;
        const char* refusalStart;
    } cases[] = {
        {with([](auto& a) { a.myGrid.reset(); }), "--my-grid: no locator given"},
        {with([](auto& a) { a.myGrid = "JO2"; }),
         "--my-grid: JO2 is not a locator: give 4 or 6 characters such as JO65 or JO65fr"},
        {with([](auto& a) { a.dxGrid.reset(); }), "--dx-grid: no locator given"},
        {with([](auto& a) { a.dxGrid = "ZZ99zz"; }),
         "--dx-grid: ZZ99zz is not a locator: the first two characters are letters from A to R"},
        {with([](auto& a) { a.at = "2026-12-32 00:00:00"; }),
         "--at: '2026-12-32 00:00:00' is no day of the calendar"},
        {with([](auto& a) { a.skedMHz.reset(); }), "--sked: the sked frequency in MHz is needed"},
        {with([](auto& a) { a.skedMHz = "0"; }), "--sked: '0' is not a frequency in MHz"},
        {with([](auto& a) { a.skedMHz = "-144"; }), "--sked: '-144' is not a frequency in MHz"},
        {with([](auto& a) { a.skedMHz = "1296,1"; }), "--sked: '1296,1' is not a frequency"},
        {with([](auto& a) { a.days = "0"; }), "--days: '0' is not 1 to 31 days"},
        {with([](auto& a) { a.days = "32"; }), "--days: '32' is not 1 to 31 days"},
        {with([](auto& a) { a.days = "1.5"; }), "--days: '1.5' is not 1 to 31 days"},
        {with([](auto& a) { a.minElevationDeg = "91"; }), "--min-elevation: '91' is not an"},
        {with([](auto& a) { a.minElevationDeg = "low"; }), "--min-elevation: 'low' is not an"},
    };
    for (const auto& c : cases) {
        const auto read = readAheadArguments(c.arguments, defaults);
        ASSERT_TRUE(std::holds_alternative<std::string>(read)) << c.refusalStart;
        const std::string& refusal = std::get<std::string>(read);
        EXPECT_TRUE(refusal.starts_with(c.refusalStart)) << refusal;
        EXPECT_EQ(refusal.find('\n'), std::string::npos) << refusal;  // one line
    }

    const auto read = readAheadArguments(good, defaults);
    ASSERT_TRUE(std::holds_alternative<AheadRequest>(read));
    const auto& request = std::get<AheadRequest>(read);
    EXPECT_EQ(request.at, kDay + 21h + 30min);
    EXPECT_EQ(request.skedFrequencyMHz, 1296.1);
    EXPECT_EQ(request.days, 3);
    EXPECT_EQ(request.minElevationDeg, 10);
    // Without --at it is now; without --my-grid the saved or WSJT-X's locator.
    const auto fallback = readAheadArguments(
        with([](auto& a) { a.at.reset(), a.myGrid.reset(), a.days.reset(); }), {kDay + 1h, "JO22"});
    ASSERT_TRUE(std::holds_alternative<AheadRequest>(fallback));
    EXPECT_EQ(std::get<AheadRequest>(fallback).at, kDay + 1h);
    EXPECT_EQ(std::get<AheadRequest>(fallback).here.latitudeDeg,
              std::get<AheadRequest>(read).here.latitudeDeg);
    EXPECT_EQ(std::get<AheadRequest>(fallback).days, 7);
}

// The lines of `text` from the first that starts with `first`, `count` of them.
std::vector<std::string> linesFrom(const std::string& text, const std::string& first,
                                   std::size_t count) {
    std::istringstream in(text);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        if (!lines.empty() || line.starts_with(first))
            if (lines.size() < count) lines.push_back(line);
    return lines;
}

// The sked-ahead figures are the main window's: an azel.dat carrying the Dopplers sked
// ahead worked out, at the same sked frequency and 1 Hz, gives the same six rows.
TEST(SkedAhead, ShowsTheSixSchemesAsTheMainWindowDoes) {
    for (const auto& [here, dx, sked] :
         {std::tuple{"JO22nb", "FN31pr", "1296.1"}, std::tuple{"KP20", "PF95", "10368.05"},
          std::tuple{"IO91wm", "JO22", "432.065"}}) {
        const AheadArguments arguments{"2026-12-09 21:30:00", here, dx, sked, "1", std::nullopt};
        const AheadRequest request = std::get<AheadRequest>(readAheadArguments(arguments, {}));
        const SkedAhead ahead = planSkedAhead(request);
        const std::string aheadText = skedAheadText(request, ahead);

        testing::TempWorkingDir dir;
        testing::FakeClock clock{{2026, 12, 9, 21, 30, 0}};
        testing::FakeZone zone;
        testing::FakeMessages messages;
        AppCore core(clock, zone, messages);
        core.start();
        const std::string band = std::to_string(int(request.skedFrequencyMHz));
        const std::string path =
            dir.write("azel.dat",
                      "21:30:00,123.4,45.6,Moon\n21:30:00,200.1,12.0,Sun\n"
                      "21:30:00,0.0,0.0,Source\n" +
                          band + "," + std::to_string(ahead.mutualDopplerHz) + ",-1.25," +
                          std::to_string(ahead.selfDopplerHz) + ",-2.50,Doppler, R\n");
        core.useAzelPathForThisRun(path);
        core.chooseSkedForThisRun(sked);
        core.fields().select(field("hz1"));
        core.tick();
        const std::string windowText = core.planText();

        EXPECT_EQ(linesFrom(windowText, "Scheme", 7), linesFrom(aheadText, "Scheme", 7))
            << windowText << "\n"
            << aheadText;
        EXPECT_EQ(linesFrom(windowText, "Sked frequency", 2),
                  linesFrom(aheadText, "Sked frequency", 2));
    }
}

TEST(SkedAhead, NamesEachCommonWindowOnOneLine) {
    const auto start = kDay + 21h + 30min + 59s, end = kDay + 24h + 4h + 12min + 1s;
    EXPECT_EQ(windowLine({start, end, false, false}),
              "2026-12-09 21:31 UTC to 2026-12-10 04:12 UTC  6 h 41 min\n");
    EXPECT_EQ(windowLine({start, end, true, true}),
              "2026-12-09 21:31 UTC to 2026-12-10 04:12 UTC  6 h 41 min, open at the start, "
              "still open at the end\n");
}

}  // namespace
}  // namespace selvora
