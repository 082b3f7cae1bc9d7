#include "app/default_azel_path.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>

#include "common/home_folder.h"

namespace selvora {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kWsjtxFolder = "WSJT-X";
constexpr std::string_view kRigFolderPrefix = "WSJT-X - ";

// Paths are UTF-8 text here; std::filesystem on Windows would read a plain string in
// the user's code page instead.
fs::path pathOf(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

// A name that is no text (a lone UTF-16 surrogate on Windows) names no WSJT-X folder.
std::string textOf(const fs::path& path) {
    try {
        const std::u8string utf8 = path.u8string();
        return std::string(utf8.begin(), utf8.end());
    } catch (const std::system_error&) {
        return {};
    }
}

// Windows paths are shown with "/", as the window has always shown them.
std::string forwardSlashes(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

std::string withoutTrailingSlash(std::string path) {
    while (!path.empty() && path.back() == '/')
        path.pop_back();
    return path;
}

bool isWsjtxFolderName(const std::string& name) {
    return name == kWsjtxFolder || name.starts_with(kRigFolderPrefix);
}

struct Candidate {
    fs::path file;
    fs::file_time_type written;
    std::string folderName;
};

// Newest first; on equal times the plain WSJT-X folder, then by name, so the
// choice never depends on the order the directory lists them in.
bool isBetter(const Candidate& a, const Candidate& b) {
    if (a.written != b.written) return a.written > b.written;
    if ((a.folderName == kWsjtxFolder) != (b.folderName == kWsjtxFolder))
        return a.folderName == kWsjtxFolder;
    return a.folderName < b.folderName;
}

std::optional<Candidate> azelIn(const fs::directory_entry& folder) {
    std::error_code error;
    const std::string name = textOf(folder.path().filename());
    if (!isWsjtxFolderName(name) || !folder.is_directory(error)) return std::nullopt;
    const fs::path file = folder.path() / "azel.dat";
    if (!fs::is_regular_file(file, error)) return std::nullopt;
    const auto written = fs::last_write_time(file, error);
    if (error) return std::nullopt;
    return Candidate{file, written, name};
}

std::optional<Candidate> newestAzel(const std::string& dataFolder) {
    std::error_code error;
    fs::directory_iterator folders(pathOf(dataFolder), error);
    if (error) return std::nullopt;
    std::optional<Candidate> best;
    for (const fs::directory_entry& folder : folders) {
        const auto candidate = azelIn(folder);
        if (candidate && (!best || isBetter(*candidate, *best))) best = candidate;
    }
    return best;
}

}  // namespace

AzelEnvironment azelEnvironment() {
    return {homeFolder(), environmentValue("XDG_DATA_HOME"), environmentValue("LOCALAPPDATA"),
            environmentValue("USERPROFILE")};
}

std::string wsjtxDataFolder(const AzelEnvironment& environment, Platform platform) {
    if (platform == Platform::Windows) {
        if (!environment.localAppData.empty())
            return withoutTrailingSlash(forwardSlashes(environment.localAppData));
        return withoutTrailingSlash(forwardSlashes(environment.userProfile)) + "/AppData/Local";
    }
    // A relative XDG_DATA_HOME is invalid and is ignored, as the XDG rules say.
    if (environment.xdgDataHome.starts_with('/'))
        return withoutTrailingSlash(environment.xdgDataHome);
    return withoutTrailingSlash(environment.home) + "/.local/share";
}

std::string defaultAzelPath(const AzelEnvironment& environment, Platform platform) {
    const std::string dataFolder = wsjtxDataFolder(environment, platform);
    if (const auto newest = newestAzel(dataFolder))
        return dataFolder + '/' + newest->folderName + "/azel.dat";
    return dataFolder + '/' + std::string(kWsjtxFolder) + "/azel.dat";
}

}  // namespace selvora
