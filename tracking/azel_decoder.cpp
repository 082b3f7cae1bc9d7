#include "tracking/azel_decoder.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "common/numbers.h"
#include "common/text_lines.h"

namespace selvora {
namespace {

constexpr std::size_t kTrackingLine = 1;
constexpr std::size_t kDopplerLine = 4;

using FieldList = std::vector<std::string_view>;

std::string_view trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') + 1 - first);
}

std::string counted(std::size_t n, std::string_view what) {
    return std::to_string(n) + " " + std::string(what) + (n == 1 ? "" : "s");
}

std::string lineText(std::size_t line) {
    return "line " + std::to_string(line);
}

// Lines 1 to 4, or why they are not all there. Reasons never quote the file's text:
// they end up in a tool tip, which would render any markup in it.
std::variant<std::array<std::string_view, 4>, AzelError> firstFourLines(std::string_view bytes,
                                                                        bool wholeFile) {
    if (bytes.empty() && wholeFile) return AzelError{"the file is empty"};
    const AzelError tooLong{"lines 1 to 4 do not fit in the first " +
                            std::to_string(kAzelDecodeLimit) + " bytes of the file"};
    std::array<std::string_view, 4> lines;
    LineReader reader(bytes);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto line = reader.readLine();
        if (!line)
            return wholeFile
                       ? AzelError{"the file has " + counted(i, "line") + ", expected 4 or more"}
                       : tooLong;
        // A line that runs to the end of a cut-off read may go on beyond it.
        const bool unended = line->data() + line->size() == bytes.data() + bytes.size();
        if (unended && !wholeFile) return tooLong;
        lines[i] = *line;
    }
    return lines;
}

// NULs show a file being extended under the reader; other bytes above 127 belong to no
// encoding the writers use. Either way the line is not one WSJT-X wrote.
std::optional<AzelError> notPlainText(std::size_t lineNumber, std::string_view line) {
    constexpr std::string_view kHex = "0123456789ABCDEF";
    for (std::size_t i = 0; i < line.size(); ++i) {
        const auto byte = static_cast<unsigned char>(line[i]);
        if (byte != 0 && byte < 0x80) continue;
        return AzelError{lineText(lineNumber) + " holds byte 0x" + kHex[byte >> 4] +
                         kHex[byte & 0xF] + " at column " + std::to_string(i + 1) +
                         ", which is not plain ASCII text"};
    }
    return std::nullopt;
}

// The window reads line 1 leniently (no number shows as 0); an antenna is pointed only
// where both figures are numbers that can be a direction.
std::optional<AzEl> direction(std::string_view azimuthField, std::string_view elevationField) {
    const std::optional<double> azimuth = strictNumber(azimuthField);
    const std::optional<double> elevation = strictNumber(elevationField);
    if (!azimuth || !elevation || !(*azimuth >= -360 && *azimuth <= 720) ||
        !(*elevation >= -90 && *elevation <= 90))
        return std::nullopt;
    return AzEl{*azimuth, *elevation};
}

// "hh:mm:ss,AAA.A,EEE.E,Sun", or nothing: the sun is optional.
std::optional<AzEl> decodeSunLine(std::string_view line) {
    if (notPlainText(2, line)) return std::nullopt;
    const FieldList fields = splitAt(line, ',');
    if (fields.size() < 4 || trimBlanks(fields[3]) != "Sun") return std::nullopt;
    return direction(fields[1], fields[2]);
}

