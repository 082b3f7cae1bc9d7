// The Windows file seam: what the path test refuses, and that a read never locks the
// tracking program out of its own file.
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "common/files.h"
#include "support/temp_dir.h"

#include <windows.h>

namespace selvora {
namespace {

namespace fs = std::filesystem;
using testing::TempWorkingDir;

std::string written(const TempWorkingDir& dir, const std::string& name, DWORD attributes = 0) {
    const std::string path = dir.write(name, "x");
    if (attributes != 0) SetFileAttributesW(fs::path(path).c_str(), attributes);
    return path;
}

TEST(WindowsFiles, ThePathTestRefusesDevicesFoldersAndHiddenFiles) {
    const TempWorkingDir dir;
    fs::create_directory(dir.path() / "folder.dat");
    const struct {
        std::string path;
        bool ordinary;
    } cases[] = {
        {written(dir, "azel.dat"), true},
        {written(dir, "readonly.dat", FILE_ATTRIBUTE_READONLY), true},
        {written(dir, "hidden.dat", FILE_ATTRIBUTE_HIDDEN), false},
        {written(dir, "system.dat", FILE_ATTRIBUTE_SYSTEM), false},
        {(dir.path() / "folder.dat").string(), false},
        {(dir.path() / "missing.dat").string(), false},
        {written(dir, "azel.dat") + "\\", false},
        {"NUL", false},
        {"nul.dat", false},
        {(dir.path() / "CON").string(), false},
        {(dir.path() / "com1.azel.dat").string(), false},
        {"LPT9", false},
        {"CONOUT$", false},
        {"\\\\.\\NUL", false},
        {"//./pipe/azel", false},
        {"\\\\?\\" + written(dir, "long.dat"), false},
        {"\xC3\xA9", false},     // UTF-8 for a name that is not there
        {"bad\xFF.dat", false},  // not UTF-8
    };
    for (const auto& c : cases)
        EXPECT_EQ(isOrdinaryFile(c.path), c.ordinary) << c.path;
}

TEST(WindowsFiles, ReadsUtf8NamedFiles) {
    const TempWorkingDir dir;
    std::ofstream(dir.path() / fs::path(std::u8string(u8"\u00e9\u00e9.dat")), std::ios::binary)
        << "moon";
    const std::string path = (dir.path() / "").string() + "\xC3\xA9\xC3\xA9.dat";
    EXPECT_TRUE(isOrdinaryFile(path));
    EXPECT_EQ(ReadOnlyFile(path).prefix(10).bytes, "moon");
}

TEST(WindowsFiles, ReadsOnlyFilesOnADisk) {
    EXPECT_EQ(ReadOnlyFile("\\\\.\\NUL").prefix(10).error, "it is not a file on a disk");
    EXPECT_FALSE(ReadOnlyFile("bad\xFF.dat").prefix(10).error.empty());
}

// While Selvora holds azel.dat open, WSJT-X (through Qt, which shares read and write)
// can still open it to write, empty it, and delete it.
TEST(WindowsFiles, AnOpenReadLocksNobodyOut) {
    const TempWorkingDir dir;
    const std::string path = written(dir, "azel.dat");
    const ReadOnlyFile reading(path);
    const fs::path wide(path);
    HANDLE writer = CreateFileW(wide.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(writer, INVALID_HANDLE_VALUE) << GetLastError();
    CloseHandle(writer);
    EXPECT_TRUE(reading.prefix(10).error.empty());
    EXPECT_TRUE(DeleteFileW(wide.c_str())) << GetLastError();
}

}  // namespace
}  // namespace selvora
