#include "common/atomic_file.h"

#include <cstdint>
#include <random>

namespace selvora {

std::string randomNameSuffix() {
    // random_device is the system's own source (getrandom on Linux, rand_s on Windows).
    thread_local std::random_device device;
    constexpr char kHex[] = "0123456789abcdef";
    std::string suffix;
    for (int word = 0; word < 2; ++word) {
        std::uint32_t bits = device();
        for (int digit = 0; digit < 8; ++digit, bits >>= 4)
            suffix += kHex[bits & 0xF];
    }
    return suffix;
}

std::string temporaryName(const std::string& path, std::string_view suffix) {
    std::string name = path;
    name += '.';
    name += suffix;
    name += ".tmp";
    return name;
}

std::optional<std::string> replaceFile(const std::string& path, std::string_view bytes) {
    return replaceFile(path, bytes, randomNameSuffix);
}

}  // namespace selvora
