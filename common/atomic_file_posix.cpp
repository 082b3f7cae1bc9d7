#include "common/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace selvora {
namespace {

bool writeAll(int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// O_EXCL refuses any existing name, a link (even one pointing nowhere) included;
// O_NOFOLLOW says the same for links once more. Returns -1 with errno set.
int createNew(const std::string& name) {
    int descriptor;
    do {
        descriptor =
            ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    } while (descriptor < 0 && errno == EINTR);
    return descriptor;
}

}  // namespace

std::optional<std::string> replaceFile(const std::string& path, std::string_view bytes,
                                       const std::function<std::string()>& suffix) {
    if (path.find('\0') != std::string::npos) return "the path holds a NUL character";
    std::string temporary;
    int descriptor = -1;
    for (int attempt = 0; attempt < kTemporaryNameAttempts && descriptor < 0; ++attempt) {
        temporary = temporaryName(path, suffix());
        descriptor = createNew(temporary);
        if (descriptor < 0 && errno != EEXIST) return std::strerror(errno);
    }
    if (descriptor < 0) return "every new file name tried was taken";
    std::optional<std::string> failure;
    if (!writeAll(descriptor, bytes) || ::fsync(descriptor) != 0) failure = std::strerror(errno);
    if (::close(descriptor) != 0 && !failure) failure = std::strerror(errno);
    if (!failure && std::rename(temporary.c_str(), path.c_str()) != 0)
        failure = std::strerror(errno);
    if (failure) ::unlink(temporary.c_str());
    return failure;
}

}  // namespace selvora
