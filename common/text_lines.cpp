#include "common/text_lines.h"

namespace selvora {

std::optional<std::string_view> LineReader::readLine() {
    if (rest_.empty()) return std::nullopt;
    const auto end = rest_.find_first_of("\r\n");
    const std::string_view line = rest_.substr(0, end);
    if (end == std::string_view::npos) {
        rest_ = {};
    } else {
        const bool crlf = rest_[end] == '\r' && end + 1 < rest_.size() && rest_[end + 1] == '\n';
        rest_.remove_prefix(end + (crlf ? 2 : 1));
    }
    return line;
}

std::vector<std::string_view> splitAt(std::string_view text, char separator) {
    std::vector<std::string_view> fields;
    if (text.empty()) return fields;
    for (;;) {
        const auto end = text.find(separator);
        fields.push_back(text.substr(0, end));
        if (end == std::string_view::npos) return fields;
        text.remove_prefix(end + 1);
    }
}

}  // namespace selvora
