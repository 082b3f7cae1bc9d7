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
constexpr std::string_view kSettingsSuffix = ".ini";

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

// The file `fileName` gives for an instance's folder ("WSJT-X", "WSJT-X - NAME").
std::optional<Candidate> fileInFolder(const fs::directory_entry& folder,
                                      std::string (*fileName)(const std::string& instance)) {
    std::error_code error;
    const std::string name = textOf(folder.path().filename());
    if (!isWsjtxFolderName(name) || !folder.is_directory(error)) return std::nullopt;
    const fs::path file = folder.path() / pathOf(fileName(name));
    if (!fs::is_regular_file(file, error)) return std::nullopt;
    const auto written = fs::last_write_time(file, error);
    if (error) return std::nullopt;
    return Candidate{file, written, name};
}

std::string azelName(const std::string&) {
    return "azel.dat";
}

std::string settingsName(const std::string& instance) {
    return instance + std::string(kSettingsSuffix);
}

// "WSJT-X.ini" or "WSJT-X - NAME.ini" itself; the candidate is named as its folder would be.
std::optional<Candidate> settingsFile(const fs::directory_entry& entry) {
    std::error_code error;
    const std::string name = textOf(entry.path().filename());
    if (!name.ends_with(kSettingsSuffix)) return std::nullopt;
    const std::string instance = name.substr(0, name.size() - kSettingsSuffix.size());
    if (!isWsjtxFolderName(instance) || !entry.is_regular_file(error)) return std::nullopt;
    const auto written = fs::last_write_time(entry.path(), error);
    if (error) return std::nullopt;
    return Candidate{entry.path(), written, instance};
}

std::optional<Candidate> candidate(const fs::directory_entry& entry, WsjtxFile kind) {
    switch (kind) {
        case WsjtxFile::Azel:
            return fileInFolder(entry, azelName);
        case WsjtxFile::Settings:
            return settingsFile(entry);
        case WsjtxFile::SettingsInFolders:
            return fileInFolder(entry, settingsName);
    }
    return std::nullopt;
}

std::optional<Candidate> newestIn(const std::string& folder, WsjtxFile kind) {
    std::error_code error;
    fs::directory_iterator entries(pathOf(folder), error);
    if (error) return std::nullopt;
    std::optional<Candidate> best;
    for (const fs::directory_entry& entry : entries) {
        const auto found = candidate(entry, kind);
        if (found && (!best || isBetter(*found, *best))) best = found;
    }
    return best;
}

}  // namespace

AzelEnvironment azelEnvironment() {
    return {homeFolder(), environmentValue("XDG_DATA_HOME"), environmentValue("LOCALAPPDATA"),
            environmentValue("USERPROFILE"), environmentValue("XDG_CONFIG_HOME")};
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
    if (const auto newest = newestIn(dataFolder, WsjtxFile::Azel))
        return dataFolder + '/' + newest->folderName + "/azel.dat";
    return dataFolder + '/' + std::string(kWsjtxFolder) + "/azel.dat";
}

std::string wsjtxConfigFolder(const AzelEnvironment& environment, Platform platform) {
    if (platform == Platform::Windows) return wsjtxDataFolder(environment, platform);
    if (environment.xdgConfigHome.starts_with('/'))
        return withoutTrailingSlash(environment.xdgConfigHome);
    return withoutTrailingSlash(environment.home) + "/.config";
}

std::optional<std::string> newestWsjtxSettings(const AzelEnvironment& environment,
                                               Platform platform) {
    // On Windows each instance keeps its settings in its own data folder.
    const auto newest = newestIn(
        wsjtxConfigFolder(environment, platform),
        platform == Platform::Windows ? WsjtxFile::SettingsInFolders : WsjtxFile::Settings);
    if (!newest) return std::nullopt;
    return textOf(newest->file);
}

}  // namespace selvora
