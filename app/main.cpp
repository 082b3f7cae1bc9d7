// Selvora: Doppler sked frequencies for moon-bounce operators, beside WSJT-X.
#include <vector>

#include <QApplication>
#include <QMenu>

#include "app/command_line.h"
#include "app/console.h"
#include "app/desktop_app.h"
#include "app/rig_command_line.h"
#include "app/rig_control.h"
#include "app/rotator_command_line.h"
#include "app/rotator_control.h"
#include "app/saved_ahead.h"
#include "app/sked_ahead_control.h"
#include "astro/time_zone.h"
#include "common/local_clock.h"
#include "window/application_icon.h"

namespace {

// Option groups that other parts of the program read themselves.
std::vector<selvora::OptionGroup> optionGroups(selvora::RigCommandLine& rig,
                                               selvora::RotatorCommandLine& rotator) {
    return {selvora::rigOptionGroup(rig), selvora::rotatorOptionGroup(rotator)};
}

// --help, --version or an unusable command line: said in the terminal, no window.
int endWith(const selvora::CommandLineExit& exit) {
    selvora::showCommandLineText(exit.text, exit.exitCode != 0);
    return exit.exitCode;
}

}  // namespace

int main(int argc, char* argv[]) {
    selvora::RigCommandLine rigOptions;
    selvora::RotatorCommandLine rotatorOptions;
    const selvora::CommandLine commandLine = selvora::parseCommandLine(
        selvora::programArguments(argc, argv), optionGroups(rigOptions, rotatorOptions));
    if (const auto* exit = std::get_if<selvora::CommandLineExit>(&commandLine))
        return endWith(*exit);
    const auto& options = std::get<selvora::CommandLineOptions>(commandLine);
    if (options.ahead)
        return endWith(selvora::runSkedAhead(*options.ahead, selvora::defaultAheadSettingsFile()));

    QApplication application(argc, argv);
    selvora::useApplicationIcon();  // the desktop entry's name is in packaging/

    const selvora::SystemLocalClock clock;
    const selvora::HostTimeZoneSource timeZone;
    selvora::DesktopApp app(clock, timeZone);
    selvora::RigControl rig(app.window(), app.core(), app.windowTitle(),
                            selvora::defaultRigSettingsFile(), rigOptions);
    // The antenna beside the rig, on a thread of its own: a fault of one never stops the other.
    selvora::RotatorControl rotator(app.window(), app.core(), app.windowTitle(),
                                    selvora::defaultRotatorSettingsFile(), rotatorOptions);
    rig.menus().setMoreEntries([&rotator](QMenu& menu) { rotator.menus().addEntries(menu); });
    selvora::SkedAheadControl skedAhead(
        app.window(), [&app] { return app.core().fields().text(selvora::field("sked_frequency")); },
        selvora::defaultAheadSettingsFile());
    app.setAfterTick([&rig, &rotator] {
        rig.afterTick();
        rotator.afterTick();
    });
    app.setRigEchoBands([&rig] { return rig.echoBandsMHz(); });
    app.start();
    if (options.azelPath) app.core().useAzelPathForThisRun(options.azelPath->toStdString());
    if (options.skedMHz) app.core().chooseSkedForThisRun(options.skedMHz->toStdString());
    app.window().showChanges();
    return QApplication::exec();
}
