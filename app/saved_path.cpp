#include "app/saved_path.h"

#include "common/atomic_file.h"
#include "common/files.h"
#include "common/text_lines.h"

namespace selvora {
namespace {

// A path is never this long; a longer first line means the file is not ours.
constexpr std::size_t kLimit = 64 * 1024;

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
    std::string content(path);
    content += "\r\n";
    return replaceFile(kSettingsFile, content);
}

}  // namespace selvora
