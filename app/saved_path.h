// doppler.ini: the one settings file, in the current working directory. It holds
// one line, the path of azel.dat exactly as typed, followed by CR LF.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace selvora {

inline constexpr const char* kSettingsFile = "doppler.ini";

struct SavedPath {
    enum class Status { Missing, Loaded, Unreadable } status = Status::Missing;
    std::string path;    // the first line, when Loaded
    std::string reason;  // why it could not be read, when Unreadable
};

// The saved path from doppler.ini in the current directory. A directory of that
// name counts as missing; a file without a single line is unreadable.
SavedPath readSavedPath();

// The saved path in the file's bytes: its first line; nullopt for a file with no line.
std::optional<std::string> firstLine(std::string_view bytes);

// Replaces doppler.ini with `path` and CR LF. The new file is written beside it and
// renamed over it, so a failed save leaves the old one whole. Returns why it failed.
std::optional<std::string> writeSavedPath(std::string_view path);

}  // namespace selvora
