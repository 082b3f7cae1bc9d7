#include "app/wsjtx_settings.h"

#include <algorithm>
#include <cctype>

#include "common/files.h"
#include "common/text_lines.h"

namespace selvora {
namespace {

// WSJT-X's settings file holds many settings, but not megabytes of them.
constexpr std::size_t kLimit = 4 * 1024 * 1024;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool sameName(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

std::string unquoted(std::string_view value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        return std::string(value.substr(1, value.size() - 2));
    return std::string(value);
}

}  // namespace

std::optional<std::string> iniValue(std::string_view text, std::string_view section,
                                    std::string_view key) {
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    LineReader reader(text);
    bool inSection = false;
    while (const auto read = reader.readLine()) {
        const std::string_view line = trimmed(*read);
        if (line.starts_with('[') && line.ends_with(']')) {
            inSection = sameName(line.substr(1, line.size() - 2), section);
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inSection || equals == std::string_view::npos) continue;
        if (sameName(trimmed(line.substr(0, equals)), key))
            return unquoted(trimmed(line.substr(equals + 1)));
    }
    return std::nullopt;
}

WsjtxStations wsjtxStations(std::string_view iniText) {
    return {iniValue(iniText, "Configuration", "MyGrid").value_or(""),
            iniValue(iniText, "MainWindow", "DXgrid").value_or("")};
}

WsjtxStations wsjtxStationsOnThisComputer(const AzelEnvironment& environment, Platform platform) {
    const auto file = newestWsjtxSettings(environment, platform);
    if (!file) return {};
    const FilePrefix prefix = ReadOnlyFile(*file).prefix(kLimit);
    if (!prefix.error.empty()) return {};
    return wsjtxStations(prefix.bytes);
}

}  // namespace selvora
