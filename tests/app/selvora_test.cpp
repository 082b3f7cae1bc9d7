#include "app/selvora.h"

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "app/doppler_ini.h"
#include "support/fakes.h"
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
using testing::TempWorkingDir;

constexpr LocalDateTime kMorning{2026, 12, 7, 9, 19, 32};
const std::string kDefaultPath = "c:/users/user/AppData/Local/WSJT-X/azel.dat";

class SelvoraTest : public ::testing::Test {
  protected:
    std::string text(FieldId id) { return selvora.fields().text(id); }

    TempWorkingDir dir;
    CallLog log;
    FakeClock clock{kMorning, &log};
    FakeZone zone{&log};
    FakeMessages messages;
    Selvora selvora{clock, zone, messages};
};

TEST_F(SelvoraTest, LoadsTheFirstLineOfDopplerIni) {
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
        Selvora fresh{clock, zone, messages};
        fresh.state().skedFrequency = 144.1;
        fresh.Form_Load();
        EXPECT_EQ(fresh.state().azelPath, c.path);
        EXPECT_EQ(fresh.fields().text(field("Text2")), c.path);
        EXPECT_EQ(fresh.state().skedFrequency, 0.0);
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SelvoraTest, StartsWithTheDefaultPathWithoutDopplerIni) {
    std::filesystem::create_directory(dir.path() / kSettingsFile);  // a directory counts as missing
    selvora.Form_Load();
    EXPECT_EQ(selvora.state().azelPath, "");
    EXPECT_EQ(text(field("Text2")), kDefaultPath);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SelvoraTest, TellsOnceWhenDopplerIniIsEmpty) {
    dir.write(kSettingsFile, "");
    selvora.Form_Load();
    EXPECT_EQ(text(field("Text2")), kDefaultPath);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find("doppler.ini: the file is empty"), std::string::npos);
    EXPECT_FALSE(messages.shown[0].ends);
}

// Only a path that Save Path can store so that the next start loads it again is loaded:
// at the 64 KiB read limit, a first line of 65535 bytes is a path, one of 65536 is not,
// with its line end or without.
TEST_F(SelvoraTest, LoadsOnlyAPathThatLoadsAgainOnceSaved) {
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
        Selvora first{clock, zone, told};
        first.Form_Load();
        if (!c.loads) {
            ASSERT_EQ(told.shown.size(), 1u) << c.content.size();
            EXPECT_NE(told.shown[0].text.find("too long to be a path"), std::string::npos);
            EXPECT_EQ(first.fields().text(field("Text2")), kDefaultPath);
            continue;
        }
        EXPECT_EQ(first.fields().text(field("Text2")), longest);
        first.Command1_Click();
        Selvora again{clock, zone, told};
        again.Form_Load();
        EXPECT_EQ(again.fields().text(field("Text2")), longest) << c.content.size();
        EXPECT_TRUE(told.shown.empty()) << c.content.size();
    }
}

TEST_F(SelvoraTest, TellsOnceWhenDopplerIniCannotBeOpened) {
    if (testing::runsAsRoot()) GTEST_SKIP() << "root opens files without read permission";
    dir.write(kSettingsFile, "d:/wsjt/azel.dat\r\n");
    const testing::UnreadableWhileAlive unreadable(dir.path() / kSettingsFile);
    selvora.Form_Load();
    EXPECT_EQ(text(field("Text2")), kDefaultPath);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find(std::string("doppler.ini: ") + testing::unreadableText()),
              std::string::npos)
        << messages.shown[0].text;
}

TEST_F(SelvoraTest, SavePathWritesTheTextAndCrLfInPlaceOfTheOldFile) {
    dir.write(kSettingsFile, "old content that is longer\r\nand a second line\r\n");
    selvora.fields().setText(field("Text2"), "e:/x/azel.dat");
    selvora.Command1_Click();
    EXPECT_EQ(dir.read(kSettingsFile), "e:/x/azel.dat\r\n");

    selvora.fields().setText(field("Text2"), "");
    selvora.Command1_Click();
    EXPECT_EQ(dir.read(kSettingsFile), "\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}),
              1);  // no leftovers
    EXPECT_TRUE(messages.shown.empty());
}

