#include "tracking/tracking_poll.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <variant>

#include "common/files.h"
#include "common/home_folder.h"
#include "common/numbers.h"
#include "tracking/azel_file.h"

namespace selvora {
namespace {

using namespace colours;

constexpr FieldId kSeconds = field("seconds");
constexpr FieldId kStaleWarning = field("stale_warning");
constexpr FieldId kFreshnessPatch = field("freshness_patch");

std::string wholeNumberText(int value) {
    return numberText(static_cast<double>(value));
}

// The local clock as "h:m", neither with a leading zero (09:05 shows as 9:5).
void showLocalTime(Fields& fields, const LocalClock& clock) {
    const LocalDateTime now = clock.now();
    fields.setText(field("local_time"),
                   std::to_string(now.hour) + ":" + std::to_string(now.minute));
}

// Every UTF-8 byte but a continuation byte (10xxxxxx) starts a character.
std::size_t characterCount(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// The tail is ASCII, so the last 8 characters are "azel.dat" exactly when the
// last 8 bytes are. The path is not trimmed: a trailing blank fails.
bool passesPathTest(const std::string& azelPath) {
    constexpr std::string_view kTail = "azel.dat";
    return characterCount(azelPath) > 10 && azelPath.ends_with(kTail) && isOrdinaryFile(azelPath);
}

// A file that was found but did not read or decode leaves every value as it stands. One
// such read happens while WSJT-X rewrites the file; a run of them means it has stopped.
// Hiding the seconds box uncovers "AZEL IS NOT UPDATING".
void showStale(Fields& fields, TrackingState& state, bool stale) {
    fields.setVisible(kSeconds, !stale);
    state.stale = stale;
}

void noteFailedRead(Fields& fields, TrackingState& state, const std::string& reason) {
    if (state.failedReads < std::numeric_limits<int>::max()) ++state.failedReads;
    if (state.failedReads < kStaleAfterFailedReads) return;
    showStale(fields, state, true);
    fields.setToolTip(kStaleWarning, reason);
}

void noteGoodRead(Fields& fields, TrackingState& state, std::int16_t stampSeconds) {
    state.failedReads = 0;
    fields.setToolTip(kStaleWarning, "");
    if (state.lastStampSeconds && *state.lastStampSeconds != stampSeconds) state.stampMoved = true;
    state.lastStampSeconds = stampSeconds;
}

// A new path, or a file that went missing: liveness must be seen afresh, so an old
// copy put back in its place does not count as WSJT-X writing.
void forgetLiveness(TrackingState& state) {
    state.lastStampSeconds.reset();
    state.stampMoved = false;
    state.moon.reset();
    state.sun.reset();
}

// The WSJT period by the local minute.
void showPeriod(Fields& fields, const LocalClock& clock) {
    fields.setText(field("wsjt_period"), clock.now().minute % 2 == 0 ? "1st/even" : "2nd/odd");
}

// The file's seconds at the last six reads, written in turn.
void advanceFreshnessRing(TrackingState& state, std::int16_t fileSeconds) {
    state.readSeconds[state.nextSlot] = fileSeconds;
    state.nextSlot = (state.nextSlot + 1) % state.readSeconds.size();
}

// Six reads with the same seconds mean WSJT-X has stopped writing: "AZEL IS NOT
// UPDATING" shows. Otherwise the patch flashes with the file's seconds.
void showFreshness(Fields& fields, TrackingState& state, std::int16_t fileSeconds,
                   const LocalClock& clock) {
    const auto& slots = state.readSeconds;
    if (std::all_of(slots.begin(), slots.end(), [&](std::int16_t s) { return s == slots[0]; })) {
        fields.setBackColour(kFreshnessPatch, kRed);
        showStale(fields, state, true);
        return;
    }
    showStale(fields, state, false);
    const Rgb patch = clock.now().second == 0 ? kRed
                      : fileSeconds % 2 == 0  ? kOrange
                                              : kLightYellow;
    fields.setBackColour(kFreshnessPatch, patch);
}

// The bar is redrawn only when the elevation differs from the one it shows, or
// whenever the moon is below the horizon. Before the first read it shows 0.
void showElevationBar(Fields& fields, TrackingState& state, double moonElevation) {
    constexpr FieldId box = field("moon_elevation");
    constexpr FieldId scale = field("elevation_scale");
    constexpr FieldId bar = field("elevation_bar");
    const bool unchanged = moonElevation >= 0 && moonElevation == state.barElevation;
    // The figure as the box shows it: 15 significant digits.
    state.barElevation = leadingNumber(numberText(moonElevation));
    if (unchanged) return;
    fields.setText(box, numberText(moonElevation));
    if (moonElevation < 0) {
        fields.setTop(bar, fields.height(scale));  // the scale's height as a position
        fields.setHeight(bar, 0.0f);
        return;
    }
    // Not clamped: above 90 degrees the bar grows taller than its scale.
    const double scaleTop = fields.top(scale);
    const double scaleHeight = fields.height(scale);
    fields.setTop(bar, static_cast<float>(scaleTop + scaleHeight * (1.0 - moonElevation / 90.0)));
    fields.setHeight(bar, static_cast<float>(scaleHeight * moonElevation / 90.0));
}

// The seconds box and the seconds of the last read.
void showSeconds(Fields& fields, const LocalClock& clock) {
    const std::string seconds = wholeNumberText(clock.now().second);
    fields.setText(field("azel_seconds"), seconds);
    fields.setText(kSeconds, seconds);
}

// The values of line 1, with the clock read afresh at each use.
void showTrackingLine(Fields& fields, TrackingState& state, const AzelRecord& record,
                      const LocalClock& clock) {
    showPeriod(fields, clock);
    advanceFreshnessRing(state, record.fileSeconds);
    showFreshness(fields, state, record.fileSeconds, clock);
    fields.setText(field("moon_azimuth"), numberText(record.moonAzimuth));
    showElevationBar(fields, state, record.moonElevation);
    showSeconds(fields, clock);
}

// The values of line 4: the band and the Doppler values with their rates.
void showDopplerLine(Fields& fields, TrackingState& state, const AzelRecord& record) {
    state.fileFrequencyMHz = record.fileFrequency;
    fields.setText(field("wsjt_band"), numberText(state.fileFrequencyMHz));
    fields.setText(field("mutual_doppler"), numberText(record.mutualDoppler));
    fields.setText(field("mutual_hz_min"), record.mutualRate);
    fields.setText(field("self_doppler"), numberText(record.selfDoppler));
    fields.setText(field("self_hz_min"), record.selfRate);
}

// The whole MHz of a frequency, as WSJT-X writes the band.
bool isWholeMHzOf(double bandMHz, double frequencyMHz) {
    return bandMHz == std::floor(frequencyMHz);
}

// WSJT-X reading back a figure Selvora put on the rig they share.
bool isRigEcho(const TrackingState& state, std::span<const std::int64_t> rigEchoBandsMHz) {
    return std::any_of(rigEchoBandsMHz.begin(), rigEchoBandsMHz.end(), [&](std::int64_t band) {
        return state.fileFrequencyMHz == static_cast<double>(band);
    });
}

// The first read, and every change of the WSJT band setting, replaces the sked
// frequency, including one the user entered; the band then picks it, not the operator.
// Two exceptions: the band that is the rig's own echo, and a sked chosen before the
// first read (--sked) on the band that read gives.
void reseedSkedFrequency(Fields& fields, TrackingState& state,
                         std::span<const std::int64_t> rigEchoBandsMHz) {
    const bool bandChanged =
        !state.skedSeeded || state.fileFrequencyMHz != state.previousFileFrequencyMHz;
    if (!bandChanged || (state.skedSeeded && isRigEcho(state, rigEchoBandsMHz))) return;
    state.skedBandMHz = state.fileFrequencyMHz;
    const bool keepChosen = !state.skedSeeded && state.skedChosen &&
                            isWholeMHzOf(state.fileFrequencyMHz, state.skedFrequencyMHz);
    state.skedSeeded = true;
    if (keepChosen) return;
    fields.setText(field("sked_frequency"), numberText(state.fileFrequencyMHz));
    state.skedFrequencyMHz = state.fileFrequencyMHz;
    state.skedChosen = false;
}

}  // namespace

AzelFreshness azelFreshness(const TrackingState& state) {
    if (!state.found) return AzelFreshness::NotFound;
    if (!state.lastStampSeconds) return AzelFreshness::NotReadYet;
    if (state.stale) return AzelFreshness::NotUpdating;
    if (!state.stampMoved) return AzelFreshness::NotSeenMoving;
    return AzelFreshness::Live;
}

PollOutcome pollTrackingFile(Fields& fields, TrackingState& state, const LocalClock& clock,
                             std::span<const std::int64_t> rigEchoBandsMHz) {
    showLocalTime(fields, clock);
    if (state.azelPath != fields.text(field("azel_path"))) forgetLiveness(state);
    state.azelPath = fields.text(field("azel_path"));
    // "~/" is the home folder here, where the path is used; the box keeps it as typed.
    const std::string azelPath = expandHome(state.azelPath, homeFolder());
    state.found = passesPathTest(azelPath);
    fields.setVisible(field("path_warning"), !state.found);
    if (!state.found) {
        forgetLiveness(state);
        return PollOutcome::Continue;
    }

    // The whole file is read and closed before any field changes, so a file that
    // fails anywhere changes nothing.
    const AzelDecoding decoding = readAzelFile(azelPath);
    if (const auto* error = std::get_if<AzelError>(&decoding)) {
        noteFailedRead(fields, state, error->reason);
        return PollOutcome::Continue;
    }
    const auto& record = std::get<AzelRecord>(decoding);
    noteGoodRead(fields, state, record.fileSeconds);
    state.moon = record.moon;
    state.sun = record.sun;

    showTrackingLine(fields, state, record, clock);
    if (record.map65Form) return PollOutcome::Map65Form;
    showDopplerLine(fields, state, record);
    reseedSkedFrequency(fields, state, rigEchoBandsMHz);
    state.previousFileFrequencyMHz = state.fileFrequencyMHz;
    return PollOutcome::Continue;
}

}  // namespace selvora
