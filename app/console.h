// The program's console, one file a platform (console_posix.cpp, console_windows.cpp):
// the command line as the operator typed it, and where --help, --version and a
// command-line problem go: the terminal the command was typed in.
#pragma once

#include <QString>
#include <QStringList>

namespace selvora {

QStringList programArguments(int argc, char* argv[]);

void showCommandLineText(const QString& text, bool problem);

}  // namespace selvora
