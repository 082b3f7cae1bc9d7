#include "common/files.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

#include <windows.h>

#include "common/windows_text.h"

namespace selvora {
namespace {

// One ReadFile call asks for at most this much; a DWORD holds the count.
constexpr std::size_t kMaxReadBytes = 1u << 30;

bool isSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

// The last name in the path, after its last separator or drive colon.
std::wstring_view lastName(std::wstring_view path) {
    const auto cut = path.find_last_of(L"\\/:");
    return cut == std::wstring_view::npos ? path : path.substr(cut + 1);
}

// CON, NUL, COM1, LPT1 and the rest name devices in every folder, with any extension.
bool isDeviceName(std::wstring_view name) {
    std::wstring stem(name.substr(0, name.find(L'.')));
    while (!stem.empty() && stem.back() == L' ')
        stem.pop_back();
    for (wchar_t& c : stem)
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    constexpr std::wstring_view kDevices[] = {L"CON", L"PRN",    L"AUX",
                                              L"NUL", L"CONIN$", L"CONOUT$"};
    if (std::find(std::begin(kDevices), std::end(kDevices), stem) != std::end(kDevices))
        return true;
    const bool numbered = stem.size() == 4 && stem[3] >= L'0' && stem[3] <= L'9';
    return numbered && (stem.starts_with(L"COM") || stem.starts_with(L"LPT"));
}

// \\.\ and \\?\ reach devices and pipes by their own names (\\.\COM3, \\.\pipe\x).
bool isDeviceNamespace(std::wstring_view path) {
    return path.size() >= 4 && isSeparator(path[0]) && isSeparator(path[1]) &&
           (path[2] == L'.' || path[2] == L'?') && isSeparator(path[3]);
}

}  // namespace

bool isOrdinaryFile(const std::string& path) {
    const auto wide = widePath(path);
    if (!wide || isDeviceNamespace(*wide)) return false;
    const std::wstring_view name = lastName(*wide);
    if (name.empty() || isDeviceName(name)) return false;
    // A normal file, as Dir() finds one: no directory, device, hidden or system file.
    constexpr DWORD kNotOrdinary = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE |
                                   FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    const DWORD attributes = GetFileAttributesW(wide->c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & kNotOrdinary) == 0;
}

ReadOnlyFile::ReadOnlyFile(const std::string& path) {
    const auto wide = widePath(path);
    if (!wide) {
        openError_ = "the path is not UTF-8 text or holds a NUL character";
        return;
    }
    // All three share flags: WSJT-X may rewrite, truncate, replace or delete the file
    // while it is open here, and is never refused for it.
    HANDLE file = CreateFileW(wide->c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        openError_ = windowsErrorText(GetLastError());
        return;
    }
    // A pipe or a device could make a read wait, and the window with it.
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        openError_ = "it is not a file on a disk";
        return;
    }
    file_ = reinterpret_cast<std::intptr_t>(file);
}

namespace {
HANDLE handleOf(std::intptr_t file) {
    return reinterpret_cast<HANDLE>(file);
}
}  // namespace

ReadOnlyFile::~ReadOnlyFile() {
    if (file_ != kNoFile) CloseHandle(handleOf(file_));
}

FilePrefix ReadOnlyFile::prefix(std::size_t limit) const {
    FilePrefix out;
    if (file_ == kNoFile) {
        out.error = openError_;
        return out;
    }
    // One byte beyond the limit tells whether the file ends within it.
    out.bytes.resize(limit + 1);
    std::size_t filled = 0;
    while (filled < out.bytes.size()) {
        const auto wanted = static_cast<DWORD>(std::min(out.bytes.size() - filled, kMaxReadBytes));
        // Each read says where it starts, like pread: the handle keeps no position.
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(filled & 0xFFFFFFFFu);
        at.OffsetHigh = static_cast<DWORD>(static_cast<std::uint64_t>(filled) >> 32);
        DWORD got = 0;
        if (!ReadFile(handleOf(file_), out.bytes.data() + filled, wanted, &got, &at)) {
            const DWORD error = GetLastError();
            if (error == ERROR_HANDLE_EOF) break;
            out.error = windowsErrorText(error);
            out.bytes.clear();
            return out;
        }
        filled += got;
        if (got < wanted) break;
    }
    out.wholeFile = filled <= limit;
    out.bytes.resize(std::min(filled, limit));
    return out;
}

}  // namespace selvora