// The new file cannot take the place of doppler.ini when that is a folder: the folder
// and what it holds stay, the new file goes again, and the message says why.
TEST_F(SelvoraTest, AFailedSaveKeepsWhatWasThereAndSaysWhy) {
    std::filesystem::create_directory(dir.path() / kSettingsFile);
    dir.write(std::string(kSettingsFile) + "/kept.txt", "kept");
    selvora.fields().setText(field("Text2"), "e:/x/azel.dat");
    selvora.Command1_Click();
    EXPECT_EQ(dir.read(std::string(kSettingsFile) + "/kept.txt"), "kept");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find("could not be saved in doppler.ini: " +
                                          testing::replacingAFolderText()),
              std::string::npos)
        << messages.shown[0].text;
}

TEST_F(SelvoraTest, AFailedSaveInAReadOnlyDirectorySaysWhy) {
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
    selvora.Command1_Click();
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_all);
    EXPECT_EQ(dir.read(kSettingsFile), "d:/kept/azel.dat\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find(testing::accessDeniedText()), std::string::npos)
        << messages.shown[0].text;
}

TEST_F(SelvoraTest, AFailedSaveInAVanishedDirectorySaysWhy) {
    std::error_code inUse;
    std::filesystem::remove_all(dir.path(), inUse);
    if (inUse) GTEST_SKIP() << "this system keeps the current folder while it is in use";
    selvora.Command1_Click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find(testing::noSuchPathText()), std::string::npos)
        << messages.shown[0].text;
}

TEST_F(SelvoraTest, EnterCommitsTheLeadingNumberOfTheSkedBox) {
    const struct {
        const char* typed;
        double sked;
    } cases[] = {{"432.065", 432.065},    {"abc", 0},   {"", 0},
                 {" 1296.1 MHz", 1296.1}, {"1,296", 1}, {"-5", -5}};
    for (const auto& c : cases) {
        selvora.state().skedFrequency = 99;
        selvora.fields().acceptTyping(field("sked_frequency"), c.typed);
        char16_t key = 13;
        selvora.sked_frequency_KeyPress(key);
        EXPECT_EQ(key, 0) << c.typed;
        EXPECT_EQ(selvora.state().skedFrequency, c.sked) << c.typed;
        EXPECT_EQ(text(field("sked_frequency")), c.typed);  // not reformatted
    }
}

TEST_F(SelvoraTest, OtherKeysChangeNothing) {
    selvora.fields().acceptTyping(field("sked_frequency"), "432.065");
    for (char16_t typed : {u'1', u'.', u'\n', u'\t', u'a', char16_t{8}}) {
        char16_t key = typed;
        selvora.sked_frequency_KeyPress(key);
        EXPECT_EQ(key, typed);
        EXPECT_EQ(selvora.state().skedFrequency, 0.0);
    }
}

TEST_F(SelvoraTest, TicksPollThenUtcClockThenMoonAge) {
    selvora.fields().setText(field("Text2"), (dir.path() / "missing" / "azel.dat").string());
    selvora.Timer1_Timer();
    // The poll reads the local clock first (local_time); the UTC clock asks the
    // zone, then the clock; the moon age reads the clock last.
    const CallLog expected = {"clock", "zone", "clock", "clock"};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(text(field("local_time")), "9:19");
    EXPECT_EQ(text(field("Text4")), "Monday Dec 07, 2026 09:19:32");
    EXPECT_EQ(text(field("days_after_new")), "~27.9 days past new moon");
    EXPECT_TRUE(selvora.fields().visible(field("path_warning")));
    EXPECT_EQ(text(field("tx_no_doppler")), "0 Hz");  // the plan runs without a file
}

TEST_F(SelvoraTest, TheMap65FormEndsTheProgramBeforeTheClocks) {
    const std::string path =
        dir.write("azel.dat", "12:34:56,123.4,45.6,Moon\r\nx\r\nx\r\n144,-51,138\r\n");
    selvora.fields().setText(field("Text2"), path);
    selvora.Timer1_Timer();
    const std::vector<Message> expected = {
        {std::string(kMap65Title), std::string(kMap65Message), true}};
    EXPECT_EQ(messages.shown, expected);
    EXPECT_TRUE(selvora.ended());
    EXPECT_EQ(text(field("bearing")), "123");  // the tracking line was shown first
    EXPECT_EQ(text(field("Text4")), "");       // the UTC clock never ran
    EXPECT_EQ(text(field("tx_no_doppler")), "");

    selvora.Timer1_Timer();  // nothing runs once the program has ended
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(text(field("Text4")), "");
}

}  // namespace
}  // namespace selvora
