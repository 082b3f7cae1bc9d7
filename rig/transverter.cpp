#include "rig/transverter.h"

#include <algorithm>
#include <charconv>

#include "common/megahertz.h"

namespace selvora {

namespace {

constexpr std::string_view kShape = "BAND:LO_MHZ, such as 1296:1152";

TransverterReading problem(std::string_view text, std::string why) {
    return {std::nullopt, "\"" + std::string(text) + "\" " + why};
}

// Plain digits only: from_chars alone would take "+5" or stop at "5x".
std::optional<int> wholeMHz(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || text.front() == '-' || error != std::errc{} ||
        end != text.data() + text.size() || value <= 0)
        return std::nullopt;
    return value;
}

}  // namespace

TransverterReading readTransverter(std::string_view text) {
    const auto colon = text.find(':');
    if (colon == std::string_view::npos) return problem(text, "is not " + std::string(kShape));
    const std::string_view bandText = text.substr(0, colon);
    const std::string_view loText = text.substr(colon + 1);
    const std::optional<int> band = wholeMHz(bandText);
    if (!band)
        return problem(text,
                       "does not start with a band in whole MHz (" + std::string(kShape) + ")");
    const std::optional<std::int64_t> loHz = wholeHzOfMHzText(loText);
    if (!loHz)
        return problem(text, "does not end with the LO in MHz, at most 6 decimals (" +
                                 std::string(kShape) + ")");
    if (*loHz >= *band * kHzPerMHz) return problem(text, "has the LO at or above the band");
    return {TransverterOffset{*band, *loHz}, {}};
}

std::string transverterText(const TransverterOffset& offset) {
    std::string text =
        std::to_string(offset.bandMHz) + ":" + std::to_string(offset.loHz / kHzPerMHz);
    std::string decimals = std::to_string(kHzPerMHz + offset.loHz % kHzPerMHz).substr(1);
    while (!decimals.empty() && decimals.back() == '0')
        decimals.pop_back();
    return decimals.empty() ? text : text + "." + decimals;
}

void addTransverter(TransverterOffsets& offsets, const TransverterOffset& offset) {
    std::erase_if(offsets, [&](const TransverterOffset& o) { return o.bandMHz == offset.bandMHz; });
    offsets.push_back(offset);
}

std::int64_t transverterLoHz(const TransverterOffsets& offsets, int bandMHz) {
    const auto found =
        std::find_if(offsets.begin(), offsets.end(),
                     [&](const TransverterOffset& o) { return o.bandMHz == bandMHz; });
    return found == offsets.end() ? 0 : found->loHz;
}

}  // namespace selvora
