#include "common/files.h"

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "support/platform.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif
#include <unistd.h>

namespace selvora {
namespace {

namespace fs = std::filesystem;

class FilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("selvora-files-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string write(const std::string& name, const std::string& bytes) {
        const fs::path path = dir_ / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }

    fs::path dir_;
};

TEST_F(FilesTest, OnlyVisibleRegularFilesAreOrdinary) {
    const std::string file = write("azel.dat", "x");
    const std::string hidden = write(".azel.dat", "x");
    testing::markHidden(hidden);
    fs::create_directory(dir_ / "dir.dat");
    EXPECT_TRUE(isOrdinaryFile(file));
    EXPECT_FALSE(isOrdinaryFile(hidden));
    EXPECT_FALSE(isOrdinaryFile((dir_ / "dir.dat").string()));
    EXPECT_FALSE(isOrdinaryFile((dir_ / "missing.dat").string()));
    EXPECT_FALSE(isOrdinaryFile(file + std::string(1, '\0')));
    EXPECT_FALSE(isOrdinaryFile(""));
    EXPECT_FALSE(isOrdinaryFile(file + "/"));
}

TEST_F(FilesTest, ReadsAtMostTheLimit) {
    const std::string path = write("big.dat", std::string(100, 'x'));
    const FilePrefix whole = ReadOnlyFile(path).prefix(100);
    EXPECT_TRUE(whole.error.empty());
    EXPECT_TRUE(whole.wholeFile);
    EXPECT_EQ(whole.bytes.size(), 100u);

    const FilePrefix part = ReadOnlyFile(path).prefix(99);
    EXPECT_FALSE(part.wholeFile);
    EXPECT_EQ(part.bytes, std::string(99, 'x'));

    const FilePrefix empty = ReadOnlyFile(write("empty.dat", "")).prefix(10);
    EXPECT_TRUE(empty.error.empty());
    EXPECT_TRUE(empty.wholeFile);
    EXPECT_EQ(empty.bytes, "");
}

TEST_F(FilesTest, ReportsWhyAFileCannotBeRead) {
    EXPECT_FALSE(ReadOnlyFile((dir_ / "missing.dat").string()).prefix(10).error.empty());
    EXPECT_FALSE(ReadOnlyFile(dir_.string()).prefix(10).error.empty());  // a directory
#ifndef _WIN32
    const fs::path pipe = dir_ / "azel.dat";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(ReadOnlyFile(pipe.string()).prefix(10).error, "Illegal seek");  // and no hang
#endif
}

}  // namespace
}  // namespace selvora
