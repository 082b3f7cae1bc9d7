#include "hamlib/hamlib_release.h"

#include <charconv>

namespace selvora {

namespace {

constexpr std::string_view kPrefix = "Hamlib ";

// The number at the start of `text`, taken off it; nullopt when there is none.
std::optional<int> takeNumber(std::string_view& text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{}) return std::nullopt;
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    return value;
}

// A '.' and the number after it, or nullopt (and `text` untouched) when not there.
std::optional<int> takeDottedNumber(std::string_view& text) {
    if (!text.starts_with('.')) return std::nullopt;
    std::string_view rest = text.substr(1);
    const std::optional<int> value = takeNumber(rest);
    if (value) text = rest;
    return value;
}

}  // namespace

std::optional<HamlibRelease> readHamlibRelease(std::string_view versionText) {
    if (!versionText.starts_with(kPrefix)) return std::nullopt;
    std::string_view text = versionText.substr(kPrefix.size());
    const std::optional<int> major = takeNumber(text);
    const std::optional<int> minor = takeDottedNumber(text);
    if (!major || !minor) return std::nullopt;
    return HamlibRelease{*major, *minor, takeDottedNumber(text).value_or(0)};
}

bool isTriedHamlibRelease(const HamlibRelease& release) {
    return release.major == 4 && (release.minor == 5 || release.minor == 6);
}

}  // namespace selvora
