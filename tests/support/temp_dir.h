// A fresh temporary directory that is also the current directory (doppler.ini
// lives there), restored and removed afterwards.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include "common/atomic_file.h"

namespace selvora::testing {

class TempWorkingDir {
  public:
    TempWorkingDir() : previous_(std::filesystem::current_path()) {
        const auto temp = std::filesystem::temp_directory_path();
        do
            path_ = temp / ("selvora-" + randomNameSuffix());
        while (!std::filesystem::create_directory(path_));
        std::filesystem::current_path(path_);
    }
    ~TempWorkingDir() {
        std::filesystem::current_path(previous_);
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempWorkingDir(const TempWorkingDir&) = delete;
    TempWorkingDir& operator=(const TempWorkingDir&) = delete;

    const std::filesystem::path& path() const { return path_; }

    std::string write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path_ / name, std::ios::binary) << bytes;
        return (path_ / name).string();
    }
    std::string read(const std::string& name) const {
        std::ifstream in(path_ / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

  private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};

}  // namespace selvora::testing
