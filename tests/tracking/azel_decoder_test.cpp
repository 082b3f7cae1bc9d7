#include "tracking/azel_decoder.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/files.h"
#include "common/numbers.h"
#include "tracking/azel_file.h"

namespace selvora {
namespace {

// Lines joined by `eol`, each followed by it.
std::string file(const std::vector<std::string>& lines, std::string_view eol = "\r\n") {
    std::string out;
    for (const auto& line : lines)
        out += line + std::string(eol);
    return out;
}

const std::string kLine1 = "12:34:56,123.4,45.6";
const std::string kLine4 = "144.12,-1234.5,12.3,-567.8,4.5";
const std::string kWorkedExample = file({kLine1, "x", "y", kLine4});

std::string described(const AzelDecoding& decoding) {
    if (const auto* error = std::get_if<AzelError>(&decoding)) return "error: " + error->reason;
    const auto& r = std::get<AzelRecord>(decoding);
    std::string out = std::to_string(r.fileSeconds) + " " + numberText(r.moonAzimuth) + " " +
                      numberText(r.moonElevation);
    if (r.map65Form) return out + " MAP65";
    return out + " | " + numberText(r.fileFrequency) + " " + numberText(r.mutualDoppler) + " [" +
           r.mutualRate + "] " + numberText(r.selfDoppler) + " [" + r.selfRate + "]";
}

TEST(DecodeAzel, DecodesLinesOneAndFour) {
    const std::string pol = "   -62.8,     4.7,    -2.0,Pol";
    const struct {
        std::string bytes;
        const char* expected;
    } cases[] = {
        {kWorkedExample, "56 123 46 | 144.12 -1235 [12.3] -568 [4.5]"},
        {kLine1 + "\r\n\r\n\r\n" + kLine4, "56 123 46 | 144.12 -1235 [12.3] -568 [4.5]"},
        {file({kLine1, "x", "y", kLine4}, "\r"), "56 123 46 | 144.12 -1235 [12.3] -568 [4.5]"},
        // WSJT-X's own layout, with LF (Linux) and CR LF (Windows) line ends.
        {file({"09:19:32,123.4, 45.6,Moon", "09:19:32,200.1,-10.2,Sun",
               "09:19:32,  0.0,  0.0,Source",
               "  144,  -123.4,    1.23,  -456.7,    2.34,Doppler, R", pol},
              "\n"),
         "32 123 46 | 144 -124 [    1.23] -457 [    2.34]"},
        {file({"23:59:07,250.5,-12.5,Moon", "a", "b",
               "10368,-26214.5,  -12.34, 33321.7,   45.67,Doppler, T", pol}),
         "7 250 -12 | 10368 -26215 [  -12.34] 33321 [   45.67]"},
        // Line 4 is the fourth line, however many follow; more fields are ignored.
        {file({kLine1, "2", "3", kLine4, "432,1,2,3,4", "6", "7", "8", "9", "10"}),
         "56 123 46 | 144.12 -1235 [12.3] -568 [4.5]"},
        // Rounding half to even and floor; only lines 1 and 4 need be plain ASCII.
        {"00:00:00.5,0.5,1.5,x,y\r\n\xC3\xA9\r\n\r\nabc,-0.2, 12.30,567.99,,b",
         "0 0 2 | 0 -1 [ 12.30] 567 []"},
        // Fields without a number give 0; seconds may have blanks around them.
        {file({"1:2: 07 ,122.5,-0.5", "", "", "abc,x,,y,"}), "7 122 0 | 0 0 [] 0 []"},
        // Three fields are the MAP65 form whatever they hold; MAP65 3.0 writes four.
        {file({"1:2:6.5:9,1,2", "", "", "144.12,-1234.5,12.3"}), "6 1 2 MAP65"},
        {file({kLine1, "", "", ",,"}), "56 123 46 MAP65"},
        {file({kLine1, "", "", " 144,   -51,   138,Doppler"}), "56 123 46 | 144 -51 [] 138 []"},
        // Beyond line 4 the file may hold anything, and be of any size.
        {file({kLine1, "", "", "144,1,2,3,4"}) + std::string(5000, 'x'),
         "56 123 46 | 144 1 [2] 3 [4]"},
        {file({"0:0:-32768,1,2", "", "", kLine4}), "-32768 1 2 | 144.12 -1235 [12.3] -568 [4.5]"},
        {file({"0:0:32767,1,2", "", "", kLine4}), "32767 1 2 | 144.12 -1235 [12.3] -568 [4.5]"},
    };
    for (const auto& c : cases) {
        const bool whole = c.bytes.size() <= kAzelDecodeLimit;
        EXPECT_EQ(
            described(decodeAzel(std::string_view(c.bytes).substr(0, kAzelDecodeLimit), whole)),
            c.expected)
            << c.bytes;
    }
}

TEST(DecodeAzel, NamesTheLineAndTheFault) {
    const struct {
        std::string bytes;
        const char* reason;
    } cases[] = {
        {"", "the file is empty"},
        {file({kLine1, "", ""}), "the file has 3 lines, expected 4 or more"},
        {file({kLine1, "", "", kLine4}, "\n").substr(0, 21),
         "the file has 2 lines, expected 4 or more"},
        {file({kLine1, "", "", kLine4}, "\n").substr(0, 30),
         "line 4 has 2 fields, expected 5 or more"},
        {file({"12:34:56,123.4", "", "", kLine4}), "line 1 has 2 fields, expected 3 or more"},
        {file({"", "", "", kLine4}), "line 1 has 0 fields, expected 3 or more"},
        {file({"12:34,1,2", "", "", kLine4}),
         "the time stamp on line 1 has 2 parts, expected 3 (hh:mm:ss)"},
        {file({"12:34:5x,1,2", "", "", kLine4}),
         "the seconds of the time stamp on line 1 are not a number"},
        {file({"0:0:32767.5,1,2", "", "", kLine4}),
         "the seconds of the time stamp on line 1 lie outside -32768 to 32767"},
        {file({kLine1, "", "", ""}), "line 4 is empty"},
        {file({kLine1, "", "", "144,1,2,3"}), "line 4 has 4 fields, expected 5 or more"},
        {file({kLine1, "", "", " 144,   -51,   138,Pol"}),
         "line 4 has 4 fields, expected 5 or more"},
        {file({kLine1, "", "", "47088,********,  -12.34, 33321.7,   45.67,Doppler, R"}),
         "line 4: mutual Doppler value too large for the file's field"},
        {file({kLine1, "", "", "47088,-99999.9,  -12.34,********,   45.67,Doppler, R"}),
         "line 4: self Doppler value too large for the file's field"},
        {file({kLine1, "", "", "*****,-99999.9,  -12.34,1,   45.67,Doppler, R"}),
         "line 4: frequency value too large for the file's field"},
        {file({std::string("12:34:56,1\0,2", 13), "", "", kLine4}),
         "line 1 holds byte 0x00 at column 11, which is not plain ASCII text"},
        {file({kLine1, "", "", "144,1,2,3,4\xFF"}),
         "line 4 holds byte 0xFF at column 12, which is not plain ASCII text"},
        {file({kLine1, std::string(5000, 'x'), "", kLine4}),
         "lines 1 to 4 do not fit in the first 4096 bytes of the file"},
        {file({kLine1, "", "", std::string(4100, '1')}),
         "lines 1 to 4 do not fit in the first 4096 bytes of the file"},
        {file({kLine1, "", std::string(4096 - kLine1.size() - 5, 'x'), kLine4}),
         "lines 1 to 4 do not fit in the first 4096 bytes of the file"},
    };
    for (const auto& c : cases) {
        const bool whole = c.bytes.size() <= kAzelDecodeLimit;
        EXPECT_EQ(
            described(decodeAzel(std::string_view(c.bytes).substr(0, kAzelDecodeLimit), whole)),
            "error: " + std::string(c.reason))
            << c.bytes.substr(0, 100);
    }
}

std::string direction(const std::optional<AzEl>& d) {
    return d ? numberText(d->azimuthDeg) + " " + numberText(d->elevationDeg) : "unknown";
}

// What an antenna is pointed by: line 1 and the sun's line 2 as written. Neither
// changes whether the file reads nor what the window shows of the moon.
TEST(DecodeAzel, KeepsTheMoonAndTheSunForPointing) {
    const std::string line3 = "09:19:32,  0.0,  0.0,Source";
    const std::string line4 = "  144,  -123.4,    1.23,  -456.7,    2.34,Doppler, R";
    const std::string moon = "09:19:32,123.4, 45.6,Moon";
    const struct {
        std::string line1, line2;
        const char* moon;
        const char* sun;
    } cases[] = {
        {moon, "09:19:32,200.1,-10.2,Sun", "123.4 45.6", "200.1 -10.2"},
        {moon, "09:19:32,  5.0, 61.25, Sun ", "123.4 45.6", "5 61.25"},
        {moon, "09:19:32,200.1,-10.2,Moon", "123.4 45.6", "unknown"},  // not the sun's line
        {moon, "09:19:32,200.1,-10.2", "123.4 45.6", "unknown"},
        {moon, "09:19:32,abc,-10.2,Sun", "123.4 45.6", "unknown"},
        {moon, "09:19:32,200.1,95,Sun", "123.4 45.6", "unknown"},  // no elevation is 95
        {moon, "", "123.4 45.6", "unknown"},
        {moon, "09:19:32,200.1,\xC3\xA9,Sun", "123.4 45.6", "unknown"},
        // The window shows 0 for a figure that is no number; the antenna is not sent there.
        {"09:19:32,abc, 45.6,Moon", "09:19:32,200.1,-10.2,Sun", "unknown", "200.1 -10.2"},
        {"09:19:32,123.4,,Moon", "", "unknown", "unknown"},
    };
    for (const auto& c : cases) {
        for (const std::string_view eol : {"\n", "\r\n"}) {
            SCOPED_TRACE(c.line1 + " / " + c.line2);
            const AzelDecoding decoding =
                decodeAzel(file({c.line1, c.line2, line3, line4}, eol), true);
            ASSERT_TRUE(std::holds_alternative<AzelRecord>(decoding));
            const auto& record = std::get<AzelRecord>(decoding);
            EXPECT_EQ(direction(record.moon), c.moon);
            EXPECT_EQ(direction(record.sun), c.sun);
            // What the window shows of the moon, whatever line 2 holds.
            const AzelDecoding withoutSun =
                decodeAzel(file({c.line1, "", line3, line4}, eol), true);
            EXPECT_EQ(described(decoding), described(withoutSun));
        }
    }
}

// Reads that disagree were caught mid-write; two that agree are taken.
TEST(SettledPrefix, TakesTheFirstTwoReadsThatAgree) {
    const auto read = [](const char* bytes) { return FilePrefix{bytes, true, ""}; };
    const FilePrefix failed{"", false, "Permission denied"};
    const struct {
        std::vector<FilePrefix> reads;
        std::size_t readsMade;
        const char* bytes;
        const char* error;
    } cases[] = {
        {{read("a"), read("a")}, 2, "a", ""},
        {{read(""), read("a"), read("b"), read("b")}, 4, "b", ""},
        {{read("a"), FilePrefix{"a", false, ""}, FilePrefix{"a", false, ""}}, 3, "a", ""},
        {{read("a"), read("b"), read("a"), read("b"), read("a"), read("b"), read("b")},
         6,
         "",
         "it kept changing while it was read"},
        {{failed}, 1, "", "Permission denied"},
        {{read("a"), failed, failed}, 2, "", "Permission denied"},
    };
    for (const auto& c : cases) {
        std::size_t made = 0;
        const FilePrefix got = settledPrefix([&] { return c.reads.at(made++); });
        EXPECT_EQ(made, c.readsMade);
        EXPECT_EQ(got.bytes, c.bytes);
        EXPECT_EQ(got.error, c.error);
    }
}

}  // namespace
}  // namespace selvora
