#include "common/local_clock.h"

#include <windows.h>

namespace selvora {

LocalDateTime SystemLocalClock::now() const {
    SYSTEMTIME local{};
    GetLocalTime(&local);
    return {local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond};
}

}  // namespace selvora
