// The tracking file poll, the first half of every tick: reads azel.dat and shows
// the moon's position, the Doppler values and whether the file is still updating.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "common/az_el.h"
#include "common/local_clock.h"
#include "display/fields.h"

namespace selvora {

// What the poll keeps from one tick to the next.
struct TrackingState {
    std::string azelPath;                       // the path box's text, copied every tick
    std::array<std::int16_t, 6> readSeconds{};  // the file's seconds at the last six reads
    std::size_t nextSlot = 0;                   // the slot of readSeconds the next read fills
    bool skedSeeded = false;                    // a read has set the sked frequency
    double skedFrequencyMHz = 0.0;              // 0 means no sked frequency: Hz mode
    double fileFrequencyMHz = 0.0;              // the band on the Doppler line of the last read
    double previousFileFrequencyMHz = 0.0;      // fileFrequencyMHz after the read before
    double skedBandMHz = 0.0;   // the last band read that was not the rig's own echo
    int failedReads = 0;        // ticks in a row on which azel.dat was found but unreadable
    double barElevation = 0.0;  // the elevation the bar shows, as its box reads

    // Whether the figures are live, for the rig. Since the path was last set:
    bool found = false;                            // the path test passed on the last poll
    std::optional<std::int16_t> lastStampSeconds;  // of the last good read; none yet
    bool stampMoved = false;  // a good read's time stamp differed from the read before
    bool stale = false;       // "AZEL IS NOT UPDATING" shows
    // The last good read's directions as written, for the antenna; the sun's only when
    // line 2 gives it.
    std::optional<AzEl> moon;
    std::optional<AzEl> sun;

    // The operator chose the sked frequency (Enter in its box, or --sked): a sked the
    // program set by itself, at start or after a band change, is not followed by the rig.
    bool skedChosen = false;
};

// How far the figures can be trusted to follow the moon, worst first.
enum class AzelFreshness { NotFound, NotReadYet, NotUpdating, NotSeenMoving, Live };
AzelFreshness azelFreshness(const TrackingState& state);

enum class PollOutcome { Continue, Map65Form };

// Ticks in a row on which azel.dat was found but could not be read or decoded before
// "AZEL IS NOT UPDATING" shows (about 3 s; WSJT-X rewrites the file every second).
inline constexpr int kStaleAfterFailedReads = 6;

// One poll of azel.dat. Returns Map65Form when line 4 has the MAP65 form; the caller
// then shows kMap65Title / kMap65Message in a modal box (OK only) and ends the
// program without running anything else of the tick. The file is closed by then.
// `rigEchoBandsMHz`: the whole MHz of the figures Selvora has put on the rig; WSJT-X,
// sharing the rig, writes its dial back as the band, which is then no band change.
PollOutcome pollTrackingFile(Fields& fields, TrackingState& state, const LocalClock& clock,
                             std::span<const std::int64_t> rigEchoBandsMHz = {});

inline constexpr std::string_view kMap65Title = "AZEL file error";
// CR LF line ends, as the message box shows them.
inline constexpr std::string_view kMap65Message =
    "Sorry, MAP65 is not supported \r\n"
    "\r\n"
    "The MAP65 azel file does not contain\r\n"
    "the self Doppler information which is\r\n"
    "requred for these Doppler calculations";

}  // namespace selvora
