// The Qt-free model's whole tick (poll and plan, UTC clock, moon age) reading an
// azel.dat that holds any bytes, after a tick on a good WSJT-X record.
//
// Properties: the tick never crashes and never does anything undefined; it ends the
// program exactly when the decoder finds the MAP65 form; a file that does not decode
// changes nothing the window shows; no figure ever shows "inf" or "nan"; no top or
// height is ever NaN.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "app/app_core.h"
#include "app/saved_path.h"
#include "fuzz/fuzz_support.h"
#include "support/fakes.h"
#include "tracking/azel_decoder.h"

namespace {

using namespace selvora;

constexpr std::string_view kGoodRecord =
    "09:19:31,123.4, 45.6,Moon\n09:19:31,200.1, 12.0,Sun\n09:19:31,  0.0,  0.0,Source\n"
    " 1296,   124.3,   -1.25,   258.7,   -2.50,Doppler, R\n   -62.8,     4.7,    -2.0,Pol\n";

using testing::FakeClock;
using testing::FakeMessages;
using testing::FakeZone;

std::string azelPath;

// Everything a field shows.
std::vector<std::string> shown(const Fields& fields) {
    std::vector<std::string> out;
    for (std::uint16_t i = 0; i < kControls.size(); ++i) {
        const FieldId id{i};
        out.push_back(fields.text(id) + '|' + fields.toolTip(id) + '|' +
                      std::to_string(fields.visible(id)) + std::to_string(fields.selected(id)) +
                      '|' + std::to_string(fields.backColour(id)) + '|' +
                      std::to_string(fields.foreColour(id)) + '|' + std::to_string(fields.top(id)) +
                      '|' + std::to_string(fields.height(id)));
    }
    return out;
}

bool holdsNonFinite(std::string_view text) {
    for (const std::string_view word : {"inf", "INF", "nan", "NAN", "Inf", "NaN"})
        if (text.find(word) != std::string_view::npos) return true;
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    azelPath = (fuzzing::enterScratchDirectory("selvora-fuzz-tick") / "azel.dat").string();
    fuzzing::writeFile(kSettingsFile, azelPath + "\r\n");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const FakeClock clock({2026, 12, 7, 9, 19, 32});
    FakeZone zone;
    zone.bias = -60;
    FakeMessages messages;
    AppCore model(clock, zone, messages);
    model.start();
    fuzzing::writeFile(azelPath, kGoodRecord);
    model.tick();
    FUZZ_REQUIRE(model.tracking().failedReads == 0 && messages.shown.empty() && !model.ended());

    const std::vector<std::string> before = shown(model.fields());
    fuzzing::writeFile(azelPath, bytes);
    model.tick();

    const AzelDecoding decoding =
        decodeAzel(bytes.substr(0, kAzelDecodeLimit), bytes.size() <= kAzelDecodeLimit);
    const auto* record = std::get_if<AzelRecord>(&decoding);
    FUZZ_REQUIRE(model.ended() == (record != nullptr && record->map65Form));
    // The only message a tick gives is the MAP65 one, which ends the program.
    FUZZ_REQUIRE(messages.shown.size() == (model.ended() ? 1u : 0u));
    FUZZ_REQUIRE(messages.shown.empty() || messages.shown[0].ends);
    if (record == nullptr) FUZZ_REQUIRE(shown(model.fields()) == before);

    const Fields& fields = model.fields();
    for (std::uint16_t i = 0; i < kControls.size(); ++i) {
        const FieldId id{i};
        // The path and the two rates are texts as given, not figures.
        const bool verbatim =
            id == field("azel_path") || id == field("mutual_hz_min") || id == field("self_hz_min");
        FUZZ_REQUIRE(verbatim || !holdsNonFinite(fields.text(id)));
        // Not always finite: the bar is not clamped, and an elevation of 1E300 degrees
        // gives a bar taller than a float can say.
        FUZZ_REQUIRE(!std::isnan(fields.top(id)) && !std::isnan(fields.height(id)));
    }
    return 0;
}
