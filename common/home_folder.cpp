#include "common/home_folder.h"

#include <cstdlib>

#ifdef _WIN32
#include "common/windows_text.h"
#else
#include <pwd.h>
#include <unistd.h>
#endif

namespace selvora {

std::string environmentValue(const char* name) {
#ifdef _WIN32
    const auto wideName = widePath(name);
    const wchar_t* value = wideName ? ::_wgetenv(wideName->c_str()) : nullptr;
    return value != nullptr ? utf8Text(value) : "";
#else
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
#endif
}

std::string homeFolder() {
#ifdef _WIN32
    return environmentValue("USERPROFILE");
#else
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
    const passwd* account = ::getpwuid(::getuid());
    return account != nullptr && account->pw_dir != nullptr ? account->pw_dir : "";
#endif
}

std::string expandHome(std::string_view path, std::string_view home) {
    if (!path.starts_with("~/") || home.empty()) return std::string(path);
    if (home.ends_with('/')) home.remove_suffix(1);
    std::string expanded(home);
    expanded += path.substr(1);
    return expanded;
}

}  // namespace selvora
