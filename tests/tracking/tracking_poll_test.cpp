#include "tracking/tracking_poll.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "support/azel_rewriter.h"
#include "support/fakes.h"
#include "support/platform.h"
#include "support/temp_dir.h"

namespace selvora {
namespace {

namespace fs = std::filesystem;

// Every property of every control but those the user and the poll change on every tick.
std::vector<std::string> snapshot(const Fields& fields) {
    std::vector<std::string> out;
    for (std::uint16_t i = 0; i < kControls.size(); ++i) {
        const FieldId id{i};
        if (id == field("local_time") || id == field("path_warning") || id == field("azel_path"))
            continue;
        out.push_back(fields.text(id) + "|" + fields.toolTip(id) + "|" +
                      std::to_string(fields.visible(id)) + std::to_string(fields.backColour(id)) +
                      "|" + std::to_string(fields.top(id)) + "|" +
                      std::to_string(fields.height(id)));
    }
    return out;
}

// The program's paths are UTF-8; Windows would take a plain string in its ANSI code page.
fs::path utf8Path(std::string_view path) {
    return std::u8string(path.begin(), path.end());
}

std::string azelFile(const std::string& line1, const std::string& line4) {
    return line1 + "\r\n09:19:32,200.1,-10.2,Sun\r\n09:19:32,  0.0,  0.0,Source\r\n" + line4 +
           "\r\n";
}
std::string atElevation(int seconds, double elevation) {
    return azelFile("12:34:" + std::to_string(seconds) + ",123.4," + std::to_string(elevation),
                    "144.12,-1234.5,12.3,-567.8,4.5");
}
std::string atFrequency(const std::string& megahertz) {
    return azelFile("12:34:57,1,2", megahertz + ",-1234.5,12.3,-567.8,4.5");
}

class TrackingPollTest : public ::testing::Test {
  protected:
    std::string write(const std::string& bytes, const std::string& path) {
        std::ofstream(utf8Path(path), std::ios::binary | std::ios::trunc) << bytes;
        return path;
    }
    PollOutcome poll(const std::string& bytes) { return pollPath(write(bytes, path_)); }
    PollOutcome pollPath(const std::string& path) {
        fields_.acceptTyping(field("azel_path"), path);
        return pollTrackingFile(fields_, state_, clock_);
    }
    std::string text(std::string_view name) const { return fields_.text(*findField(name)); }

