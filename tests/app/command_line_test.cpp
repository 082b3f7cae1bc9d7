#include "app/command_line.h"

#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace selvora {
namespace {

using testing::TempWorkingDir;

QStringList withProgram(QStringList arguments) {
    arguments.prepend(QStringLiteral("selvora"));
    return arguments;
}

TEST(CommandLine, OptionsForTheWindow) {
    const struct {
        QStringList arguments;
        std::optional<QString> azelPath;
        std::optional<QString> skedMHz = std::nullopt;
    } cases[] = {
        {{}, std::nullopt},
        {{"--azel", "~/.local/share/WSJT-X/azel.dat"}, "~/.local/share/WSJT-X/azel.dat"},
        {{"--azel=/srv/azel.dat"}, "/srv/azel.dat"},
        {{"-platform", "offscreen", "--azel", "/a/azel.dat"}, "/a/azel.dat"},  // Qt's own
        {{"--azel", "/a/azel.dat", "--azel", "/b/azel.dat"}, "/b/azel.dat"},   // the last one
        {{"--sked", "1296.1"}, std::nullopt, "1296.1"},
        {{"--sked= 10368.1 "}, std::nullopt, " 10368.1 "},  // shown as typed
    };
    for (const auto& c : cases) {
        const CommandLine parsed = parseCommandLine(withProgram(c.arguments));
        ASSERT_TRUE(std::holds_alternative<CommandLineOptions>(parsed))
            << c.arguments.join(' ').toStdString();
        EXPECT_EQ(std::get<CommandLineOptions>(parsed).azelPath, c.azelPath);
        EXPECT_EQ(std::get<CommandLineOptions>(parsed).skedMHz, c.skedMHz);
    }
}

TEST(CommandLine, EndsAtOnceWithATextAndAnExitCode) {
    const struct {
        QStringList arguments;
        int exitCode;
        QString textStart;
    } cases[] = {
        {{"--version"}, 0, "Selvora 1.3.0\n"},
        {{"-v"}, 0, "Selvora 1.3.0\n"},
        {{"--help"}, 0, "Usage: selvora [options]\n"},
        {{"--azel", "/a/azel.dat", "-h"}, 0, "Usage: selvora [options]\n"},
        {{"--bogus"}, 2, "selvora: Unknown option 'bogus'.\nTry 'selvora --help'"},
        {{"--azel"}, 2, "selvora: Missing value after '--azel'.\n"},
        {{"azel.dat"}, 2, "selvora: Unexpected argument 'azel.dat'.\n"},
        {{"--sked", "0"}, 2, "selvora: --sked: '0' is not a frequency in MHz"},
        {{"--sked", "-144"}, 2, "selvora: --sked: '-144' is not a frequency in MHz"},
        {{"--sked", "144,1"}, 2, "selvora: --sked: '144,1' is not a frequency in MHz"},
    };
    for (const auto& c : cases) {
        const CommandLine parsed = parseCommandLine(withProgram(c.arguments));
        ASSERT_TRUE(std::holds_alternative<CommandLineExit>(parsed))
            << c.arguments.join(' ').toStdString();
        const auto& exit = std::get<CommandLineExit>(parsed);
        EXPECT_EQ(exit.exitCode, c.exitCode);
        EXPECT_TRUE(exit.text.startsWith(c.textStart)) << exit.text.toStdString();
    }
}

TEST(CommandLine, OtherPartsAddAndCheckTheirOwnOptions) {
    const std::vector<OptionGroup> groups = {
        {{QCommandLineOption("rig-model", "Hamlib rig model.", "N")},
         [](const QCommandLineParser& parser) -> std::optional<QString> {
             bool number = false;
             parser.value("rig-model").toInt(&number);
             if (number || !parser.isSet("rig-model")) return std::nullopt;
             return QStringLiteral("--rig-model needs a number.");
         }}};
    EXPECT_TRUE(std::holds_alternative<CommandLineOptions>(
        parseCommandLine(withProgram({"--rig-model", "2"}), groups)));
    const auto bad = parseCommandLine(withProgram({"--rig-model", "x"}), groups);
    ASSERT_TRUE(std::holds_alternative<CommandLineExit>(bad));
    EXPECT_EQ(std::get<CommandLineExit>(bad).exitCode, 2);
    const auto help = std::get<CommandLineExit>(parseCommandLine(withProgram({"--help"}), groups));
    EXPECT_TRUE(help.text.contains("--rig-model <N>"));
}

// The built program itself: exit status, the stream each text goes to, and no window
// (there is no display at all here) for anything but a usable command line.
TEST(CommandLine, TheProgramSaysItInTheTerminal) {
    TempWorkingDir dir;
    const struct {
        std::string arguments;
        int status;
        std::string out, err;
    } cases[] = {
        {"--version", 0, "Selvora 1.3.0\n", ""},
        {"--bogus", 2, "",
         "selvora: Unknown option 'bogus'.\nTry 'selvora --help' for more information.\n"},
        {"--azel", 2, "",
         "selvora: Missing value after '--azel'.\nTry 'selvora --help' for more information.\n"},
    };
    for (const auto& c : cases) {
        const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY '" SELVORA_PROGRAM "' " +
                                    c.arguments + " >out 2>err";
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status)) << c.arguments;
        EXPECT_EQ(WEXITSTATUS(status), c.status) << c.arguments;
        EXPECT_EQ(dir.read("out"), c.out) << c.arguments;
        EXPECT_EQ(dir.read("err"), c.err) << c.arguments;
    }
    const int status = std::system("env -u DISPLAY '" SELVORA_PROGRAM "' --help >out 2>err");
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_NE(dir.read("out").find("--azel <path>"), std::string::npos);
}

// --azel is used for the run (the window keeps running on it) and never saved.
TEST(CommandLine, TheAzelPathIsNotSaved) {
    TempWorkingDir dir;
    const int status = std::system("timeout 2 '" SELVORA_PROGRAM
                                   "' -platform offscreen --azel ~/azel.dat >out 2>err");
    EXPECT_EQ(WEXITSTATUS(status), 124) << dir.read("err");  // still running when stopped
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "doppler.ini"));
}

}  // namespace
}  // namespace selvora
