// Rewrites azel.dat the ways the tracking programs do, for the tests that read it
// meanwhile, and counts the program's open files and handles.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace selvora::testing {

enum class RewriteWay {
    InPlaceThenTruncate,  // WSJT-X on Linux: from the start, then cut to length
    TruncateThenWrite,    // MAP65: emptied first
    ReopenTruncating,     // WSJT-X's QFile on Windows: open(WriteOnly) empties it, then write
    ReplaceByRename,      // a new file renamed over the old one
};
#ifdef _WIN32
// Windows refuses to rename a file over one that is open, whatever the reader shares
// (Wine 8 too), so no tracking program there can count on replacing azel.dat.
inline constexpr RewriteWay kRewriteWays[] = {
    RewriteWay::InPlaceThenTruncate, RewriteWay::TruncateThenWrite, RewriteWay::ReopenTruncating};
#else
inline constexpr RewriteWay kRewriteWays[] = {
    RewriteWay::InPlaceThenTruncate, RewriteWay::TruncateThenWrite, RewriteWay::ReopenTruncating,
    RewriteWay::ReplaceByRename};
#endif

#ifdef _WIN32
// Qt opens files to write with FILE_SHARE_READ | FILE_SHARE_WRITE: a reader that shares
// less locks WSJT-X out, and the open here fails.
class AzelRewriter {
  public:
    explicit AzelRewriter(std::filesystem::path path) : path_(std::move(path)) {}
    ~AzelRewriter() { close(); }
    AzelRewriter(const AzelRewriter&) = delete;
    AzelRewriter& operator=(const AzelRewriter&) = delete;

    bool rewrite(const std::string& record, RewriteWay way) {
        if (way == RewriteWay::ReplaceByRename) return false;
        if (way == RewriteWay::ReopenTruncating) close();
        if (file_ == INVALID_HANDLE_VALUE && !open(way == RewriteWay::ReopenTruncating))
            return false;
        if (way == RewriteWay::TruncateThenWrite && !truncateAt(0)) return false;
        return writeAt(record) && truncateAt(record.size());
    }

  private:
    bool open(bool truncating) {
        file_ = CreateFileW(path_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, truncating ? TRUNCATE_EXISTING : OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
        return file_ != INVALID_HANDLE_VALUE;
    }
    void close() {
        if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
        file_ = INVALID_HANDLE_VALUE;
    }
    bool writeAt(const std::string& bytes) {
        OVERLAPPED start{};
        DWORD written = 0;
        return WriteFile(file_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, &start) &&
               written == bytes.size();
    }
    bool truncateAt(std::size_t size) {
        LARGE_INTEGER at{};
        at.QuadPart = static_cast<LONGLONG>(size);
        return SetFilePointerEx(file_, at, nullptr, FILE_BEGIN) && SetEndOfFile(file_);
    }
    std::filesystem::path path_;
    HANDLE file_ = INVALID_HANDLE_VALUE;
};

inline std::size_t openHandles() {
    DWORD count = 0;
    GetProcessHandleCount(GetCurrentProcess(), &count);
    return count;
}
#else
class AzelRewriter {
  public:
    explicit AzelRewriter(std::filesystem::path path) : path_(std::move(path)) {}
    ~AzelRewriter() { close(); }
    AzelRewriter(const AzelRewriter&) = delete;
    AzelRewriter& operator=(const AzelRewriter&) = delete;

    bool rewrite(const std::string& record, RewriteWay way) {
        if (way == RewriteWay::ReplaceByRename) return replace(record);
        if (way == RewriteWay::ReopenTruncating) close();
        if (fd_ < 0 && !open(way == RewriteWay::ReopenTruncating)) return false;
        const auto size = static_cast<off_t>(record.size());
        if (way == RewriteWay::TruncateThenWrite && ::ftruncate(fd_, 0) != 0) return false;
        return ::pwrite(fd_, record.data(), record.size(), 0) == size &&
               ::ftruncate(fd_, size) == 0;
    }

  private:
    bool open(bool truncating) {
        fd_ = ::open(path_.c_str(), O_WRONLY | (truncating ? O_TRUNC : 0));
        return fd_ >= 0;
    }
    void close() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }
    bool replace(const std::string& record) {
        close();
        const std::string next = path_.string() + ".new";
        const int fd = ::open(next.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0) return false;
        const bool ok =
            ::write(fd, record.data(), record.size()) == static_cast<ssize_t>(record.size());
        ::close(fd);
        return ok && ::rename(next.c_str(), path_.c_str()) == 0;
    }

    std::filesystem::path path_;
    int fd_ = -1;
};

inline std::size_t openHandles() {
    return static_cast<std::size_t>(
        std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {}));
}
#endif

}  // namespace selvora::testing
