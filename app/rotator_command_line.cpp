#include "app/rotator_command_line.h"

#include <charconv>

namespace selvora {

namespace {

const QString kModel = QStringLiteral("rot-model");
const QString kFile = QStringLiteral("rot-file");
const QString kSpeed = QStringLiteral("rot-speed");
const QString kPoint = QStringLiteral("point");
const QString kTolerance = QStringLiteral("rot-tolerance");
const QString kMoveSeconds = QStringLiteral("rot-move-seconds");
const QString kMinElevation = QStringLiteral("rot-min-elevation");

std::optional<int> positiveNumber(const std::string& digits) {
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc{} || end != digits.data() + digits.size() || value <= 0)
        return std::nullopt;
    return value;
}

// Reads one option's value into `into` when it is given; the first problem is kept.
template <typename T, typename Read>
void readOption(const QCommandLineParser& parser, const QString& name, Read read,
                std::optional<T>& into, std::optional<std::string>& error) {
    if (!parser.isSet(name)) return;
    const Typed<T> typed = read(parser.value(name).toStdString());
    if (typed.value)
        into = typed.value;
    else if (!error)
        error = "--" + name.toStdString() + ": " + typed.whyNot;
}

Typed<int> readModel(const std::string& text) {
    if (const auto model = positiveNumber(text)) return {model, {}};
    return {std::nullopt, "\"" + text + "\" is not Hamlib's rotator model number, such as 2"};
}

Typed<int> readSpeed(const std::string& text) {
    if (const auto baud = positiveNumber(text)) return {baud, {}};
    return {std::nullopt, "\"" + text + "\" is not a speed in baud, such as 9600"};
}

QList<QCommandLineOption> rotatorOptions() {
    return {{kModel, QStringLiteral("Hamlib rotator model (2: NET rotctl, for a shared rotctld)."),
             QStringLiteral("N")},
            {kFile, QStringLiteral("The rotator's serial port, or HOST:PORT of rotctld."),
             QStringLiteral("PATH|HOST:PORT")},
            {kSpeed, QStringLiteral("Serial speed of the rotator's port."), QStringLiteral("BAUD")},
            {kPoint,
             QStringLiteral("Keep the antenna on the moon (azel.dat's line 1) or the sun "
                            "(line 2)."),
             QStringLiteral("moon|sun")},
            {kTolerance,
             QStringLiteral("Move the antenna once it is this many degrees off (default 1)."),
             QStringLiteral("DEG")},
            {kMoveSeconds,
             QStringLiteral("Move only in these seconds of the UTC minute, such as 50-59 "
                            "(between periods)."),
             QStringLiteral("A-B")},
            {kMinElevation,
             QStringLiteral("Never point the antenna lower than this elevation (default 0)."),
             QStringLiteral("DEG")}};
}

}  // namespace

OptionGroup rotatorOptionGroup(RotatorCommandLine& given) {
    return {rotatorOptions(), [&given](const QCommandLineParser& parser) -> std::optional<QString> {
                RotatorCommandLineReading reading = readRotatorOptions(parser);
                if (reading.error) return QString::fromStdString(*reading.error);
                given = reading.options;
                return std::nullopt;
            }};
}

RotatorCommandLineReading readRotatorOptions(const QCommandLineParser& parser) {
    RotatorCommandLineReading reading;
    RotatorCommandLine& options = reading.options;
    std::optional<std::string>& error = reading.error;
    readOption(parser, kModel, readModel, options.model, error);
    if (parser.isSet(kFile)) options.port = parser.value(kFile).toStdString();
    readOption(parser, kSpeed, readSpeed, options.serialSpeed, error);
    readOption(parser, kPoint, readPointAt, options.point, error);
    readOption(parser, kTolerance, readToleranceDeg, options.toleranceDeg, error);
    readOption(parser, kMoveSeconds, readMoveSeconds, options.moveSeconds, error);
    readOption(parser, kMinElevation, readMinElevationDeg, options.minElevationDeg, error);
    return reading;
}

}  // namespace selvora
