#include <cstdio>

#include "app/terminal.h"

namespace selvora {

void showCommandLineText(const QString& text, bool problem) {
    std::fputs(text.toLocal8Bit().constData(), problem ? stderr : stdout);
}

}  // namespace selvora
