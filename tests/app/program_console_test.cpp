// The built program's console on each platform: what --version, --help and a wrong
// option print, on which stream, with which exit status, and that a letter outside
// ASCII survives the trip in and out (on Windows, selvora.exe is a windowed program:
// its output reaches a pipe only because the console seam writes to the handle).
#include <QStringList>

#include <gtest/gtest.h>

#ifdef _WIN32
#include <QProcess>
#else
#include <cstdlib>

#include <sys/wait.h>

#include "support/temp_dir.h"
#endif

namespace selvora {
namespace {

struct ProgramRun {
    int exitCode = -1;
    QString out, err;
};

#ifdef _WIN32
ProgramRun runProgram(const QStringList& arguments) {
    QProcess program;
    program.start(QStringLiteral(SELVORA_PROGRAM), arguments);
    if (!program.waitForFinished(60000)) {
        program.kill();
        program.waitForFinished();
        return {};
    }
    return {program.exitCode(), QString::fromUtf8(program.readAllStandardOutput()),
            QString::fromUtf8(program.readAllStandardError())};
}
#else
// Through the shell, not QProcess: qemu-user, which runs these tests in an arm64 Debian
// on a PC, refuses the clone(CLONE_VFORK | CLONE_PIDFD) that QProcess starts a program with.
ProgramRun runProgram(const QStringList& arguments) {
    const testing::TempDir dir;
    std::string command = "'" SELVORA_PROGRAM "'";
    for (const QString& argument : arguments)
        command += " '" + argument.toStdString() + "'";
    command +=
        " >'" + (dir.path() / "out").string() + "' 2>'" + (dir.path() / "err").string() + "'";
    const int status = std::system(command.c_str());
    if (status == -1 || !WIFEXITED(status)) return {};
    return {WEXITSTATUS(status), QString::fromStdString(dir.read("out")),
            QString::fromStdString(dir.read("err"))};
}
#endif

TEST(ProgramConsole, SaysItOnTheRightStreamWithTheRightStatus) {
    const struct {
        QStringList arguments;
        int exitCode;
        QString out, errStart;
    } cases[] = {
        {{"--version"}, 0, "Selvora 1.3.0\n", ""},
        {{"--bogus"}, 2, "", "selvora: Unknown option 'bogus'.\n"},
        {{"--jörg-ĳ"}, 2, "", "selvora: Unknown option 'jörg-ĳ'.\n"},
        {{"--azel"}, 2, "", "selvora: Missing value after '--azel'.\n"},
        {{"--point", "moon", "--rot-move-seconds", "50"}, 2, "", "selvora: --rot-move-seconds: "},
    };
    for (const auto& c : cases) {
        const ProgramRun run = runProgram(c.arguments);
        const std::string what = c.arguments.join(' ').toStdString();
        EXPECT_EQ(run.exitCode, c.exitCode) << what;
        EXPECT_EQ(run.out.toStdString(), c.out.toStdString()) << what;
        // The error's first line; the second names the help option.
        EXPECT_EQ(run.err.left(c.errStart.size()).toStdString(), c.errStart.toStdString()) << what;
        EXPECT_EQ(run.err.isEmpty(), c.errStart.isEmpty()) << what;
    }
}

TEST(ProgramConsole, HelpListsTheOptions) {
    const ProgramRun run = runProgram({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    for (const char* option : {"--azel <path>", "--rig-model <N>", "--track <SCHEME>",
                               "--rot-model <N>", "--point <moon|sun>", "--rot-move-seconds <A-B>"})
        EXPECT_TRUE(run.out.contains(QString::fromUtf8(option))) << option;
}

}  // namespace
}  // namespace selvora
