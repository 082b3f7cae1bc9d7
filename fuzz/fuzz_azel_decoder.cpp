// The azel.dat decoder on any bytes, handed over as the reader hands them: at most
// the decode limit, and whether the file ended within it.
//
// Properties: it never crashes; a failure names what is wrong in plain printable text
// (it becomes a tool tip) and quotes nothing of the file; a record holds whole,
// finite figures and rate texts that are single fields; and CR LF line ends decode
// exactly as LF line ends do.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "fuzz/fuzz_support.h"
#include "tracking/azel_decoder.h"

namespace {

using selvora::AzelDecoding;
using selvora::AzelError;
using selvora::AzelRecord;
using selvora::kAzelDecodeLimit;

AzelDecoding decodeAsRead(std::string_view file) {
    return selvora::decodeAzel(file.substr(0, kAzelDecodeLimit), file.size() <= kAzelDecodeLimit);
}

bool isWhole(double value) {
    return std::isfinite(value) && std::floor(value) == value;
}

bool isOneField(const std::string& text) {
    return text.find_first_of(",\r\n") == std::string::npos;
}

bool same(const AzelDecoding& a, const AzelDecoding& b) {
    if (a.index() != b.index()) return false;
    if (const auto* error = std::get_if<AzelError>(&a))
        return error->reason == std::get<AzelError>(b).reason;
    const auto& x = std::get<AzelRecord>(a);
    const auto& y = std::get<AzelRecord>(b);
    return x.fileSeconds == y.fileSeconds && x.moonAzimuth == y.moonAzimuth &&
           x.moonElevation == y.moonElevation && x.map65Form == y.map65Form &&
           x.fileFrequency == y.fileFrequency && x.mutualDoppler == y.mutualDoppler &&
           x.mutualRate == y.mutualRate && x.selfDoppler == y.selfDoppler &&
           x.selfRate == y.selfRate;
}

void checkDecoding(const AzelDecoding& decoding) {
    if (const auto* error = std::get_if<AzelError>(&decoding)) {
        FUZZ_REQUIRE(!error->reason.empty());
        for (const char c : error->reason)
            FUZZ_REQUIRE(c >= ' ' && c <= '~');
        return;
    }
    const auto& record = std::get<AzelRecord>(decoding);
    FUZZ_REQUIRE(isWhole(record.moonAzimuth));
    FUZZ_REQUIRE(isWhole(record.moonElevation));
    if (record.map65Form) return;
    FUZZ_REQUIRE(std::isfinite(record.fileFrequency));
    FUZZ_REQUIRE(isWhole(record.mutualDoppler));
    FUZZ_REQUIRE(isWhole(record.selfDoppler));
    FUZZ_REQUIRE(isOneField(record.mutualRate));
    FUZZ_REQUIRE(isOneField(record.selfRate));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    const AzelDecoding decoding = decodeAsRead(file);
    checkDecoding(decoding);

    // The same file written on Windows: every LF becomes CR LF.
    if (file.find('\r') == std::string_view::npos && file.find('\n') != std::string_view::npos) {
        std::string windows;
        for (const char c : file) {
            if (c == '\n') windows += '\r';
            windows += c;
        }
        if (windows.size() <= kAzelDecodeLimit) FUZZ_REQUIRE(same(decodeAsRead(windows), decoding));
    }
    return 0;
}
