#include "app/default_azel_path.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "app/app_core.h"
#include "app/saved_path.h"
#include "common/home_folder.h"
#include "support/fakes.h"
#include "support/scoped_environment.h"
#include "support/scoped_home.h"
#include "support/temp_dir.h"

namespace selvora {
namespace {

namespace fs = std::filesystem;
using testing::FakeClock;
using testing::FakeMessages;
using testing::FakeZone;
using testing::pathText;
using testing::ScopedEnvironment;
using testing::shownPath;
using testing::TempWorkingDir;
using testing::useAsHome;
using testing::wsjtxDataFolderOf;

TEST(WsjtxDataFolder, FollowsEachPlatformsConvention) {
    const struct {
        AzelEnvironment environment;
        Platform platform;
        const char* folder;
    } cases[] = {
        {{.home = "/home/op"}, Platform::Linux, "/home/op/.local/share"},
        {{.home = "/home/op/"}, Platform::Linux, "/home/op/.local/share"},
        {{.home = "/home/op", .xdgDataHome = "/data/op/"}, Platform::Linux, "/data/op"},
        // A relative XDG_DATA_HOME is not valid and is ignored.
        {{.home = "/home/op", .xdgDataHome = "data"}, Platform::Linux, "/home/op/.local/share"},
        {{.localAppData = "C:\\Users\\Ann\\AppData\\Local", .userProfile = "C:\\Users\\Ann"},
         Platform::Windows,
         "C:/Users/Ann/AppData/Local"},
        {{.userProfile = "C:\\Users\\Ann"}, Platform::Windows, "C:/Users/Ann/AppData/Local"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(wsjtxDataFolder(c.environment, c.platform), c.folder) << c.folder;
}

class DefaultAzelPathTest : public ::testing::Test {
  protected:
    // The test's directory is the operator's home, as this system tells programs.
    DefaultAzelPathTest() { useAsHome(environment, home.path()); }

    // An azel.dat in share/`folder`, written `age` ago.
    void writeAzel(const std::string& folder, std::chrono::seconds age) {
        fs::create_directories(share() / folder);
        const fs::path file = share() / folder / "azel.dat";
        std::ofstream(file) << "12:00:00,1,2,Moon\n";
        fs::last_write_time(file, fs::file_time_type::clock::now() - age);
    }
    fs::path share() const { return wsjtxDataFolderOf(home.path()); }
    std::string found() const { return defaultAzelPath(azelEnvironment(), kThisPlatform); }
    std::string in(const std::string& folder) const {
        return shownPath(share() / folder / "azel.dat");
    }

    TempWorkingDir home;
    ScopedEnvironment environment;
};

TEST_F(DefaultAzelPathTest, PointsWhereWsjtxWillWriteWhenNothingIsThereYet) {
    EXPECT_EQ(found(), in("WSJT-X"));
    fs::create_directories(share() / "WSJT-X - IC9700");              // a folder without azel.dat
    fs::create_directories(share() / "WSJT-X - FT847" / "azel.dat");  // not a file
    writeAzel("WSJT-Xtra", std::chrono::seconds(0));                  // not a WSJT-X folder name
    EXPECT_EQ(found(), in("WSJT-X"));
}

TEST_F(DefaultAzelPathTest, TakesTheAzelDatWrittenMostRecently) {
    writeAzel("WSJT-X - IC9700", std::chrono::hours(48));
    EXPECT_EQ(found(), in("WSJT-X - IC9700"));
    writeAzel("WSJT-X", std::chrono::hours(24));
    writeAzel("WSJT-X - FT847", std::chrono::seconds(5));
    EXPECT_EQ(found(), in("WSJT-X - FT847"));
    writeAzel("WSJT-X - IC9700", std::chrono::seconds(0));
    EXPECT_EQ(found(), in("WSJT-X - IC9700"));
}

// The data folder the environment names is searched, not the one beside the home folder.
TEST_F(DefaultAzelPathTest, LooksInTheDataFolderTheEnvironmentNames) {
    const fs::path data = home.path() / "data";
    fs::create_directories(data / "WSJT-X - 2m");
    std::ofstream(data / "WSJT-X - 2m" / "azel.dat") << "x";
    const AzelEnvironment naming =
        kThisPlatform == Platform::Windows
            ? AzelEnvironment{.localAppData = data.string(), .userProfile = "C:\\nowhere"}
            : AzelEnvironment{.home = "/nowhere", .xdgDataHome = data.string()};
    EXPECT_EQ(defaultAzelPath(naming, kThisPlatform), shownPath(data / "WSJT-X - 2m" / "azel.dat"));
}

// Windows hands the environment over in the user's code page unless asked for UTF-16;
// the box and the file calls take UTF-8, so a name like "Jörg" must arrive as UTF-8.
TEST(DefaultAzelPath, ReadsAHomeWithLettersBeyondAsciiAsUtf8) {
    const testing::TempDir dir;
    ScopedEnvironment environment;
    const fs::path home = dir.path() / fs::path(u8"Jörg Ångström");
    useAsHome(environment, home);
    const fs::path rig = wsjtxDataFolderOf(home) / fs::path(u8"WSJT-X - Jörg's IC-9700");
    fs::create_directories(rig);
    std::ofstream(rig / "azel.dat") << "x";
    EXPECT_EQ(homeFolder(), pathText(home));
    EXPECT_EQ(defaultAzelPath(azelEnvironment(), kThisPlatform), shownPath(rig / "azel.dat"));
}

// Start-up: the box shows the found path unless doppler.ini has one; nothing is saved.
TEST_F(DefaultAzelPathTest, ASavedPathWinsAndTheFoundOneIsNotSaved) {
    writeAzel("WSJT-X - IC9700", std::chrono::seconds(0));
    FakeClock clock{{2026, 12, 7, 9, 19, 32}};
    FakeZone zone;
    FakeMessages messages;

    AppCore first{clock, zone, messages};
    first.start();
    EXPECT_EQ(first.fields().text(field("azel_path")), in("WSJT-X - IC9700"));
    EXPECT_FALSE(fs::exists(home.path() / kSettingsFile));

    home.write(kSettingsFile, "/srv/wsjtx/azel.dat\r\n");
    AppCore second{clock, zone, messages};
    second.start();
    EXPECT_EQ(second.fields().text(field("azel_path")), "/srv/wsjtx/azel.dat");
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace selvora
