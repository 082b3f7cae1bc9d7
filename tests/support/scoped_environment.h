// Sets environment variables for one test and puts the old values back.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#ifdef _WIN32
#include "common/windows_text.h"
#endif

namespace selvora::testing {

class ScopedEnvironment {
  public:
    ScopedEnvironment() = default;
    ~ScopedEnvironment() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it)
            apply(it->first, it->second);
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

    // nullopt unsets the variable. Values are UTF-8 text, on Windows too.
    void set(const std::string& name, const std::optional<std::string>& value) {
        saved_.emplace_back(name, current(name));
        apply(name, value);
    }

  private:
#ifdef _WIN32
    static std::optional<std::string> current(const std::string& name) {
        const wchar_t* old = ::_wgetenv(wide(name).c_str());
        return old != nullptr ? std::optional<std::string>(utf8Text(old)) : std::nullopt;
    }
    // An empty value removes the variable on Windows.
    static void apply(const std::string& name, const std::optional<std::string>& value) {
        ::_wputenv_s(wide(name).c_str(), value ? wide(*value).c_str() : L"");
    }
    static std::wstring wide(const std::string& utf8) {
        return widePath(utf8).value();
    }
#else
    static std::optional<std::string> current(const std::string& name) {
        const char* old = std::getenv(name.c_str());
        return old != nullptr ? std::optional<std::string>(old) : std::nullopt;
    }
    static void apply(const std::string& name, const std::optional<std::string>& value) {
        if (value)
            ::setenv(name.c_str(), value->c_str(), 1);
        else
            ::unsetenv(name.c_str());
    }
#endif
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

}  // namespace selvora::testing
