#include "app/app_core.h"

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "app/saved_path.h"
#include "support/fakes.h"
#include "support/scoped_environment.h"
#include "support/scoped_home.h"
#include "support/temp_dir.h"
#include "tracking/tracking_poll.h"

// Last: <windows.h> defines macros that clash with the names above.
#include "support/platform.h"

namespace selvora {
namespace {

using testing::CallLog;
using testing::FakeClock;
using testing::FakeMessages;
using testing::FakeZone;
using testing::Message;
using testing::ScopedEnvironment;
using testing::shownPath;
using testing::TempWorkingDir;
using testing::useAsHome;
using testing::wsjtxDataFolderOf;

constexpr LocalDateTime kMorning{2026, 12, 7, 9, 19, 32};

class AppCoreTest : public ::testing::Test {
  protected:
    // The home folder is the test's own directory, without WSJT-X in it.
    void SetUp() override { useAsHome(environment, dir.path()); }
    std::string text(FieldId id) { return core.fields().text(id); }
    std::string defaultPath() const {
        return shownPath(wsjtxDataFolderOf(dir.path()) / "WSJT-X" / "azel.dat");
    }

    TempWorkingDir dir;
    ScopedEnvironment environment;
    CallLog log;
    FakeClock clock{kMorning, &log};
    FakeZone zone{&log};
    FakeMessages messages;
    AppCore core{clock, zone, messages};
};

TEST_F(AppCoreTest, LoadsTheFirstLineOfDopplerIni) {
    const struct {
        const char* content;
        const char* path;
    } cases[] = {
        {"d:\\wsjt\\azel.dat\r\njunk\r\n", "d:\\wsjt\\azel.dat"},
        {"\r\n", ""},
        {"/home/op/.local/share/WSJT-X/azel.dat", "/home/op/.local/share/WSJT-X/azel.dat"},
        {"/home/op/azel.dat\nsecond line", "/home/op/azel.dat"},
    };
    for (const auto& c : cases) {
        dir.write(kSettingsFile, c.content);
        AppCore fresh{clock, zone, messages};
        fresh.chooseSkedForThisRun("144.1");
        fresh.start();
        EXPECT_EQ(fresh.tracking().azelPath, c.path);
        EXPECT_EQ(fresh.fields().text(field("azel_path")), c.path);
        EXPECT_EQ(fresh.tracking().skedFrequencyMHz, 0.0);
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(AppCoreTest, StartsWithTheDefaultPathWithoutDopplerIni) {
    std::filesystem::create_directory(dir.path() / kSettingsFile);  // a directory counts as missing
    core.start();
    EXPECT_EQ(core.tracking().azelPath, "");
    EXPECT_EQ(text(field("azel_path")), defaultPath());
    EXPECT_TRUE(messages.shown.empty());
}

// "~/" is the home folder when the path is tested and read, and stays as typed in the
// box and in doppler.ini.
TEST_F(AppCoreTest, TildeMeansTheHomeFolderOnlyWhereThePathIsUsed) {
    useAsHome(environment, dir.path() / "op");
    std::filesystem::create_directories(dir.path() / "op/wsjt");
    dir.write("op/wsjt/azel.dat",
              "09:19:31,123.4, 45.6,Moon\n09:19:31,200.1, 12.0,Sun\n09:19:31,  0.0,  0.0,Source\n"
              " 1296,   124.3,   -1.25,   258.7,   -2.50,Doppler, R\n");
    const struct {
        std::string typed;
        bool found;
    } cases[] = {
        {"~/wsjt/azel.dat", true},
        {"~wsjt/azel.dat", false},                           // only "~/" is the home folder
        {(dir.path() / "op/wsjt/azel.dat").string(), true},  // a full path as before
        {" ~/wsjt/azel.dat", false},                         // not at the start
    };
    for (const auto& c : cases) {
        AppCore fresh{clock, zone, messages};
        fresh.fields().setText(field("azel_path"), c.typed);
        fresh.tick();
        EXPECT_EQ(fresh.fields().visible(field("path_warning")), !c.found) << c.typed;
        EXPECT_EQ(fresh.fields().text(field("wsjt_band")), c.found ? "1296" : "") << c.typed;
        EXPECT_EQ(fresh.fields().text(field("azel_path")), c.typed);
        EXPECT_EQ(fresh.tracking().azelPath, c.typed);
        fresh.savePathClicked();
        EXPECT_EQ(dir.read(kSettingsFile), c.typed + "\r\n");
    }
}

TEST_F(AppCoreTest, TellsOnceWhenDopplerIniIsEmpty) {
    dir.write(kSettingsFile, "");
    core.start();
    EXPECT_EQ(text(field("azel_path")), defaultPath());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find("doppler.ini: the file is empty"), std::string::npos);
    EXPECT_FALSE(messages.shown[0].ends);
}

// Only a path that Save Path can store so that the next start loads it again is loaded:
// at the 64 KiB read limit, a first line of 65535 bytes is a path, one of 65536 is not,
// with its line end or without.
TEST_F(AppCoreTest, LoadsOnlyAPathThatLoadsAgainOnceSaved) {
    const std::string longest = "/" + std::string(64 * 1024 - 2, 'x');
    const struct {
        std::string content;
        bool loads;
    } cases[] = {
        {longest, true},
        {longest + "\r\n", true},
        {longest + "x", false},
        {longest + "x\r\n", false},
    };
    for (const auto& c : cases) {
        dir.write(kSettingsFile, c.content);
        FakeMessages told;
        AppCore first{clock, zone, told};
        first.start();
        if (!c.loads) {
            ASSERT_EQ(told.shown.size(), 1u) << c.content.size();
            EXPECT_NE(told.shown[0].text.find("too long to be a path"), std::string::npos);
            EXPECT_EQ(first.fields().text(field("azel_path")), defaultPath());
            continue;
        }
        EXPECT_EQ(first.fields().text(field("azel_path")), longest);
        first.savePathClicked();
        AppCore again{clock, zone, told};
        again.start();
        EXPECT_EQ(again.fields().text(field("azel_path")), longest) << c.content.size();
        EXPECT_TRUE(told.shown.empty()) << c.content.size();
    }
}

TEST_F(AppCoreTest, TellsOnceWhenDopplerIniCannotBeOpened) {
    if (testing::runsAsRoot()) GTEST_SKIP() << "root opens files without read permission";
    dir.write(kSettingsFile, "d:/wsjt/azel.dat\r\n");
    const testing::UnreadableWhileAlive unreadable(dir.path() / kSettingsFile);
    core.start();
    EXPECT_EQ(text(field("azel_path")), defaultPath());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find(std::string("doppler.ini: ") + testing::unreadableText()),
              std::string::npos)
        << messages.shown[0].text;
}

TEST_F(AppCoreTest, SavePathWritesTheTextAndCrLfInPlaceOfTheOldFile) {
    dir.write(kSettingsFile, "old content that is longer\r\nand a second line\r\n");
    core.fields().setText(field("azel_path"), "e:/x/azel.dat");
    core.savePathClicked();
    EXPECT_EQ(dir.read(kSettingsFile), "e:/x/azel.dat\r\n");

    core.fields().setText(field("azel_path"), "");
    core.savePathClicked();
    EXPECT_EQ(dir.read(kSettingsFile), "\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}),
              1);  // no leftovers
    EXPECT_TRUE(messages.shown.empty());
}

// The new file cannot take the place of doppler.ini when that is a folder: the folder
// and what it holds stay, the new file goes again, and the message says why.
TEST_F(AppCoreTest, AFailedSaveKeepsWhatWasThereAndSaysWhy) {
    std::filesystem::create_directory(dir.path() / kSettingsFile);
    dir.write(std::string(kSettingsFile) + "/kept.txt", "kept");
    core.fields().setText(field("azel_path"), "e:/x/azel.dat");
    core.savePathClicked();
    EXPECT_EQ(dir.read(std::string(kSettingsFile) + "/kept.txt"), "kept");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find("could not be saved in doppler.ini: " +
                                          testing::replacingAFolderText()),
              std::string::npos)
        << messages.shown[0].text;
}

TEST_F(AppCoreTest, AFailedSaveInAReadOnlyDirectorySaysWhy) {
    dir.write(kSettingsFile, "d:/kept/azel.dat\r\n");
    std::filesystem::permissions(
        dir.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    // Root writes into read-only directories; Windows keeps a folder's read-only mark for
    // Explorer and writes into it all the same (and Wine, running as root, cannot refuse).
    const std::filesystem::path probe = dir.path() / "probe";
    std::error_code refused;
    if (std::filesystem::create_directory(probe, refused)) {
        std::filesystem::remove(probe);
        std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_all);
        GTEST_SKIP() << "this system writes into a folder marked read-only";
    }
    core.savePathClicked();
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_all);
    EXPECT_EQ(dir.read(kSettingsFile), "d:/kept/azel.dat\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find(testing::accessDeniedText()), std::string::npos)
        << messages.shown[0].text;
}

TEST_F(AppCoreTest, AFailedSaveInAVanishedDirectorySaysWhy) {
    std::error_code inUse;
    std::filesystem::remove_all(dir.path(), inUse);
    if (inUse) GTEST_SKIP() << "this system keeps the current folder while it is in use";
    core.savePathClicked();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find(testing::noSuchPathText()), std::string::npos)
        << messages.shown[0].text;
}

