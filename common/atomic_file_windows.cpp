// After the project's headers: <windows.h> defines macros that clash with some names.
#include "common/atomic_file.h"
#include "common/windows_text.h"

#include <algorithm>

#include <windows.h>

namespace selvora {
namespace {

constexpr const char* kNotAPath = "the path is not UTF-8 text or holds a NUL character";

bool writeAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const auto wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), wanted, &written, nullptr)) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

// CREATE_NEW refuses any existing name; with FILE_FLAG_OPEN_REPARSE_POINT a symbolic
// link or junction counts as existing, not as the place it points to.
HANDLE createNew(const std::wstring& name) {
    return CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                       FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
}

bool nameTaken(DWORD error) {
    return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
}

}  // namespace

std::optional<std::string> replaceFile(const std::string& path, std::string_view bytes,
                                       const std::function<std::string()>& suffix) {
    const auto target = widePath(path);
    if (!target) return kNotAPath;
    std::wstring temporary;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < kTemporaryNameAttempts && file == INVALID_HANDLE_VALUE;
         ++attempt) {
        const auto name = widePath(temporaryName(path, suffix()));
        if (!name) return kNotAPath;
        temporary = *name;
        file = createNew(temporary);
        if (file == INVALID_HANDLE_VALUE && !nameTaken(GetLastError()))
            return windowsErrorText(GetLastError());
    }
    if (file == INVALID_HANDLE_VALUE) return "every new file name tried was taken";
    std::optional<std::string> failure;
    if (!writeAll(file, bytes) || !FlushFileBuffers(file))
        failure = windowsErrorText(GetLastError());
    if (!CloseHandle(file) && !failure) failure = windowsErrorText(GetLastError());
    if (!failure && !MoveFileExW(temporary.c_str(), target->c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        failure = windowsErrorText(GetLastError());
    if (failure) DeleteFileW(temporary.c_str());
    return failure;
}

}  // namespace selvora
