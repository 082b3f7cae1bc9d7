// The command line, read with Qt's own parser before any window exists, so that
// --help, --version and a mistyped option work in a terminal without a display.
#pragma once

#include <functional>
#include <optional>
#include <variant>
#include <vector>

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>

#include "plan/ahead_arguments.h"

namespace selvora {

// What the window is to start with.
struct CommandLineOptions {
    std::optional<QString> azelPath;  // --azel: this run only, as if typed; never saved
    std::optional<QString> skedMHz;   // --sked: as if typed and entered; a positive number
    // --ahead: no window; the sked plan for a time ahead is printed. Its values (--sked
    // among them) are read, and refused, by readAheadArguments.
    std::optional<AheadArguments> ahead;
};

// The program ends at once: `text` goes to standard output when `exitCode` is 0,
// else to standard error.
struct CommandLineExit {
    int exitCode;
    QString text;
};

using CommandLine = std::variant<CommandLineOptions, CommandLineExit>;

// Exit status for a command line that cannot be used (unknown option, missing value).
inline constexpr int kUsageExitCode = 2;

// Options that another part of the program declares and reads itself (rig control
// adds --rig-model, --rig-file, --rig-speed and --track this way). `read` runs after
// a successful parse and returns a message when a value is not usable.
struct OptionGroup {
    QList<QCommandLineOption> options;
    std::function<std::optional<QString>(const QCommandLineParser&)> read;
};

// `arguments` as in main's argv: the program name first.
CommandLine parseCommandLine(const QStringList& arguments,
                             const std::vector<OptionGroup>& groups = {});

// main's argv as a list, decoded as the terminal's local 8-bit text.
QStringList argumentList(int argc, char* argv[]);

}  // namespace selvora
