// The rig's command-line options, named as rigctl names them: --rig-model N,
// --rig-file PATH|HOST:PORT, --rig-speed BAUD, --track SCHEME, and --transverter
// BAND:LO_MHZ (as often as there are transverters).
#pragma once

#include <optional>
#include <string>

#include <QCommandLineParser>

#include "app/command_line.h"
#include "plan/sked_scheme.h"
#include "rig/hamlib_rig.h"
#include "rig/transverter.h"

namespace selvora {

// What the command line asks of the rig; each part left out keeps the saved setting.
struct RigCommandLine {
    std::optional<int> model;
    std::optional<std::string> port;
    std::optional<int> serialSpeed;
    std::optional<SkedScheme> track;
    TransverterOffsets transverters;  // added to the saved ones, a band's last one winning
};

// The options as given, or what is wrong with them ("--track takes one of full-doppler, ...").
struct RigCommandLineReading {
    RigCommandLine options;
    std::optional<std::string> error;
};
RigCommandLineReading readRigOptions(const QCommandLineParser& parser);

// The rig's options for the program's command line: a successful parse fills `given`.
OptionGroup rigOptionGroup(RigCommandLine& given);

}  // namespace selvora
