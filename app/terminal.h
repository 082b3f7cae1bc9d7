// Where --help, --version and a command-line problem go: the terminal the operator
// typed the command in (terminal_posix.cpp, terminal_windows.cpp).
#pragma once

#include <QString>

namespace selvora {

void showCommandLineText(const QString& text, bool problem);

}  // namespace selvora