TEST_F(AppCoreTest, EnterCommitsTheLeadingNumberOfTheSkedBox) {
    const struct {
        const char* typed;
        double sked;
    } cases[] = {{"432.065", 432.065},    {"abc", 0},   {"", 0},
                 {" 1296.1 MHz", 1296.1}, {"1,296", 1}, {"-5", -5}};
    for (const auto& c : cases) {
        core.chooseSkedForThisRun("99");
        core.fields().acceptTyping(field("sked_frequency"), c.typed);
        char16_t key = 13;
        core.skedKeyPressed(key);
        EXPECT_EQ(key, 0) << c.typed;
        EXPECT_EQ(core.tracking().skedFrequencyMHz, c.sked) << c.typed;
        EXPECT_EQ(text(field("sked_frequency")), c.typed);  // not reformatted
    }
}

TEST_F(AppCoreTest, OtherKeysChangeNothing) {
    core.fields().acceptTyping(field("sked_frequency"), "432.065");
    for (char16_t typed : {u'1', u'.', u'\n', u'\t', u'a', char16_t{8}}) {
        char16_t key = typed;
        core.skedKeyPressed(key);
        EXPECT_EQ(key, typed);
        EXPECT_EQ(core.tracking().skedFrequencyMHz, 0.0);
    }
}

