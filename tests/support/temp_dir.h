// Fresh temporary directories for tests that touch real files, removed afterwards.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include "common/atomic_file.h"

namespace selvora::testing {

class TempDir {
  public:
    TempDir() {
        const auto temp = std::filesystem::temp_directory_path();
        do
            path_ = temp / ("selvora-" + randomNameSuffix());
        while (!std::filesystem::create_directory(path_));
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

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
    std::filesystem::path path_;
};

// A TempDir that is also the current directory (doppler.ini lives there) until
// it is removed.
class TempWorkingDir : public TempDir {
  public:
    TempWorkingDir() : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(path());
    }
    ~TempWorkingDir() { std::filesystem::current_path(previous_); }

  private:
    std::filesystem::path previous_;
};

}  // namespace selvora::testing
