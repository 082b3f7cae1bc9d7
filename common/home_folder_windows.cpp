#include <cstdlib>

#include "common/home_folder.h"
#include "common/windows_text.h"

namespace selvora {

// Read as UTF-16: a user name such as "Jörg" reaches the path intact whatever the code page.
std::string environmentValue(const char* name) {
    const auto wideName = widePath(name);
    const wchar_t* value = wideName ? ::_wgetenv(wideName->c_str()) : nullptr;
    return value != nullptr ? utf8Text(value) : "";
}

std::string homeFolder() {
    return environmentValue("USERPROFILE");
}

}  // namespace selvora
