// `selvora --ahead`, the built program: what scripts read from it, and its exit status.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "plan/sked_scheme.h"
#include "support/temp_dir.h"

namespace selvora {
namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::size_t countMatching(const std::vector<std::string>& lines, const std::regex& pattern) {
    return std::size_t(std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
        return std::regex_match(line, pattern);
    }));
}

TEST(SkedAheadProgram, PrintsTheLinesScriptsReadOrOneLineWhyNot) {
    testing::TempWorkingDir dir;
    // The operator's home here: no saved settings; WSJT-X's own settings give MyGrid.
    std::filesystem::create_directories(dir.path() / ".config");
    std::ofstream(dir.path() / ".config" / "WSJT-X.ini")
        << "[Configuration]\nMyGrid=JO22nb\n[MainWindow]\nDXgrid=FN31\n";
    const std::string run = "env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_CONFIG_HOME HOME='" +
                            dir.path().string() + "' '" SELVORA_PROGRAM "' ";
    const auto status = [&](const std::string& arguments) {
        const int result = std::system((run + arguments + " >out 2>err").c_str());
        EXPECT_TRUE(WIFEXITED(result)) << arguments;
        return WEXITSTATUS(result);
    };

    for (const char* myGrid : {"--my-grid JO33ii", ""}) {
        ASSERT_EQ(status(std::string("--ahead --at '2026-12-09 21:30:00' --dx-grid JO22 --sked "
                                     "1296.1 ") +
                         myGrid),
                  0)
            << dir.read("err");
        EXPECT_EQ(dir.read("err"), "");
        const std::vector<std::string> lines = linesOf(dir.read("out"));
        const std::regex moonHere(R"(Moon here: az \d{1,3}\.\d el -?\d{1,2}\.\d)");
        const std::regex moonDx(R"(Moon at the DX: az \d{1,3}\.\d el -?\d{1,2}\.\d)");
        const std::regex self(R"(Self Doppler: -?\d+ Hz)"), mutual(R"(Mutual Doppler: -?\d+ Hz)");
        const std::regex window(
            R"(\d{4}-\d\d-\d\d \d\d:\d\d UTC to \d{4}-\d\d-\d\d \d\d:\d\d UTC.*)");
        for (const std::regex* once : {&moonHere, &moonDx, &self, &mutual})
            EXPECT_EQ(countMatching(lines, *once), 1u) << dir.read("out");
        // The quality figures right after the Dopplers, in this order.
        const char* quality[] = {
            R"(Moon declination: -?\d{1,2}\.\d deg)",
            R"(Moon distance: \d{6} km, echo delay \d\.\d\d s)",
            R"(Polarization offset: -?\d{1,2}\.\d deg)",
            R"(Non-reciprocity: \d{1,2}\.\d dB)",
            R"(Sun here: az \d{1,3}\.\d el -?\d{1,2}\.\d, \d{1,3}\.\d deg from the moon)",
            R"(Doppler spread: \d+ Hz here, \d+ Hz at the DX)",
            R"(Path loss: [+-]\d\.\d dB over perigee)"};
        const auto mutualAt = std::find_if(lines.begin(), lines.end(), [&](const std::string& l) {
            return std::regex_match(l, mutual);
        });
        ASSERT_NE(mutualAt, lines.end());
        for (std::size_t k = 0; k < std::size(quality); ++k) {
            const auto line = mutualAt + std::ptrdiff_t(k + 1);
            ASSERT_LT(line, lines.end());
            EXPECT_TRUE(std::regex_match(*line, std::regex(quality[k]))) << *line;
        }
        for (const SkedSchemeInfo& scheme : kSkedSchemes)
            EXPECT_EQ(countMatching(lines, std::regex(std::string(scheme.caption) +
                                                      R"( +1296\.\d{6} +1296\.\d{6} .*)")),
                      1u)
                << scheme.caption;
        // Stations 600 km apart share the moon every day of the week.
        EXPECT_GE(countMatching(lines, window), 6u) << dir.read("out");
    }

    const struct {
        const char* arguments;
        const char* err;
    } refused[] = {
        {"--ahead --dx-grid JO2 --sked 1296.1",
         "selvora: --dx-grid: JO2 is not a locator: give 4 or 6 characters such as JO65 or "
         "JO65fr\n"},
        {"--ahead --dx-grid JO22 --sked 1296.1 --at '2026-02-30 10:00:00'",
         "selvora: --at: '2026-02-30 10:00:00' is no day of the calendar\n"},
        {"--ahead --dx-grid JO22 --sked 0", "selvora: --sked: '0' is not a frequency in MHz"},
        {"--ahead --dx-grid JO22", "selvora: --sked: the sked frequency in MHz is needed\n"},
        {"--at '2026-12-09 21:30:00'", "selvora: --at is used with --ahead.\n"},
    };
    for (const auto& c : refused) {
        EXPECT_EQ(status(c.arguments), 2) << c.arguments;
        EXPECT_EQ(dir.read("out"), "") << c.arguments;
        const std::string err = dir.read("err");
        EXPECT_TRUE(err.starts_with(c.err)) << err;
        if (std::string(c.arguments).starts_with("--ahead")) {
            EXPECT_EQ(linesOf(err).size(), 1u) << err;
        }
    }
}

}  // namespace
}  // namespace selvora
