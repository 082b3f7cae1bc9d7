#include "common/text_lines.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace selvora {
namespace {

std::vector<std::string> allLines(std::string_view text) {
    std::vector<std::string> lines;
    LineReader reader(text);
    while (auto line = reader.readLine())
        lines.emplace_back(*line);
    EXPECT_TRUE(reader.atEnd());
    EXPECT_EQ(reader.readLine(), std::nullopt);  // reading past the end fails
    return lines;
}

using Lines = std::vector<std::string>;

TEST(LineReader, EndsLinesAtCrLfLoneCrAndLoneLf) {
    const struct {
        std::string text;
        Lines expected;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},            // the last line needs no line end
        {"a\r\nb", {"a", "b"}},  // Windows
        {"a\rb", {"a", "b"}},    // a lone CR
        {"a\nb", {"a", "b"}},    // Linux and macOS
        {"a\r\n", {"a"}},
        {"a\r\n\r\n", {"a", ""}},
        {"\r\n", {""}},
        {"a\n\rb", {"a", "", "b"}},  // LF then CR: two line ends
        {"a\r\r\nb", {"a", "", "b"}},
        {std::string("a\0b\r\nc", 6), {std::string("a\0b", 3), "c"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(allLines(c.text), c.expected) << c.text;
}

TEST(SplitAt, GivesOneFieldMoreThanSeparators) {
    const struct {
        std::string_view text;
        char separator;
        Lines expected;
    } cases[] = {
        {"", ',', {}},  // an empty text has no fields, not one empty field
        {"a", ',', {"a"}},
        {",", ',', {"", ""}},
        {"a,,b", ',', {"a", "", "b"}},
        {"12:34:56", ':', {"12", "34", "56"}},
        {" 144.12, -1.5 ", ',', {" 144.12", " -1.5 "}},  // nothing is trimmed
    };
    for (const auto& c : cases) {
        Lines fields;
        for (auto f : splitAt(c.text, c.separator))
            fields.emplace_back(f);
        EXPECT_EQ(fields, c.expected) << c.text;
    }
}

}  // namespace
}  // namespace selvora
