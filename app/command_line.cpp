#include "app/command_line.h"

#include <cmath>

#include "common/numbers.h"

namespace selvora {
namespace {

const QString kProgramName = QStringLiteral("selvora");

// Options QApplication takes for itself (-platform xcb, -display :1 ...). They are
// accepted here so that QApplication still sees them; they are not ours to list.
const QStringList kQtValueOptions = {
    QStringLiteral("platform"),      QStringLiteral("platformpluginpath"),
    QStringLiteral("platformtheme"), QStringLiteral("plugin"),
    QStringLiteral("display"),       QStringLiteral("style"),
    QStringLiteral("stylesheet"),    QStringLiteral("qwindowgeometry"),
    QStringLiteral("qwindowtitle"),  QStringLiteral("qwindowicon"),
    QStringLiteral("session"),       QStringLiteral("geometry")};
const QStringList kQtFlagOptions = {QStringLiteral("reverse"), QStringLiteral("widgetcount"),
                                    QStringLiteral("nograb"), QStringLiteral("dograb"),
                                    QStringLiteral("sync")};

const QString kQtOptionsNote = QStringLiteral(
    "\nQt's own options are accepted as by every Qt program, among them\n"
    "  -platform <name>, -display <display>, -style <style>, -reverse,\n"
    "  -qwindowgeometry <geometry>, -qwindowtitle <title>.\n");

QCommandLineOption hidden(QCommandLineOption option) {
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    return option;
}

void addQtOptions(QCommandLineParser& parser) {
    for (const QString& name : kQtValueOptions)
        parser.addOption(hidden(QCommandLineOption(name, {}, QStringLiteral("value"))));
    for (const QString& name : kQtFlagOptions)
        parser.addOption(hidden(QCommandLineOption(name)));
}

const QCommandLineOption kAzelOption(
    QStringLiteral("azel"),
    QStringLiteral("Read the azel.dat at <path> for this run, as if typed into the path box; "
                   "doppler.ini is not changed. A leading ~/ is your home folder."),
    QStringLiteral("path"));

const QCommandLineOption kSkedOption(
    QStringLiteral("sked"),
    QStringLiteral("Start with <MHz> as the sked frequency, as if typed and entered; the first "
                   "read of azel.dat on its band keeps it, and a tracked rig follows it."),
    QStringLiteral("MHz"));

const QCommandLineOption kAheadOption(
    QStringLiteral("ahead"),
    QStringLiteral("Print, without a window, the moon at both stations, the Dopplers and the "
                   "six schemes' figures at --sked for the time --at, and the common moon "
                   "windows of the --days that follow. Needs --sked and --dx-grid."));
const QCommandLineOption kAtOption(QStringLiteral("at"),
                                   QStringLiteral("With --ahead: the UTC time 'YYYY-MM-DD "
                                                  "HH:MM:SS' to plan for; now when not given."),
                                   QStringLiteral("time"));
const QCommandLineOption kMyGridOption(
    QStringLiteral("my-grid"),
    QStringLiteral("With --ahead: your locator; else the one saved in the Sked ahead window, "
                   "else WSJT-X's."),
    QStringLiteral("locator"));
const QCommandLineOption kDxGridOption(QStringLiteral("dx-grid"),
                                       QStringLiteral("With --ahead: the DX station's locator."),
                                       QStringLiteral("locator"));
const QCommandLineOption kDaysOption(
    QStringLiteral("days"),
    QStringLiteral("With --ahead: how many days of common moon windows (default 7)."),
    QStringLiteral("N"));
const QCommandLineOption kMinElevationOption(
    QStringLiteral("min-elevation"),
    QStringLiteral("With --ahead: the lowest moon elevation at both stations, in degrees "
                   "(default 0)."),
    QStringLiteral("degrees"));

const QList<QCommandLineOption> kAheadValueOptions = {kAtOption, kMyGridOption, kDxGridOption,
                                                      kDaysOption, kMinElevationOption};

std::optional<std::string> valueOf(const QCommandLineParser& parser,
                                   const QCommandLineOption& option) {
    if (!parser.isSet(option)) return std::nullopt;
    return parser.value(option).toStdString();
}

AheadArguments aheadArguments(const QCommandLineParser& parser) {
    return {valueOf(parser, kAtOption),     valueOf(parser, kMyGridOption),
            valueOf(parser, kDxGridOption), valueOf(parser, kSkedOption),
            valueOf(parser, kDaysOption),   valueOf(parser, kMinElevationOption)};
}

// A sked frequency is a positive number of MHz, written plainly ("1296.1").
bool isSkedFrequency(const QString& text) {
    const std::optional<double> mhz = strictNumber(text.toStdString());
    return mhz && *mhz > 0 && std::isfinite(*mhz);
}

CommandLineExit usageError(const QString& message) {
    return {kUsageExitCode, QStringLiteral("%1: %2\nTry '%1 --help' for more information.\n")
                                .arg(kProgramName, message)};
}

QString versionText() {
    return QStringLiteral("Selvora %1\n").arg(QStringLiteral(SELVORA_VERSION));
}

// Qt names the program after the running QApplication's argv[0], or "<executable_name>"
// before there is one: the usage line always names the installed command instead.
QString helpText(const QCommandLineParser& parser) {
    QString text = parser.helpText();
    const qsizetype lineEnd = text.indexOf('\n');
    text.replace(0, lineEnd, QStringLiteral("Usage: %1 [options]").arg(kProgramName));
    return text;
}

}  // namespace

QStringList argumentList(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

CommandLine parseCommandLine(const QStringList& arguments, const std::vector<OptionGroup>& groups) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Doppler sked frequencies for moon-bounce (EME) operators, from the "
                       "azel.dat WSJT-X writes."));
    // Qt's own options are single-dash words (-platform); ours are --long.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addOption(kAzelOption);
    parser.addOption(kSkedOption);
    parser.addOption(kAheadOption);
    parser.addOptions(kAheadValueOptions);
    for (const OptionGroup& group : groups)
        parser.addOptions(group.options);
    addQtOptions(parser);

    if (!parser.parse(arguments)) return usageError(parser.errorText());
    if (parser.isSet(help)) return CommandLineExit{0, helpText(parser)};
    if (parser.isSet(QStringLiteral("help-all")))
        return CommandLineExit{0, helpText(parser) + kQtOptionsNote};
    if (parser.isSet(version)) return CommandLineExit{0, versionText()};
    if (!parser.positionalArguments().isEmpty())
        return usageError(QStringLiteral("Unexpected argument '%1'.")
                              .arg(parser.positionalArguments().constFirst()));
    for (const OptionGroup& group : groups)
        if (const auto problem = group.read(parser)) return usageError(*problem);

    CommandLineOptions options;
    if (parser.isSet(kAheadOption)) {
        options.ahead = aheadArguments(parser);
        return options;
    }
    for (const QCommandLineOption& option : kAheadValueOptions)
        if (parser.isSet(option))
            return usageError(
                QStringLiteral("--%1 is used with --ahead.").arg(option.names().constFirst()));
    if (parser.isSet(kAzelOption)) options.azelPath = parser.value(kAzelOption);
    if (parser.isSet(kSkedOption)) {
        options.skedMHz = parser.value(kSkedOption);
        if (!isSkedFrequency(*options.skedMHz))
            return usageError(QStringLiteral("--sked: '%1' is not a frequency in MHz, such as "
                                             "1296.1.")
                                  .arg(*options.skedMHz));
    }
    return options;
}

}  // namespace selvora
