// The geocentric moon from a JPL ephemeris, the one WSJT-X installs beside itself (DE405,
// 2000 to 2040) when it is there: the moon WSJT-X itself computes azel.dat from, so
// Selvora's Doppler agrees with WSJT-X's to the hertz even at 24 GHz.
#pragma once

#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace selvora {

// The moon from the Earth's centre, on the ICRS axes (the GCRS).
struct GeocentricMoon {
    double metres[3];
    double metresPerSecond[3];
};

// One JPL binary ephemeris file, open for reading; safe to share between threads.
class JplEphemeris {
  public:
    // Nothing when the file is missing, is no JPL ephemeris, is cut short, or this build
    // has no reader for them.
    static std::unique_ptr<JplEphemeris> open(const std::filesystem::path& path);
    ~JplEphemeris();
    JplEphemeris(const JplEphemeris&) = delete;
    JplEphemeris& operator=(const JplEphemeris&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // The moon at an instant (TT, days since J2000.0); nothing outside the file's span,
    // and nothing ever again once the file could not be read.
    std::optional<GeocentricMoon> moonAt(double ttDaysSinceJ2000);

  private:
    JplEphemeris(std::filesystem::path path, void* reader);

    std::filesystem::path path_;
    std::mutex reading_;  // the reader keeps the last record it read inside itself
    void* reader_;
    bool unreadable_ = false;
};

// Where an ephemeris is looked for, in order: the path in SELVORA_JPLEPH when it is set
// (environmentPath, null when unset), then where WSJT-X installs its JPLEPH.
std::vector<std::filesystem::path> jplEphemerisCandidates(const char* environmentPath);

// The ephemeris the moon comes from: the first candidate that opens as a JPL ephemeris;
// empty when there is none or this build has no reader for them.
std::filesystem::path jplEphemerisInUse();

// The moon at an instant (TT, days since J2000.0) from the ephemeris in use; nothing when
// there is none or the instant lies outside its span.
std::optional<GeocentricMoon> jplGeocentricMoon(double ttDaysSinceJ2000);

}  // namespace selvora
