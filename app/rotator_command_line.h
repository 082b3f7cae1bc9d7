// The antenna's command-line options, named after rotctl's: --rot-model N, --rot-file
// PATH|HOST:PORT, --rot-speed BAUD, --point moon|sun, --rot-tolerance DEG,
// --rot-move-seconds A-B and --rot-min-elevation DEG.
#pragma once

#include <optional>
#include <string>

#include <QCommandLineParser>

#include "app/command_line.h"
#include "rotator/rotator_settings.h"

namespace selvora {

// What the command line asks of the antenna for this run; each part left out keeps
// the saved setting.
struct RotatorCommandLine {
    std::optional<int> model;
    std::optional<std::string> port;
    std::optional<int> serialSpeed;
    std::optional<PointAt> point;
    std::optional<double> toleranceDeg;
    std::optional<MoveSeconds> moveSeconds;
    std::optional<double> minElevationDeg;
};

// The options as given, or the first that does not read, in one line
// ("--rot-move-seconds: ...").
struct RotatorCommandLineReading {
    RotatorCommandLine options;
    std::optional<std::string> error;
};
RotatorCommandLineReading readRotatorOptions(const QCommandLineParser& parser);

// The antenna's options for the program's command line: a successful parse fills `given`.
OptionGroup rotatorOptionGroup(RotatorCommandLine& given);

}  // namespace selvora
