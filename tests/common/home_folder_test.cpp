#include "common/home_folder.h"

#include <gtest/gtest.h>

namespace selvora {
namespace {

TEST(ExpandHome, ReplacesOnlyALeadingTildeSlash) {
    const struct {
        const char* path;
        const char* home;
        const char* expanded;
    } cases[] = {
        {"~/.local/share/WSJT-X/azel.dat", "/home/op", "/home/op/.local/share/WSJT-X/azel.dat"},
        {"~/azel.dat", "/home/op/", "/home/op/azel.dat"},
        {"~/azel.dat", "", "~/azel.dat"},  // no home known: left for the path test to fail
        {"~op/azel.dat", "/home/me", "~op/azel.dat"},
        {"~", "/home/op", "~"},
        {"/srv/~/azel.dat", "/home/op", "/srv/~/azel.dat"},
        {" ~/azel.dat", "/home/op", " ~/azel.dat"},
        {"", "/home/op", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(expandHome(c.path, c.home), c.expanded) << c.path;
}

}  // namespace
}  // namespace selvora
