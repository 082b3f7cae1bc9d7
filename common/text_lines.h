// Line reading and field splitting for the two text files the program reads,
// azel.dat and doppler.ini.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace selvora {

// Reads lines from the start of a text. A line ends at CR LF, a lone CR or a
// lone LF (WSJT-X writes LF line ends on Linux and macOS, CR LF on Windows); the
// end is not part of the line and the last line needs none.
class LineReader {
  public:
    explicit LineReader(std::string_view text) : rest_(text) {}

    // The next line, or nullopt once every character has been read.
    std::optional<std::string_view> readLine();
    bool atEnd() const { return rest_.empty(); }

  private:
    std::string_view rest_;
};

// Cuts the text at every separator: n separators give n + 1 fields, in order.
// An empty text gives no fields at all.
std::vector<std::string_view> splitAt(std::string_view text, char separator);

}  // namespace selvora