std::optional<AzelError> decodeTrackingLine(std::string_view line, AzelRecord& record) {
    const FieldList fields = splitAt(line, ',');
    if (fields.size() < 3)
        return AzelError{lineText(kTrackingLine) + " has " + counted(fields.size(), "field") +
                         ", expected 3 or more"};
    const FieldList timeParts = splitAt(fields[0], ':');
    if (timeParts.size() < 3)
        return AzelError{"the time stamp on line 1 has " + counted(timeParts.size(), "part") +
                         ", expected 3 (hh:mm:ss)"};
    const std::optional<double> seconds = strictNumber(timeParts[2]);
    if (!seconds) return AzelError{"the seconds of the time stamp on line 1 are not a number"};
    const double rounded = bankersRound(*seconds);
    if (rounded < std::numeric_limits<std::int16_t>::min() ||
        rounded > std::numeric_limits<std::int16_t>::max())
        return AzelError{"the seconds of the time stamp on line 1 lie outside -32768 to 32767"};
    record.fileSeconds = static_cast<std::int16_t>(rounded);
    record.moonAzimuth = bankersRound(leadingNumber(fields[1]));
    record.moonElevation = bankersRound(leadingNumber(fields[2]));
    record.moon = direction(fields[1], fields[2]);
    return std::nullopt;
}

// Fortran prints a value too wide for its field as asterisks ("********" for a Doppler
// beyond -99999.9 Hz at 47 GHz and up); read as a number that would be a plausible 0.
bool isOverflowField(std::string_view field) {
    const std::string_view value = trimBlanks(field);
    return !value.empty() && value.find_first_not_of('*') == std::string_view::npos;
}

// MAP65 3.0 writes "MHz, mutual, self,Doppler" (" 144,   -51,   138,Doppler"): the self
// Doppler is there after all, only the rates are missing.
bool isMap65Version3Line(const FieldList& fields) {
    if (fields.size() != 4) return false;
    const bool numbers = std::all_of(fields.begin(), fields.begin() + 3, [](std::string_view f) {
        return strictNumber(f).has_value();
    });
    return numbers && trimBlanks(fields[3]) == "Doppler";
}

std::optional<AzelError> decodeDopplerLine(std::string_view line, AzelRecord& record) {
    const FieldList fields = splitAt(line, ',');
    if (fields.empty()) return AzelError{lineText(kDopplerLine) + " is empty"};
    // Recognised by the field count alone, before any field is converted.
    if (fields.size() == 3) {
        record.map65Form = true;
        return std::nullopt;
    }
    const bool version3 = isMap65Version3Line(fields);
    if (fields.size() < 5 && !version3)
        return AzelError{lineText(kDopplerLine) + " has " + counted(fields.size(), "field") +
                         ", expected 5 or more"};
    const std::size_t self = version3 ? 2 : 3;
    const std::pair<std::size_t, std::string_view> numeric[] = {
        {0, "frequency"}, {1, "mutual Doppler"}, {self, "self Doppler"}};
    for (const auto& [index, name] : numeric) {
        if (isOverflowField(fields[index]))
            return AzelError{lineText(kDopplerLine) + ": " + std::string(name) +
                             " value too large for the file's field"};
    }
    record.fileFrequency = leadingNumber(fields[0]);
    record.mutualDoppler = std::floor(leadingNumber(fields[1]));
    record.selfDoppler = std::floor(leadingNumber(fields[self]));
    if (!version3) {
        record.mutualRate = fields[2];
        record.selfRate = fields[4];
    }
    return std::nullopt;
}

}  // namespace

AzelDecoding decodeAzel(std::string_view bytes, bool wholeFile) {
    const auto lines = firstFourLines(bytes, wholeFile);
    if (const auto* error = std::get_if<AzelError>(&lines)) return *error;
    const std::string_view trackingLine = std::get<0>(lines)[0];
    const std::string_view dopplerLine = std::get<0>(lines)[3];

    AzelRecord record;
    for (const auto& [number, line] :
         {std::pair{kTrackingLine, trackingLine}, std::pair{kDopplerLine, dopplerLine}}) {
        if (auto error = notPlainText(number, line)) return *error;
    }
    if (auto error = decodeTrackingLine(trackingLine, record)) return *error;
    if (auto error = decodeDopplerLine(dopplerLine, record)) return *error;
    record.sun = decodeSunLine(std::get<0>(lines)[1]);
    return record;
}

}  // namespace selvora
