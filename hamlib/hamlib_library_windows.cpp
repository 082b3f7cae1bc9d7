#include <windows.h>

#include <vector>

#include "common/windows_text.h"
#include "hamlib/hamlib_library.h"

namespace selvora {

namespace {

constexpr const wchar_t* kHamlibDll = L"libhamlib-4.dll";

// The folder selvora.exe was started from, with its closing backslash.
std::wstring programFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(path.size());
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), size);
        if (length == 0) return {};
        if (length < size) break;
        path.resize(path.size() * 2);  // cut short: a longer path than MAX_PATH
    }
    return path.substr(0, path.find_last_of(L"\\/") + 1);
}

std::wstring environmentFolder(const wchar_t* name, const wchar_t* below) {
    const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0) return {};
    std::wstring value(size, L'\0');
    value.resize(GetEnvironmentVariableW(name, value.data(), size));
    return value.empty() ? value : value + below;
}

// Selvora's own copy first; then WSJT-X's, which ships the same DLL in its bin folder:
// C:\WSJT\wsjtx is its installer's default, Program Files the other usual choice.
std::vector<std::wstring> candidateFolders() {
    std::vector<std::wstring> folders{
        programFolder(),
        environmentFolder(L"SystemDrive", L"\\WSJT\\wsjtx\\bin\\"),
        environmentFolder(L"ProgramFiles", L"\\wsjtx\\bin\\"),
    };
    std::erase(folders, std::wstring());
    return folders;
}

}  // namespace

HamlibLibrary loadHamlibLibrary() {
    std::string searched;
    for (const std::wstring& folder : candidateFolders()) {
        const std::wstring path = folder + kHamlibDll;
        // The altered search path finds the DLL's own dependencies in its folder.
        HMODULE handle = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
        if (handle != nullptr) return {static_cast<void*>(handle), utf8Text(path), {}};
        const DWORD error = GetLastError();
        // A DLL that is there and will not load says more than any folder without one.
        if (error != ERROR_MOD_NOT_FOUND)
            return {nullptr, utf8Text(path),
                    "Hamlib could not be loaded from " + utf8Text(path) + " (" +
                        windowsErrorText(error) + ")"};
        searched += (searched.empty() ? "" : ", ") + utf8Text(folder);
    }
    return {nullptr, "libhamlib-4.dll",
            "Hamlib is not installed (no libhamlib-4.dll in " + searched + ")"};
}

void* hamlibSymbol(const HamlibLibrary& library, const char* name) {
    const FARPROC symbol = GetProcAddress(static_cast<HMODULE>(library.handle), name);
    return reinterpret_cast<void*>(symbol);
}

}  // namespace selvora