TEST_F(AppCoreTest, TicksPollThenUtcClockThenMoonAge) {
    core.fields().setText(field("azel_path"), (dir.path() / "missing" / "azel.dat").string());
    core.tick();
    // The poll reads the local clock first (local_time); the UTC clock asks the
    // zone, then the clock; the moon age reads the clock last.
    const CallLog expected = {"clock", "zone", "clock", "clock"};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(text(field("local_time")), "9:19");
    EXPECT_EQ(text(field("utc_time")), "Monday Dec 07, 2026 09:19:32");
    EXPECT_EQ(text(field("days_after_new")), "~27.9 days past new moon");
    EXPECT_TRUE(core.fields().visible(field("path_warning")));
    EXPECT_EQ(text(field("tx_no_doppler")), "0 Hz");  // the plan runs without a file
}

TEST_F(AppCoreTest, TheMap65FormEndsTheProgramBeforeTheClocks) {
    const std::string path =
        dir.write("azel.dat", "12:34:56,123.4,45.6,Moon\r\nx\r\nx\r\n144,-51,138\r\n");
    core.fields().setText(field("azel_path"), path);
    core.tick();
    const std::vector<Message> expected = {
        {std::string(kMap65Title), std::string(kMap65Message), true}};
    EXPECT_EQ(messages.shown, expected);
    EXPECT_TRUE(core.ended());
    EXPECT_EQ(text(field("moon_azimuth")), "123");  // the tracking line was shown first
    EXPECT_EQ(text(field("utc_time")), "");         // the UTC clock never ran
    EXPECT_EQ(text(field("tx_no_doppler")), "");

    core.tick();  // nothing runs once the program has ended
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(text(field("utc_time")), "");
}

}  // namespace
}  // namespace selvora
