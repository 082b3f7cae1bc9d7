#include "app/wsjtx_settings.h"

#include <chrono>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace selvora {
namespace {

namespace fs = std::filesystem;

TEST(WsjtxSettings, ReadsBothLocatorsAsQtWritesThem) {
    const struct {
        const char* ini;
        const char* myGrid;
        const char* dxGrid;
    } cases[] = {
        {"[Configuration]\nMyCall=PA3XYZ\nMyGrid=JO22nb\n[MainWindow]\nDXcall=W5AB\nDXgrid=EM12"
         "\n",
         "JO22nb", "EM12"},
        // Windows line ends, a byte-order mark, blanks, another case, a quoted value.
        {"\xEF\xBB\xBF[configuration]\r\n myGrid = JO22 \r\n[MainWindow]\r\nDXgrid=\"FN31pr\"\r\n",
         "JO22", "FN31pr"},
        // The same key in another section is not it; the last section holds nothing.
        {"[MainWindow]\nMyGrid=AA00\n[Configuration]\nDXgrid=BB11\n[Other]\n", "", ""},
        {"MyGrid=JO22\n", "", ""},  // before any section
        {"[Configuration]\nMyGrid=\n[MainWindow]\nDXgrid=KP20\n", "", "KP20"},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        const WsjtxStations stations = wsjtxStations(c.ini);
        EXPECT_EQ(stations.myGrid, c.myGrid) << c.ini;
        EXPECT_EQ(stations.dxGrid, c.dxGrid) << c.ini;
    }
}

// Each WSJT-X instance (--rig-name) keeps its own file; the one written last is used.
TEST(WsjtxSettings, ReadsTheSettingsFileWrittenMostRecently) {
    // Linux's settings folder is a path from "/", which no folder on Windows is.
    if (kThisPlatform == Platform::Linux) {
        const testing::TempDir config;
        const auto write = [&](const std::string& name, const std::string& grid, int ageHours) {
            const fs::path file = config.path() / name;
            std::ofstream(file) << "[Configuration]\nMyGrid=" << grid << "\n";
            fs::last_write_time(file,
                                fs::file_time_type::clock::now() - std::chrono::hours(ageHours));
        };
        const AzelEnvironment environment{.home = "/nowhere",
                                          .xdgConfigHome = config.path().string()};
        EXPECT_EQ(wsjtxStationsOnThisComputer(environment, Platform::Linux).myGrid, "");
        write("WSJT-X.ini", "JO22", 48);
        write("WSJT-X - IC9700.ini", "JO33", 2);
        write("WSJT-Xtra.ini", "JO44", 0);        // not an instance's name
        write("WSJT-X - FT847.conf", "JO55", 0);  // not a settings file
        EXPECT_EQ(wsjtxStationsOnThisComputer(environment, Platform::Linux).myGrid, "JO33");
        write("WSJT-X.ini", "JO66", 1);
        EXPECT_EQ(wsjtxStationsOnThisComputer(environment, Platform::Linux).myGrid, "JO66");
    }

    // On Windows each instance's file is in its own folder: %LOCALAPPDATA%\WSJT-X\WSJT-X.ini.
    const testing::TempDir local;
    const AzelEnvironment windows{.localAppData = local.path().string()};
    fs::create_directories(local.path() / "WSJT-X");
    fs::create_directories(local.path() / "WSJT-X - IC9700");
    std::ofstream(local.path() / "WSJT-X" / "WSJT-X.ini") << "[Configuration]\nMyGrid=KP20\n";
    std::ofstream(local.path() / "WSJT-X - IC9700" / "WSJT-X.ini") << "not this instance's";
    EXPECT_EQ(wsjtxStationsOnThisComputer(windows, Platform::Windows).myGrid, "KP20");

    EXPECT_EQ(wsjtxConfigFolder({.home = "/home/op/"}, Platform::Linux), "/home/op/.config");
    EXPECT_EQ(wsjtxConfigFolder({.home = "/home/op", .xdgConfigHome = "rel"}, Platform::Linux),
              "/home/op/.config");
    EXPECT_EQ(
        wsjtxConfigFolder({.localAppData = "C:\\Users\\Ann\\AppData\\Local"}, Platform::Windows),
        "C:/Users/Ann/AppData/Local");
}

}  // namespace
}  // namespace selvora
