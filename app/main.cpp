// Selvora: Doppler sked frequencies for moon-bounce operators, beside WSJT-X.
#include <vector>

#include <QApplication>
#include <QIcon>
#include <QPixmap>

#include "app/command_line.h"
#include "app/console.h"
#include "app/desktop_app.h"
#include "app/rig_options_qt.h"
#include "app/rig_qt.h"
#include "app/sked_ahead_control.h"
#include "app/saved_ahead.h"
#include "astro/time_zone.h"
#include "common/local_clock.h"
#include "window/phase_pictures.h"

namespace {

// Option groups that other parts of the program read themselves.
std::vector<selvora::OptionGroup> optionGroups(selvora::RigCommandLine& rig) {
    return {selvora::rigOptionGroup(rig)};
}

// --help, --version or an unusable command line: said in the terminal, no window.
int endWith(const selvora::CommandLineExit& exit) {
    selvora::showCommandLineText(exit.text, exit.exitCode != 0);
    return exit.exitCode;
}

}  // namespace

int main(int argc, char* argv[]) {
    selvora::RigCommandLine rigOptions;
    const selvora::CommandLine commandLine =
        selvora::parseCommandLine(selvora::programArguments(argc, argv), optionGroups(rigOptions));
    if (const auto* exit = std::get_if<selvora::CommandLineExit>(&commandLine))
        return endWith(*exit);
    const auto& options = std::get<selvora::CommandLineOptions>(commandLine);
    if (options.ahead)
        return endWith(selvora::runSkedAhead(*options.ahead, selvora::defaultAheadSettingsFile()));

    QApplication application(argc, argv);
    // The desktop entry's name (packaging/): docks and task bars find the menu entry
    // and icon by it. The window carries the same icon itself, installed or not.
    QApplication::setDesktopFileName(QStringLiteral("org.selvora.Selvora"));
    QIcon icon;
    for (const int size : selvora::kIconSizes)
        icon.addPixmap(QPixmap::fromImage(selvora::renderIcon(size)));
    QApplication::setWindowIcon(icon);

    const selvora::SystemLocalClock clock;
    const selvora::HostTimeZoneSource timeZone;
    selvora::DesktopApp app(clock, timeZone);
    selvora::RigControl rig(app.window(), app.selvora(), app.windowTitle(),
                            selvora::defaultRigSettingsFile(), rigOptions);
    selvora::SkedAheadControl skedAhead(
        app.window(),
        [&app] { return app.selvora().fields().text(selvora::field("sked_frequency")); },
        selvora::defaultAheadSettingsFile());
    app.setAfterTick([&rig] { rig.afterTick(); });
    app.start();
    if (options.azelPath) app.selvora().useAzelPathForThisRun(options.azelPath->toStdString());
    if (options.skedMHz) app.selvora().chooseSkedForThisRun(options.skedMHz->toStdString());
    app.window().showChanges();
    return QApplication::exec();
}
