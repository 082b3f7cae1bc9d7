// Selvora: Doppler sked frequencies for moon-bounce operators, beside WSJT-X.
#include <cstdio>

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QPixmap>

#include "app/desktop_app.h"
#include "app/rig_qt.h"
#include "astro/time_zone.h"
#include "common/local_clock.h"
#include "window/phase_pictures.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // The desktop entry's name (packaging/): docks and task bars find the menu entry
    // and icon by it. The window carries the same icon itself, installed or not.
    QApplication::setDesktopFileName(QStringLiteral("org.selvora.Selvora"));
    QIcon icon;
    for (const int size : selvora::kIconSizes)
        icon.addPixmap(QPixmap::fromImage(selvora::renderIcon(size)));
    QApplication::setWindowIcon(icon);

    QCommandLineParser parser;
    parser.addHelpOption();
    selvora::addRigOptions(parser);
    parser.process(application);
    const selvora::RigCommandLineReading rigOptions = selvora::readRigOptions(parser);
    if (rigOptions.error) {
        std::fprintf(stderr, "selvora: %s\n", rigOptions.error->c_str());
        return 2;
    }

    const selvora::SystemLocalClock clock;
    const selvora::HostTimeZoneSource timeZone;
    selvora::DesktopApp app(clock, timeZone);
    selvora::RigControl rig(app.window(), app.selvora().fields(),
                            selvora::defaultRigSettingsFile());
    rig.apply(rigOptions.options);
    app.setAfterTick([&rig] { rig.afterTick(); });
    app.start();
    return QApplication::exec();
}
