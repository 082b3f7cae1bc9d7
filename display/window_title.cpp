#include "display/window_title.h"

namespace selvora {

std::string windowTitle(std::string_view base, bool stale, std::string_view suffix) {
    std::string title = stale ? std::string(kStaleTitlePrefix) : std::string();
    title += base;
    if (!suffix.empty()) {
        title += " \u2014 ";
        title += suffix;
    }
    return title;
}

}  // namespace selvora