    testing::TempDir dir_;
    std::string path_ = (dir_.path() / "azel.dat").string();
    Fields fields_;
    TrackingState state_;
    testing::SequenceClock clock_;
};

TEST_F(TrackingPollTest, ShowsTheWorkedExample) {
    EXPECT_EQ(poll(azelFile("12:34:56,123.4,45.6", "144.12,-1234.5,12.3,-567.8,4.5")),
              PollOutcome::Continue);
    const char* shown[][2] = {
        {"local_time", "9:5"},    {"wsjt_period", "2nd/odd"},  {"moon_azimuth", "123"},
        {"moon_elevation", "46"}, {"azel_seconds", "30"},      {"seconds", "30"},
        {"wsjt_band", "144.12"},  {"mutual_doppler", "-1235"}, {"mutual_hz_min", "12.3"},
        {"self_doppler", "-568"}, {"self_hz_min", "4.5"},      {"sked_frequency", "144.12"}};
    for (const auto& [name, value] : shown)
        EXPECT_EQ(text(name), value) << name;
    EXPECT_FALSE(fields_.visible(field("path_warning")));
    EXPECT_EQ(fields_.backColour(field("freshness_patch")), 0xFF8000u);
    EXPECT_EQ(state_.previousFileFrequencyMHz, 144.12);
}

// The local time, the period, the freshness patch and the seconds each read the clock
// afresh, here across the minute.
TEST_F(TrackingPollTest, ReadsTheClockAfreshAtEachUse) {
    clock_.readings = {{2026, 12, 7, 10, 59, 59},
                       {2026, 12, 7, 11, 0, 0},
                       {2026, 12, 7, 11, 0, 0},
                       {2026, 12, 7, 11, 0, 1}};
    poll(atElevation(31, 10));
    EXPECT_EQ(text("local_time"), "10:59");
    EXPECT_EQ(text("wsjt_period"), "1st/even");
    EXPECT_EQ(fields_.backColour(field("freshness_patch")), 0xFF0000u);
    EXPECT_EQ(text("seconds"), "1");
}

TEST_F(TrackingPollTest, ReadsOnlyAFileThePathTestAccepts) {
    const fs::path cwd = fs::current_path();
    fs::current_path(dir_.path());  // for the short relative paths
    for (const char* d : {"dir/azel.dat", ".wsjtx", "the", "\xC3\xA9", "\xC3\xA9\xC3\xA9"})
        fs::create_directories(utf8Path(d));
    const struct {
        const char* path;
        bool create, read;
    } cases[] = {
        {"c:azel.dat", true, false},  // ten characters: no tail
        {"c:\\azel.dat", true, true},
        {"\xC3\xA9/azel.dat", true, false},  // ten characters in eleven bytes
        {"\xC3\xA9\xC3\xA9/azel.dat", true, true},
        {"the/AZEL.DAT", true, false},
        {"the azel.dat ", true, false},   // not trimmed
        {"dir/azel.dat", false, false},   // a directory
        {"dir/.azel.dat", true, false},   // hidden
        {".wsjtx/azel.dat", true, true},  // where WSJT-X keeps it on Linux
        {"missing/azel.dat", false, false},
    };
    for (const auto& c : cases) {
        if (c.create) write(atElevation(17, 10), c.path);
        if (std::string_view(c.path).starts_with("dir/.")) testing::markHidden(c.path);
        fields_ = Fields();
        const auto before = snapshot(fields_);
        pollPath(c.path);
        EXPECT_EQ(fields_.visible(field("path_warning")), !c.read) << c.path;
        EXPECT_EQ(snapshot(fields_) == before, !c.read) << c.path;
        EXPECT_EQ(text("local_time"), "9:5");
    }
    fs::current_path(cwd);
}

TEST_F(TrackingPollTest, FlashesWhileTheFileChangesAndWarnsWhenItStops) {
    const struct {
        int fileSeconds, localSecond;
        Rgb patch;
        bool text1Visible;
    } reads[] = {
        {0, 5, 0xFF0000, false},  // all six slots 0 at once
        {17, 5, 0xFFFFC0, true}, {17, 5, 0xFFFFC0, true}, {17, 5, 0xFFFFC0, true},
        {17, 5, 0xFFFFC0, true}, {17, 5, 0xFFFFC0, true}, {17, 5, 0xFF0000, false},
        {18, 5, 0xFF8000, true}, {31, 0, 0xFF0000, true}, {31, 1, 0xFFFFC0, true},
    };
    for (const auto& r : reads) {
        clock_.set(9, 5, r.localSecond);
        poll(atElevation(r.fileSeconds, 10));
        EXPECT_EQ(fields_.backColour(field("freshness_patch")), r.patch) << r.fileSeconds;
        EXPECT_EQ(fields_.visible(field("seconds")), r.text1Visible) << r.fileSeconds;
    }
}

TEST_F(TrackingPollTest, DrawsTheElevationBarOverTheSky) {
    const struct {
        double elevation;
        float presetMoonTop;  // moved by hand first, to see whether the poll redraws
        const char* angle;
        float top, height;
    } reads[] = {
        {0, 7, "", 7, 15},  // empty angle reads as 0: untouched
        {45, 7, "45", 1672.5f, 1687.5f},
        {90, 7, "90", -15, 3375},
        {90, 7, "90", 7, 3375},
        {0, 7, "0", 3360, 0},
        {0, 7, "0", 7, 0},
        {-3, 7, "-3", 3375, 0},
        {-3, 7, "-3", 3375, 0},
        {100, 7, "100", -390, 3750},
    };
    for (const auto& r : reads) {
        fields_.setTop(field("elevation_bar"), r.presetMoonTop);
        poll(atElevation(17, r.elevation));
        EXPECT_EQ(text("moon_elevation"), r.angle) << r.elevation;
        EXPECT_EQ(fields_.top(field("elevation_bar")), r.top) << r.elevation;
        EXPECT_EQ(fields_.height(field("elevation_bar")), r.height) << r.elevation;
    }
}

TEST_F(TrackingPollTest, ReseedsTheSkedFrequencyWhenTheBandChanges) {
    const auto enter = [&](const char* megahertz) {
        fields_.acceptTyping(field("sked_frequency"), megahertz);
        state_.skedFrequencyMHz = std::stod(megahertz);
    };
    enter("144.13");
    poll(atFrequency("144.12"));
    EXPECT_EQ(text("sked_frequency"), "144.12");
    EXPECT_EQ(state_.skedFrequencyMHz, 144.12);
    enter("144.13");
    poll(atFrequency("144.12"));
    EXPECT_EQ(text("sked_frequency"), "144.13");
    EXPECT_EQ(state_.skedFrequencyMHz, 144.13);
    poll(atFrequency("432.065"));
    EXPECT_EQ(text("sked_frequency"), "432.065");
    EXPECT_EQ(state_.skedFrequencyMHz, 432.065);
}

// The bar's memory is the angle text: the moon must drop to height 0 below the
// horizon whatever came before, the very first read included.
TEST_F(TrackingPollTest, LeavesNoBarBelowTheHorizon) {
    for (const std::vector<double>& elevations : {std::vector{-3.0}, std::vector{45.0, -3.0}}) {
        fields_ = Fields();
        for (double elevation : elevations)
            poll(atElevation(17, elevation));
        EXPECT_EQ(fields_.height(field("elevation_bar")), 0.0f) << elevations.size();
        EXPECT_EQ(fields_.top(field("elevation_bar")), 3375.0f) << elevations.size();
    }
}

// A band of 0 is a band: the first read seeds the sked frequency with it.
TEST_F(TrackingPollTest, FirstReadSeedsTheSkedFrequencyEvenWithBandZero) {
    fields_.acceptTyping(field("sked_frequency"), "144.13");
    state_.skedFrequencyMHz = 144.13;
    poll(atFrequency("0"));
    EXPECT_EQ(text("sked_frequency"), "0");
    EXPECT_EQ(state_.skedFrequencyMHz, 0.0);
}

TEST_F(TrackingPollTest, Map65FormShowsLineOneOnlyAndEndsTheTick) {
    poll(atFrequency("144.12"));
    EXPECT_EQ(poll(azelFile("12:34:58,200,-5", "432,-1,2")), PollOutcome::Map65Form);
    EXPECT_EQ(text("moon_azimuth"), "200");
    EXPECT_EQ(text("moon_elevation"), "-5");
    EXPECT_EQ(text("wsjt_band"), "144.12");
    EXPECT_EQ(text("mutual_doppler"), "-1235");
    EXPECT_EQ(state_.fileFrequencyMHz, 144.12);
    EXPECT_EQ(state_.skedFrequencyMHz, 144.12);
}

// One bad read while the writer is busy shows nothing; six in a row show the warning
// with the reason; the next good read clears it.
TEST_F(TrackingPollTest, WarnsAfterSixFailedReadsInARow) {
    poll(atElevation(17, 10));
    poll(atElevation(18, 10));
    const auto shown = snapshot(fields_);
    const char* bad[] = {"", "12:34:56,1,2\r\n", "12:34:56,1,2\r\n\r\n\r\n1,2,3,4\r\n"};
    for (int tick = 1; tick <= 5; ++tick) {
        poll(bad[tick % 3]);
        EXPECT_EQ(snapshot(fields_), shown) << tick;
    }
    poll(bad[0]);
    EXPECT_FALSE(fields_.visible(field("seconds")));
    EXPECT_EQ(fields_.toolTip(field("stale_warning")), "the file is empty");
    poll(bad[2]);
    EXPECT_EQ(fields_.toolTip(field("stale_warning")), "line 4 has 4 fields, expected 5 or more");
    EXPECT_EQ(state_.failedReads, 7);
    poll(atElevation(19, 10));
    EXPECT_TRUE(fields_.visible(field("seconds")));
    EXPECT_EQ(fields_.toolTip(field("stale_warning")), "");
    EXPECT_EQ(state_.failedReads, 0);
}

// Nothing after line 4 is read: a 50 MB file (sparse, so the test stays fast) reads
// like a small one, its NULs never reached.
TEST_F(TrackingPollTest, ReadsOnlyTheStartOfALargeFile) {
    write(atElevation(17, 10), path_);
    fs::resize_file(path_, 50'000'000);
    pollPath(path_);
    EXPECT_EQ(state_.failedReads, 0);
    EXPECT_EQ(text("mutual_doppler"), "-1235");
}

// A writer rewrites the file as fast as it can, in turn each way the tracking programs
// do (see RewriteWay), while the poll runs: every read shows one whole record, and no
// rewrite is ever refused because the poll has the file open.
TEST_F(TrackingPollTest, ShowsOnlyWholeRecordsWhileTheFileIsRewritten) {
    const std::string records[] = {
        "09:19:31,123.4, 45.6,Moon\n09:19:31,200.1,-10.2,Sun\n09:19:31,  0.0,  0.0,Source\n"
        "  144,  -123.4,    1.23,  -456.7,    2.34,Doppler, R\n   -62.8,     4.7,    -2.0,Pol\n",
        "09:19:32,234.5,-12.3,Moon\r\n09:19:32,200.1,-10.2,Sun\r\n09:19:32,  0.0,  0.0,Source\r\n"
        "10368,-26214.5,  -12.34, 33321.7,   45.67,Doppler, T\r\n"};
    const std::set<std::string> wholeRecords = {" 123 46 144 -124     1.23 -457     2.34",
                                                " 234 -12 10368 -26215   -12.34 33321    45.67"};
    const auto shown = [&] {
        // Line 1 gives the bearing and angle, line 4 the rest.
        std::string out;
        for (const char* name : {"moon_azimuth", "moon_elevation", "wsjt_band", "mutual_doppler",
                                 "mutual_hz_min", "self_doppler", "self_hz_min"})
            out += " " + text(name);
        return out;
    };
    write(records[0], path_);
    const std::size_t handlesBefore = testing::openHandles();
    std::atomic<bool> stop{false};
    std::atomic<unsigned> rewrites{0};
    std::atomic<bool> refused{false};
    std::thread writer([&] {
        testing::AzelRewriter rewriter(path_);
        for (unsigned i = 0; !stop && !refused; ++i) {
            // Each way twice in a row, so the record changes under every way.
            const auto way = testing::kRewriteWays[(i / 2) % std::size(testing::kRewriteWays)];
            if (rewriter.rewrite(records[i % 2], way))
                ++rewrites;
            else
                refused = true;
        }
    });
    std::set<std::string> seen;
    int goodReads = 0;
    // At least 5000 polls, and on until the writer has gone through every way ten times.
    const unsigned minRewrites = 10 * 2 * std::size(testing::kRewriteWays);
    for (int tick = 0; (tick < 5000 || rewrites < minRewrites) && !refused; ++tick) {
        pollPath(path_);
        if (state_.failedReads != 0) continue;
        ++goodReads;
        seen.insert(shown());
    }
    stop = true;
    writer.join();
    EXPECT_FALSE(refused) << "a rewrite failed after " << rewrites << " while the poll read";
    EXPECT_GT(goodReads, 0);
    for (const auto& values : seen)
        EXPECT_TRUE(wholeRecords.count(values)) << values;
    EXPECT_EQ(testing::openHandles(), handlesBefore);
}

}  // namespace
}  // namespace selvora
