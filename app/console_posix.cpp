#include <cstdio>

#include "app/command_line.h"
#include "app/console.h"

namespace selvora {

QStringList programArguments(int argc, char* argv[]) {
    return argumentList(argc, argv);
}

void showCommandLineText(const QString& text, bool problem) {
    std::fputs(text.toLocal8Bit().constData(), problem ? stderr : stdout);
}

}  // namespace selvora
