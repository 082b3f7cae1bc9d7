#include "common/home_folder.h"

namespace selvora {

std::string expandHome(std::string_view path, std::string_view home) {
    if (!path.starts_with("~/") || home.empty()) return std::string(path);
    if (home.ends_with('/')) home.remove_suffix(1);
    std::string expanded(home);
    expanded += path.substr(1);
    return expanded;
}

}  // namespace selvora
