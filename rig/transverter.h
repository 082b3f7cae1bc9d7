// Transverters: a rig that tunes an IF (144 MHz) for a microwave band (10368 MHz) gets
// the shown figure less the transverter's local oscillator, per band.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace selvora {

struct TransverterOffset {
    int bandMHz = 0;        // the whole MHz azel.dat gives as the band: 10368
    std::int64_t loHz = 0;  // the local oscillator, below the band: 10224000000
    friend bool operator==(const TransverterOffset&, const TransverterOffset&) = default;
};

using TransverterOffsets = std::vector<TransverterOffset>;

struct TransverterReading {
    std::optional<TransverterOffset> offset;
    std::string problem;  // why not, naming the text as the operator wrote it
};

// "BAND:LO_MHZ" as on the command line and in the settings ("1296:1152",
// "2304:2160.5"): the LO is read digit by digit to whole Hz, and must be below the band.
TransverterReading readTransverter(std::string_view text);
// The same text back ("10368:10224", "2304:2160.5"), for saving.
std::string transverterText(const TransverterOffset& offset);

// A later offset for a band replaces an earlier one.
void addTransverter(TransverterOffsets& offsets, const TransverterOffset& offset);
// 0 where no transverter is set for the band.
std::int64_t transverterLoHz(const TransverterOffsets& offsets, int bandMHz);

}  // namespace selvora
