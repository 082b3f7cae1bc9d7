// How the program speaks to the operator outside the window's own fields.
#pragma once

#include <string_view>

namespace selvora {

class UserMessages {
  public:
    virtual ~UserMessages() = default;
    // A message box with OK; the program goes on meanwhile.
    virtual void inform(std::string_view title, std::string_view text) = 0;
    // A modal message box with OK only; once it is closed the program ends.
    // No tick runs while it is open.
    virtual void informAndEnd(std::string_view title, std::string_view text) = 0;
};

}  // namespace selvora
