#include "app/rig_command_line.h"

#include <charconv>

namespace selvora {

namespace {

const QString kModel = QStringLiteral("rig-model");
const QString kFile = QStringLiteral("rig-file");
const QString kSpeed = QStringLiteral("rig-speed");
const QString kTrack = QStringLiteral("track");
const QString kTransverter = QStringLiteral("transverter");

std::optional<int> positiveNumber(const QString& text) {
    const std::string digits = text.toStdString();
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc{} || end != digits.data() + digits.size() || value <= 0)
        return std::nullopt;
    return value;
}

std::string schemeNames() {
    std::string names;
    for (const auto& info : kSkedSchemes)
        names += (names.empty() ? "" : ", ") + std::string(info.name);
    return names;
}

}  // namespace

QList<QCommandLineOption> rigOptions() {
    return {{kModel, QStringLiteral("Hamlib rig model (2: NET rigctl, for a shared rigctld)."),
             QStringLiteral("N")},
            {kFile, QStringLiteral("The rig's serial port, or HOST:PORT of rigctld."),
             QStringLiteral("PATH|HOST:PORT")},
            {kSpeed, QStringLiteral("Serial speed of the rig's port."), QStringLiteral("BAUD")},
            {kTrack,
             QStringLiteral("Keep the rig on this scheme: %1.")
                 .arg(QString::fromStdString(schemeNames())),
             QStringLiteral("SCHEME")},
            {kTransverter,
             QStringLiteral("The rig is an IF rig behind a transverter on BAND MHz, whose local "
                            "oscillator is LO_MHZ: the rig gets the shown figure less the LO. "
                            "Once per band, such as --transverter 10368:10224."),
             QStringLiteral("BAND:LO_MHZ")}};
}

OptionGroup rigOptionGroup(RigCommandLine& given) {
    return {rigOptions(), [&given](const QCommandLineParser& parser) -> std::optional<QString> {
                RigCommandLineReading reading = readRigOptions(parser);
                if (reading.error) return QString::fromStdString(*reading.error);
                given = reading.options;
                return std::nullopt;
            }};
}

RigCommandLineReading readRigOptions(const QCommandLineParser& parser) {
    RigCommandLineReading reading;
    RigCommandLine& options = reading.options;
    if (parser.isSet(kModel) && !(options.model = positiveNumber(parser.value(kModel))))
        reading.error = "--rig-model takes Hamlib's model number, such as 2";
    if (parser.isSet(kFile)) options.port = parser.value(kFile).toStdString();
    if (parser.isSet(kSpeed) && !(options.serialSpeed = positiveNumber(parser.value(kSpeed))))
        reading.error = "--rig-speed takes a speed in baud, such as 38400";
    if (parser.isSet(kTrack) && !(options.track = schemeNamed(parser.value(kTrack).toStdString())))
        reading.error = "--track takes one of " + schemeNames();
    for (const QString& text : parser.values(kTransverter)) {
        const TransverterReading transverter = readTransverter(text.toStdString());
        if (!transverter.offset)
            reading.error = "--transverter: " + transverter.problem;
        else
            addTransverter(options.transverters, *transverter.offset);
    }
    return reading;
}

}  // namespace selvora
