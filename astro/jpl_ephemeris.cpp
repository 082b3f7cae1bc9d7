#include "astro/jpl_ephemeris.h"

#include <cmath>
#include <cstdlib>
#include <system_error>
#include <utility>

#ifdef SELVORA_JPL_READER
#include <pluto/jpleph.h>
#endif

namespace selvora {

std::vector<std::filesystem::path> jplEphemerisCandidates(const char* environmentPath) {
    std::vector<std::filesystem::path> candidates;
    if (environmentPath != nullptr && *environmentPath != '\0')
        candidates.emplace_back(environmentPath);
    // Debian's and Ubuntu's wsjtx package, then WSJT-X built and installed from source.
    candidates.emplace_back("/usr/share/wsjtx/JPLEPH");
    candidates.emplace_back("/usr/local/share/wsjtx/JPLEPH");
    return candidates;
}

JplEphemeris::JplEphemeris(std::filesystem::path path, void* reader)
    : path_(std::move(path)), reader_(reader) {}

#ifdef SELVORA_JPL_READER

namespace {

constexpr double kJ2000JulianDate = 2451545.0;
constexpr double kSecondsPerDay = 86400.0;
constexpr int kMoon = 10, kEarth = 3;  // the reader's numbers for the bodies

// The reader checks only the file's header; in a file cut short, a record past its end
// fails to read once and is then taken as read, all zeros (the moon at the Earth's
// centre). A whole file has two header records, then one a step.
bool holdsItsWholeSpan(const std::filesystem::path& path, void* reader) {
    std::error_code error;
    const auto bytes = std::filesystem::file_size(path, error);
    if (error) return false;
    const double steps = std::ceil(
        (jpl_get_double(reader, JPL_EPHEM_END_JD) - jpl_get_double(reader, JPL_EPHEM_START_JD)) /
        jpl_get_double(reader, JPL_EPHEM_STEP));
    const double recordBytes =
        static_cast<double>(jpl_get_long(reader, JPL_EPHEM_KERNEL_RECORD_SIZE));
    return steps > 0 && recordBytes > 0 && static_cast<double>(bytes) >= (2 + steps) * recordBytes;
}

}  // namespace

std::unique_ptr<JplEphemeris> JplEphemeris::open(const std::filesystem::path& path) {
    void* reader = jpl_init_ephemeris(path.string().c_str(), nullptr, nullptr);
    if (reader == nullptr) return nullptr;
    if (!holdsItsWholeSpan(path, reader)) {
        jpl_close_ephemeris(reader);
        return nullptr;
    }
    return std::unique_ptr<JplEphemeris>(new JplEphemeris(path, reader));
}

JplEphemeris::~JplEphemeris() {
    jpl_close_ephemeris(reader_);
}

std::optional<GeocentricMoon> JplEphemeris::moonAt(double ttDaysSinceJ2000) {
    // TT stands in for TDB, which differs by under 2 ms: the moon moves 2 m in that time.
    double positionAndVelocity[6];  // AU, AU a day
    {
        const std::lock_guard lock(reading_);
        if (unreadable_) return std::nullopt;
        const int outcome = jpl_pleph(reader_, kJ2000JulianDate + ttDaysSinceJ2000, kMoon, kEarth,
                                      positionAndVelocity, 1);
        if (outcome == JPL_EPH_OUTSIDE_RANGE) return std::nullopt;
        // After a failed read the reader takes the record it failed on as read.
        unreadable_ = outcome != 0;
        if (unreadable_) return std::nullopt;
    }
    const double metresPerAu = jpl_get_double(reader_, JPL_EPHEM_AU_IN_KM) * 1000.0;
    GeocentricMoon moon{};
    for (int k = 0; k < 3; ++k) {
        moon.metres[k] = positionAndVelocity[k] * metresPerAu;
        moon.metresPerSecond[k] = positionAndVelocity[k + 3] * metresPerAu / kSecondsPerDay;
    }
    return moon;
}

#else

std::unique_ptr<JplEphemeris> JplEphemeris::open(const std::filesystem::path&) {
    return nullptr;
}

JplEphemeris::~JplEphemeris() = default;

std::optional<GeocentricMoon> JplEphemeris::moonAt(double) {
    return std::nullopt;
}

#endif

namespace {

// The ephemeris found at the first use, for the rest of the run.
std::unique_ptr<JplEphemeris> findEphemeris() {
    for (const auto& candidate : jplEphemerisCandidates(std::getenv("SELVORA_JPLEPH")))
        if (auto ephemeris = JplEphemeris::open(candidate)) return ephemeris;
    return nullptr;
}

JplEphemeris* ephemerisInUse() {
    static const std::unique_ptr<JplEphemeris> found = findEphemeris();
    return found.get();
}

}  // namespace

std::filesystem::path jplEphemerisInUse() {
    JplEphemeris* ephemeris = ephemerisInUse();
    return ephemeris != nullptr ? ephemeris->path() : std::filesystem::path{};
}

std::optional<GeocentricMoon> jplGeocentricMoon(double ttDaysSinceJ2000) {
    JplEphemeris* ephemeris = ephemerisInUse();
    if (ephemeris == nullptr) return std::nullopt;
    return ephemeris->moonAt(ttDaysSinceJ2000);
}

}  // namespace selvora
