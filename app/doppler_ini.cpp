#include "app/doppler_ini.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

#include "common/files.h"
#include "common/text_lines.h"

namespace selvora {
namespace {

// A path is never this long; a longer first line means the file is not ours.
constexpr std::size_t kLimit = 64 * 1024;

bool writeAll(int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

}  // namespace

std::optional<std::string> firstLine(std::string_view bytes) {
    LineReader reader(bytes);
    if (auto line = reader.readLine()) return std::string(*line);
    return std::nullopt;
}

SavedPath readSavedPath() {
    if (!isOrdinaryFile(kSettingsFile)) return {};
    const FilePrefix prefix = ReadOnlyFile(kSettingsFile).prefix(kLimit);
    if (!prefix.error.empty()) return {SavedPath::Status::Unreadable, {}, prefix.error};
    std::optional<std::string> path = firstLine(prefix.bytes);
    if (!path) return {SavedPath::Status::Unreadable, {}, "the file is empty"};
    // A first line that fills the whole read is too long, whether or not the file ends
    // with it: saved again, with CR LF after it, it would no longer fit.
    if (path->size() >= kLimit)
        return {SavedPath::Status::Unreadable, {}, "its first line is too long to be a path"};
    return {SavedPath::Status::Loaded, std::move(*path), {}};
}

std::optional<std::string> writeSavedPath(std::string_view path) {
    const std::string temporary =
        std::string(kSettingsFile) + '.' + std::to_string(::getpid()) + ".tmp";
    const int descriptor =
        ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (descriptor < 0) return std::strerror(errno);
    std::string content(path);
    content += "\r\n";
    std::optional<std::string> failure;
    if (!writeAll(descriptor, content) || ::fsync(descriptor) != 0) failure = std::strerror(errno);
    if (::close(descriptor) != 0 && !failure) failure = std::strerror(errno);
    if (!failure && std::rename(temporary.c_str(), kSettingsFile) != 0)
        failure = std::strerror(errno);
    if (failure) ::unlink(temporary.c_str());
    return failure;
}

}  // namespace selvora
