// An instant as the UTC clock writes it, but by the C library (gmtime_r, strftime):
// the independent answer the UTC clock's tests compare with.
#pragma once

#include <chrono>
#include <ctime>
#include <string>

namespace selvora::testing {

inline std::string libraryUtcText(std::chrono::system_clock::time_point at) {
    const std::time_t instant = std::chrono::system_clock::to_time_t(at);
    std::tm utc{};
    gmtime_r(&instant, &utc);
    char text[64];
    std::strftime(text, sizeof text, "%A %b %d, %Y %H:%M:%S", &utc);
    return text;
}

}  // namespace selvora::testing
