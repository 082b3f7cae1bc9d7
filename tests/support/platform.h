// What the tests need to know about the system they run on: who runs them, how to
// keep a file from being read, and the system's words for the usual failures.
#pragma once

#include <filesystem>
#include <string>

#ifdef _WIN32
#include "common/windows_text.h"

#include <windows.h>
#else
#include <unistd.h>
#endif

namespace selvora::testing {

#ifdef _WIN32
inline bool runsAsRoot() {
    return false;
}

// The system's own words for the failures the tests provoke, in its own language.
inline std::string accessDeniedText() {
    return windowsErrorText(ERROR_ACCESS_DENIED);
}
inline std::string noSuchPathText() {
    return windowsErrorText(ERROR_PATH_NOT_FOUND);
}
inline std::string unreadableText() {
    return windowsErrorText(ERROR_SHARING_VIOLATION);
}
inline std::string replacingAFolderText() {
    return windowsErrorText(ERROR_ACCESS_DENIED);
}

// Windows hides a file by a mark, not by a name starting with "." (Wine marks such
// names itself; Windows does not).
inline void markHidden(const std::filesystem::path& path) {
    SetFileAttributesW(path.c_str(), GetFileAttributesW(path.c_str()) | FILE_ATTRIBUTE_HIDDEN);
}

// Another program holding the file open without sharing it: nobody else may open it.
class UnreadableWhileAlive {
  public:
    explicit UnreadableWhileAlive(const std::filesystem::path& path)
        : file_(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~UnreadableWhileAlive() {
        if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    }
    UnreadableWhileAlive(const UnreadableWhileAlive&) = delete;
    UnreadableWhileAlive& operator=(const UnreadableWhileAlive&) = delete;

  private:
    HANDLE file_;
};
#else
inline bool runsAsRoot() {
    return ::geteuid() == 0;
}

inline std::string accessDeniedText() {
    return "Permission denied";
}
inline std::string noSuchPathText() {
    return "No such file or directory";
}
inline std::string unreadableText() {
    return "Permission denied";
}
inline std::string replacingAFolderText() {
    return "Is a directory";
}

// A name starting with "." is what hides a file here.
inline void markHidden(const std::filesystem::path&) {}

// The file without read permission (root reads it all the same).
class UnreadableWhileAlive {
  public:
    explicit UnreadableWhileAlive(const std::filesystem::path& path) : path_(path) {
        std::filesystem::permissions(path_, std::filesystem::perms::none);
    }
    ~UnreadableWhileAlive() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
    }
    UnreadableWhileAlive(const UnreadableWhileAlive&) = delete;
    UnreadableWhileAlive& operator=(const UnreadableWhileAlive&) = delete;

  private:
    std::filesystem::path path_;
};
#endif

}  // namespace selvora::testing
