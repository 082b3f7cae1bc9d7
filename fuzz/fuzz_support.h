// What the fuzz targets share: checking a property, and writing a file.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include <fcntl.h>
#include <unistd.h>

// A property a fuzz target checks: when it fails, the input is reported as a crash.

#define FUZZ_REQUIRE(condition)                                                                   \
    do {                                                                                          \
        if (!(condition)) {                                                                       \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                         \
        }                                                                                         \
    } while (false)

namespace selvora::fuzzing {

// Replaces the file's content with `bytes`.
inline void writeFile(const std::string& path, std::string_view bytes) {
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    FUZZ_REQUIRE(descriptor >= 0);
    FUZZ_REQUIRE(::write(descriptor, bytes.data(), bytes.size()) ==
                 static_cast<ssize_t>(bytes.size()));
    ::close(descriptor);
}

// Makes a fresh directory the current one for the whole run (in memory where there
// is /dev/shm), removed again at exit; returns its path.
inline std::filesystem::path enterScratchDirectory(std::string_view name) {
    const auto base = std::filesystem::is_directory("/dev/shm")
                          ? std::filesystem::path("/dev/shm")
                          : std::filesystem::temp_directory_path();
    std::string pattern = (base / (std::string(name) + "-XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    std::filesystem::current_path(pattern);
    std::atexit([] {
        const auto directory = std::filesystem::current_path();
        std::error_code ignored;
        std::filesystem::remove_all(directory, ignored);
    });
    return pattern;
}

}  // namespace selvora::fuzzing
