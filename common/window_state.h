// The values that live as long as the window and that several procedures share.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace selvora {

struct WindowState {
    std::string azelPath;  // path of azel.dat: set by loadpath, then copied from Text2 every tick
    std::int16_t readSlot = 0;                  // slot of readSeconds written last (1 to 6)
    std::array<std::int16_t, 6> readSeconds{};  // slots 1 to 6: seconds of the last six reads
    int skedChangeCount = 0;                    // 0 until the first sked re-seed, then 1
    double skedFrequency = 0.0;                 // MHz; 0 means no sked frequency
    std::string displayFormat;                  // number pattern of this tick's plan values
    std::string resolutionFormat;               // "0.00000" (10 Hz) or "0.000000" (1 Hz)
    double fileFrequency = 0.0;                 // MHz, Doppler line of the last read
    double previousFileFrequency = 0.0;         // fileFrequency after the read before
    int failedReads = 0;  // ticks in a row on which azel.dat was found but unreadable
};

}  // namespace selvora
