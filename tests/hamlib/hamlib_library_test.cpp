// Hamlib's library as each platform finds it: libhamlib.so.4 through the loader's
// search on Linux, libhamlib-4.dll beside the program on Windows (the test build puts
// a copy beside the test, as the installer does beside selvora.exe).
#include "hamlib/hamlib_library.h"

#include <gtest/gtest.h>

namespace selvora {
namespace {

TEST(HamlibLibrary, LoadsAndFindsTheCallsByName) {
    const HamlibLibrary library = loadHamlibLibrary();
    ASSERT_NE(library.handle, nullptr) << library.problem;
    EXPECT_TRUE(library.problem.empty());
#ifdef _WIN32
    // The copy beside the program, not one found on the PATH or in WSJT-X's folder.
    EXPECT_TRUE(library.name.ends_with("\\libhamlib-4.dll")) << library.name;
    EXPECT_NE(library.name.find(":\\"), std::string::npos) << library.name;
#else
    EXPECT_EQ(library.name, "libhamlib.so.4");
#endif
    const struct {
        const char* name;
        bool exported;
    } calls[] = {
        {"rig_init", true},
        {"rig_set_split_freq", true},
        {"rig_list_foreach", true},
        {"rig_no_such_call", false},
    };
    for (const auto& call : calls)
        EXPECT_EQ(hamlibSymbol(library, call.name) != nullptr, call.exported) << call.name;
}

TEST(HamlibLibrary, LoadingTwiceGivesTheSameLibrary) {
    const HamlibLibrary first = loadHamlibLibrary();
    const HamlibLibrary second = loadHamlibLibrary();
    EXPECT_EQ(first.handle, second.handle);
}

}  // namespace
}  // namespace selvora
