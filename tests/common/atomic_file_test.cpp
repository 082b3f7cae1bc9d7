#include "common/atomic_file.h"

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>
#endif

#include "support/temp_dir.h"

namespace selvora {
namespace {

namespace fs = std::filesystem;
using testing::TempWorkingDir;

// Hands out the given suffixes in turn, then fresh random ones.
class Suffixes {
  public:
    explicit Suffixes(std::vector<std::string> planned) : planned_(std::move(planned)) {}
    std::string operator()() {
        return next_ < planned_.size() ? planned_[next_++] : randomNameSuffix();
    }

  private:
    std::vector<std::string> planned_;
    std::size_t next_ = 0;
};

std::set<std::string> namesIn(const fs::path& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.insert(entry.path().filename().string());
    return names;
}

TEST(RandomNameSuffix, IsSixteenHexDigitsNeverTheSameTwice) {
    std::set<std::string> seen;
    for (int i = 0; i < 1000; ++i) {
        const std::string suffix = randomNameSuffix();
        ASSERT_EQ(suffix.size(), 16u);
        ASSERT_EQ(suffix.find_first_not_of("0123456789abcdef"), std::string::npos) << suffix;
        seen.insert(suffix);
    }
    EXPECT_EQ(seen.size(), 1000u);
}

// Whatever sits under a name the save picks is left alone and the next name is tried.
TEST(ReplaceFile, SkipsNamesThatAreTaken) {
    const TempWorkingDir dir;
    dir.write("doppler.ini", "old\r\n");
    dir.write("doppler.ini.taken1.tmp", "someone else's");
    fs::create_directory(dir.path() / "doppler.ini.taken2.tmp");

    Suffixes suffixes({"taken1", "taken2", "free"});
    EXPECT_EQ(replaceFile("doppler.ini", "new\r\n", std::ref(suffixes)), std::nullopt);
    EXPECT_EQ(dir.read("doppler.ini"), "new\r\n");
    EXPECT_EQ(dir.read("doppler.ini.taken1.tmp"), "someone else's");
    EXPECT_EQ(namesIn(dir.path()), (std::set<std::string>{"doppler.ini", "doppler.ini.taken1.tmp",
                                                          "doppler.ini.taken2.tmp"}));
}

TEST(ReplaceFile, GivesUpWhenEveryNameIsTakenAndKeepsTheOldFile) {
    const TempWorkingDir dir;
    dir.write("doppler.ini", "old\r\n");
    dir.write("doppler.ini.taken.tmp", "");
    const auto failure = replaceFile("doppler.ini", "new\r\n", [] { return "taken"; });
    ASSERT_TRUE(failure);
    EXPECT_EQ(*failure, "every new file name tried was taken");
    EXPECT_EQ(dir.read("doppler.ini"), "old\r\n");
    EXPECT_EQ(namesIn(dir.path()), (std::set<std::string>{"doppler.ini", "doppler.ini.taken.tmp"}));
}

// A link planted under the name the save writes first (as a shared folder allows) is
// not followed: neither the file it points to nor a new file there is written.
TEST(ReplaceFile, NeverWritesThroughAPlantedLink) {
    const TempWorkingDir dir;
    dir.write("doppler.ini", "old\r\n");
    dir.write("victim.txt", "precious");
    std::error_code unsupported;
    fs::create_symlink(dir.path() / "victim.txt", dir.path() / "doppler.ini.link1.tmp",
                       unsupported);
    if (unsupported) GTEST_SKIP() << "no symbolic links here: " << unsupported.message();
    fs::create_symlink(dir.path() / "nowhere.txt", dir.path() / "doppler.ini.link2.tmp");

    Suffixes suffixes({"link1", "link2"});
    EXPECT_EQ(replaceFile("doppler.ini", "new\r\n", std::ref(suffixes)), std::nullopt);
    EXPECT_EQ(dir.read("doppler.ini"), "new\r\n");
    EXPECT_EQ(dir.read("victim.txt"), "precious");
    EXPECT_FALSE(fs::exists(dir.path() / "nowhere.txt"));
    EXPECT_TRUE(fs::is_symlink(dir.path() / "doppler.ini.link1.tmp"));
    EXPECT_EQ(namesIn(dir.path()).size(), 4u);
}

// UTF-8 inside, whatever the system's own encoding of names.
TEST(ReplaceFile, TakesAUtf8Name) {
    const TempWorkingDir dir;
    const std::string name = "d\xC3\xA9j\xC3\xA0.ini";
    EXPECT_EQ(replaceFile(name, "x"), std::nullopt);
    std::ifstream in(dir.path() / fs::path(std::u8string(u8"d\u00e9j\u00e0.ini")),
                     std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "x");
}

#ifndef _WIN32
// A write that fails halfway (here a file size limit, which binds root too) leaves the
// old file whole and no new file behind.
TEST(ReplaceFile, AFailedWriteKeepsTheOldFile) {
    const TempWorkingDir dir;
    dir.write("doppler.ini", "old\r\n");
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tiny = saved;
    tiny.rlim_cur = 2;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tiny), 0);
    const auto failure = replaceFile("doppler.ini", "new and longer\r\n");
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    ASSERT_TRUE(failure);
    EXPECT_EQ(*failure, "File too large");
    EXPECT_EQ(dir.read("doppler.ini"), "old\r\n");
    EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{"doppler.ini"});
}
#endif

}  // namespace
}  // namespace selvora
