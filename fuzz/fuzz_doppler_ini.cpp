// Start-up over a doppler.ini holding any bytes, then Save Path and start-up again.
//
// Properties: start-up never crashes; it either loads the file's first line into
// the path box (a prefix of the file that ends at a line end or at the file's end, with no
// CR or LF in it) and says nothing, or says once why the file could not be read and
// keeps the path the window starts with; an empty file is never loaded. Save Path
// then writes the loaded path so that the next start-up loads exactly it again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "app/app_core.h"
#include "app/default_azel_path.h"
#include "app/saved_path.h"
#include "fuzz/fuzz_support.h"
#include "support/fakes.h"

namespace {

using namespace selvora;

using testing::FakeClock;
using testing::FakeMessages;
using testing::FakeZone;

constexpr LocalDateTime kMorning{2026, 12, 7, 9, 19, 32};

struct Started {
    std::string text2;
    std::size_t messages;
};

Started startUp() {
    const FakeClock clock(kMorning);
    const FakeZone zone;
    FakeMessages messages;
    AppCore model(clock, zone, messages);
    model.start();
    FUZZ_REQUIRE(model.tracking().azelPath.empty() ||
                 model.tracking().azelPath == model.fields().text(field("azel_path")));
    return {model.fields().text(field("azel_path")), messages.shown.size()};
}

// Without a usable doppler.ini the box starts where WSJT-X writes azel.dat here.
const std::string& initialPath() {
    static const std::string path = defaultAzelPath(azelEnvironment(), kThisPlatform);
    return path;
}

}  // namespace

// Each run works in a directory of its own.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzing::enterScratchDirectory("selvora-fuzz-ini");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    fuzzing::writeFile(kSettingsFile, bytes);
    const Started started = startUp();

    const std::string& path = started.text2;
    if (started.messages != 0) {
        FUZZ_REQUIRE(started.messages == 1);
        FUZZ_REQUIRE(path == initialPath());
        return 0;
    }
    FUZZ_REQUIRE(!bytes.empty());
    FUZZ_REQUIRE(bytes.starts_with(path));
    FUZZ_REQUIRE(path.find_first_of("\r\n") == std::string::npos);
    FUZZ_REQUIRE(path.size() == bytes.size() || bytes[path.size()] == '\r' ||
                 bytes[path.size()] == '\n');

    // Save Path with what was loaded, and start again.
    {
        const FakeClock clock(kMorning);
        const FakeZone zone;
        FakeMessages messages;
        AppCore model(clock, zone, messages);
        model.fields().setText(field("azel_path"), path);
        model.savePathClicked();
        FUZZ_REQUIRE(messages.shown.empty());
    }
    const Started again = startUp();
    FUZZ_REQUIRE(again.messages == 0);
    FUZZ_REQUIRE(again.text2 == path);
    return 0;
}
