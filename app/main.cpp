// Selvora: Doppler sked frequencies for moon-bounce operators, beside WSJT-X.
#include <QApplication>

#include "app/desktop_app.h"
#include "astro/time_zone.h"
#include "common/local_clock.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const selvora::SystemLocalClock clock;
    const selvora::HostTimeZoneSource timeZone;
    selvora::DesktopApp app(clock, timeZone);
    app.start();
    return QApplication::exec();
}
