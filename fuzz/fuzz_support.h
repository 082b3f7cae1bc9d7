// What the fuzz targets share: checking a property, and writing a file.
#pragma once

#include <cstdio>
#include <cstdlib>
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

}  // namespace selvora::fuzzing
