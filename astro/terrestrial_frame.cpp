#include "astro/terrestrial_frame.h"

#include <erfa.h>
#include <erfam.h>

namespace selvora {
namespace {

using namespace std::chrono;

// 2000 January 1, 12:00 UTC (the epoch J2000.0) on the Unix clock.
constexpr double kJ2000UnixSeconds = 946728000.0;

// TT - UTC: the leap seconds then in force plus 32.184 s. Beyond ERFA's table of leap
// seconds the last count stays, which is as good a guess as any.
double ttMinusUtcSeconds(UtcInstant at) {
    const auto day = floor<days>(at);
    const year_month_day date{day};
    const double dayFraction = duration<double>(at - day).count() / ERFA_DAYSEC;
    double leapSeconds = 0.0;
    eraDat(static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
           static_cast<int>(static_cast<unsigned>(date.day())), dayFraction, &leapSeconds);
    return leapSeconds + 32.184;
}

}  // namespace

double utcSecondsSinceJ2000(UtcInstant at, double offsetSeconds) {
    return static_cast<double>(at.time_since_epoch().count()) - kJ2000UnixSeconds + offsetSeconds;
}

SkyDates skyDates(UtcInstant at, double offsetSeconds) {
    const double utcSeconds = utcSecondsSinceJ2000(at, offsetSeconds);
    const UtcInstant leapSecondsAt = at + duration_cast<seconds>(duration<double>(offsetSeconds));
    return {utcSeconds / ERFA_DAYSEC,
            (utcSeconds + ttMinusUtcSeconds(leapSecondsAt)) / ERFA_DAYSEC};
}

TerrestrialFrame terrestrialFrame(UtcInstant at, double offsetSeconds) {
    TerrestrialFrame frame{skyDates(at, offsetSeconds), {}};
    eraC2t06a(ERFA_DJ00, frame.dates.ttDays, ERFA_DJ00, frame.dates.ut1Days, 0.0, 0.0,
              frame.fromCelestial);
    return frame;
}

}  // namespace selvora
