// The antenna seen from the window: its options, the settings kept between runs, the
// menus, the title and the settings dialog. The rotator is Hamlib's dummy (model 1),
// in-process.
#include "app/rotator_control.h"
#include "window/rotator_settings_dialog.h"

#include <chrono>
#include <thread>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QSettings>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "app/rig_control.h"
#include "app/saved_path.h"
#include "support/desktop_under_test.h"
#include "support/temp_dir.h"

namespace selvora {
namespace {

using namespace std::chrono_literals;

// The program's own command line with the antenna's options: what it reads, or the
// one line it ends with (exit status 2).
TEST(RotatorOptions, ReadsRotctlStyleOptionsAndRefusesWhatDoesNotRead) {
    const struct {
        QStringList arguments;
        RotatorCommandLine options;
        const char* refusedOption;  // the option the one line names; null when read
    } cases[] = {
        {{}, {}, nullptr},
        {{"--rot-model", "2", "--rot-file", "127.0.0.1:4533", "--point", "moon"},
         {.model = 2, .port = "127.0.0.1:4533", .point = PointAt::Moon},
         nullptr},
        {{"--rot-model=601", "--rot-file=/dev/ttyUSB1", "--rot-speed=9600", "--point=sun",
          "--rot-tolerance=0.2", "--rot-move-seconds=50-59", "--rot-min-elevation=5"},
         {601, "/dev/ttyUSB1", 9600, PointAt::Sun, 0.2, MoveSeconds{50, 59}, 5.0},
         nullptr},
        {{"--rot-move-seconds", "55-5"}, {.moveSeconds = MoveSeconds{55, 5}}, nullptr},
        {{"--rot-model", "two"}, {}, "--rot-model"},
        {{"--rot-model", "0"}, {}, "--rot-model"},
        {{"--rot-speed", "-9600"}, {}, "--rot-speed"},
        {{"--point", "mars"}, {}, "--point"},
        {{"--point", "Moon "}, {}, "--point"},
        {{"--rot-tolerance", "0"}, {}, "--rot-tolerance"},
        {{"--rot-tolerance", "1,5"}, {}, "--rot-tolerance"},
        {{"--rot-tolerance", "nan"}, {}, "--rot-tolerance"},
        {{"--rot-move-seconds", "50"}, {}, "--rot-move-seconds"},
        {{"--rot-move-seconds", "50-60"}, {}, "--rot-move-seconds"},
        {{"--rot-min-elevation", "ninety"}, {}, "--rot-min-elevation"},
        {{"--rot-min-elevation", "91"}, {}, "--rot-min-elevation"},
        // Only the first that does not read is said.
        {{"--point", "mars", "--rot-tolerance", "x"}, {}, "--point"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        RotatorCommandLine given;
        const CommandLine line =
            parseCommandLine(QStringList{"selvora"} + c.arguments, {rotatorOptionGroup(given)});
        if (c.refusedOption != nullptr) {
            const auto* exit = std::get_if<CommandLineExit>(&line);
            ASSERT_NE(exit, nullptr);
            EXPECT_EQ(exit->exitCode, 2);
            const QStringList lines = exit->text.split('\n', Qt::SkipEmptyParts);
            ASSERT_EQ(lines.size(), 2) << exit->text.toStdString();
            EXPECT_TRUE(lines[0].startsWith(QStringLiteral("selvora: %1: ").arg(c.refusedOption)))
                << lines[0].toStdString();
            EXPECT_EQ(lines[1], "Try 'selvora --help' for more information.");
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<CommandLineOptions>(line));
        EXPECT_EQ(given.model, c.options.model);
        EXPECT_EQ(given.port, c.options.port);
        EXPECT_EQ(given.serialSpeed, c.options.serialSpeed);
        EXPECT_EQ(given.point, c.options.point);
        EXPECT_EQ(given.toleranceDeg, c.options.toleranceDeg);
        EXPECT_EQ(given.moveSeconds, c.options.moveSeconds);
        EXPECT_EQ(given.minElevationDeg, c.options.minElevationDeg);
    }
}

TEST(SavedRotator, KeepsEverySettingAndTakesWhatDoesNotReadAsItsDefault) {
    const SavedRotator everything{
        {2, "localhost:4533", 0},
        PointAt::Sun,
        {0.2, MoveSeconds{50, 59}, 7.5, -170.0, 350.0},
    };
    const SavedRotator serial{{601, "/dev/ttyUSB1", 9600}, PointAt::Moon, {3.0, {}, 0.0, {}, {}}};
    const SavedRotator off{{1, "", 0}, std::nullopt, {}};
    testing::TempDir dir;
    const QString file = QString::fromStdString((dir.path() / "selvora" / "rotator.conf").string());
    for (const SavedRotator& rotator : {everything, serial, off, SavedRotator{}}) {
        saveRotator(file, rotator);
        EXPECT_EQ(loadSavedRotator(file), rotator);
    }
    EXPECT_EQ(loadSavedRotator(QString::fromStdString((dir.path() / "none.conf").string())),
              SavedRotator{});

    // A file edited by hand: what does not read keeps its default, the rest is kept.
    dir.write("hand.conf",
              "[rotator]\nmodel=2\nport=host:4533\nspeed=fast\npoint=mars\ntolerance=-1\n"
              "move_seconds=50-61\nmin_elevation=95\nmin_azimuth=x\nmax_azimuth=350\n");
    SavedRotator expected;
    expected.settings = {2, "host:4533", 0};
    expected.policy.maxAzimuthDeg = 350.0;
    EXPECT_EQ(loadSavedRotator(QString::fromStdString((dir.path() / "hand.conf").string())),
              expected);
}

// What WSJT-X writes on Linux, stamped at `second` past 09:19.
std::string wsjtxFile(int second) {
    const std::string stamp = "09:19:" + std::to_string(10 + second % 50);
    return stamp + ",123.4, 45.6,Moon\n" + stamp + ",200.1, 12.0,Sun\n" + stamp +
           ",  0.0,  0.0,Source\n 1296,   124.3,   -1.25,   258.7,   -2.50,Doppler, R\n"
           "   -62.8,     4.7,    -2.0,Pol\n";
}

class RotatorControlTest : public testing::DesktopUnderTest {
  protected:
    void SetUp() override {
        dir.write(kSettingsFile, dir.write("azel.dat", wsjtxFile(0)) + "\r\n");
        app.start();
        app.timer().stop();
    }
    QString settingsFile() const {
        return QString::fromStdString((dir.path() / "rotator.conf").string());
    }
    // Ticks until the title holds `state` (the worker answers on its own thread).
    bool tickUntilTitleHas(RotatorControl& rotator, const QString& state) {
        for (int i = 0; i < 300; ++i) {
            dir.write("azel.dat", wsjtxFile(i));  // rewritten every tick, as WSJT-X does
            app.tick();
            rotator.afterTick();
            if (app.window().windowTitle().contains(state)) return true;
            std::this_thread::sleep_for(20ms);
        }
        return false;
    }
    // Chooses the entry `down` places from the top of the context menu `widget` opens,
    // and lists the entries it showed (a checked one with a star).
    QStringList chooseFromMenu(QWidget* widget, int down) {
        QStringList seen;
        QTimer::singleShot(0, [&seen, down] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (menu == nullptr) return;
            for (QAction* action : menu->actions())
                if (!action->isSeparator())
                    seen << action->text() + (action->isChecked() ? "*" : "");
            for (int i = 0; i < down; ++i)
                QTest::keyClick(menu, Qt::Key_Down);
            QTest::keyClick(menu, Qt::Key_Return);
        });
        emit widget->customContextMenuRequested(widget->rect().center());
        return seen;
    }
    const QString base = QString::fromUtf8(kWindowCaption.data());
};

// The body chosen in the window is kept for the next run; the rotator given on the
// command line holds for this run only.
TEST_F(RotatorControlTest, PointsFromTheCommandLineAndKeepsOnlyTheWindowsChoices) {
    {
        RotatorControl rotator(app.window(), app.core(), app.windowTitle(), settingsFile(),
                               {.model = 1, .point = PointAt::Moon, .toleranceDeg = 2.0});
        EXPECT_EQ(rotator.inUse().policy.toleranceDeg, 2.0);
        ASSERT_TRUE(tickUntilTitleHas(rotator, base + " — antenna: moon"))
            << app.window().windowTitle().toStdString();
        rotator.point(PointAt::Sun);
        ASSERT_TRUE(tickUntilTitleHas(rotator, base + " — antenna: sun"))
            << app.window().windowTitle().toStdString();
    }
    EXPECT_EQ(loadSavedRotator(settingsFile()),
              (SavedRotator{RotatorSettings{}, PointAt::Sun, MovePolicy{}}));

    RotatorControl again(app.window(), app.core(), app.windowTitle(), settingsFile(), {.model = 1});
    EXPECT_EQ(again.pointing(), PointAt::Sun);
    again.stopAntenna();
    EXPECT_EQ(again.pointing(), std::nullopt);
    EXPECT_EQ(loadSavedRotator(settingsFile()).point, std::nullopt);
    ASSERT_TRUE(tickUntilTitleHas(again, base + " — antenna: stopped"))
        << app.window().windowTitle().toStdString();
}

// Not asked to move the antenna, Selvora opens no rotator and the title says nothing of it.
TEST_F(RotatorControlTest, SaysNothingOfAnAntennaItWasNeverAskedToMove) {
    RotatorControl rotator(app.window(), app.core(), app.windowTitle(), settingsFile(),
                           {.model = 1});
    for (int i = 0; i < 5; ++i) {
        app.tick();
        rotator.afterTick();
    }
    EXPECT_EQ(app.window().windowTitle(), base);
    EXPECT_EQ(rotator.worker().commandsSent(), 0u);
    rotator.park();
    ASSERT_TRUE(tickUntilTitleHas(rotator, base + " — antenna: parked"))
        << app.window().windowTitle().toStdString();
}

TEST_F(RotatorControlTest, TheMoonsDirectionAndEachSchemesRowHaveTheAntennasEntries) {
    RotatorControl rotator(app.window(), app.core(), app.windowTitle(), settingsFile(),
                           {.model = 1});
    const QStringList entries = {"Point the antenna at the moon", "Point the antenna at the sun",
                                 "Stop the antenna", "Park the antenna", "Antenna settings…"};
    // The first Down selects the first entry.
    EXPECT_EQ(chooseFromMenu(app.window().widget(field("moon_azimuth")), 2), entries);
    EXPECT_EQ(rotator.pointing(), PointAt::Sun);
    QStringList seen = chooseFromMenu(app.window().widget(field("moon_elevation")), 1);
    EXPECT_EQ(seen[1], "Point the antenna at the sun*");
    EXPECT_EQ(rotator.pointing(), PointAt::Moon);
    chooseFromMenu(app.window().widget(field("elevation_caption")), 3);
    EXPECT_EQ(rotator.pointing(), std::nullopt);

    // After the rig's own entries on a scheme's row ("Stop tuning the rig" is off, so
    // skipped by the keys).
    RigControl rig(app.window(), app.core(), app.windowTitle(),
                   QString::fromStdString((dir.path() / "rig.conf").string()), {.model = 1});
    rig.menus().setMoreEntries([&rotator](QMenu& menu) { rotator.menus().addEntries(menu); });
    seen = chooseFromMenu(app.window().widget(field("caption_cfom")), 4);
    EXPECT_EQ(seen, QStringList({"Tune the rig to CFOM", "Stop tuning the rig", "Rig settings…"}) +
                        entries);
    EXPECT_EQ(rotator.pointing(), PointAt::Sun);
    EXPECT_EQ(rig.tracked(), std::nullopt);
}

TEST(RotatorSettingsDialog, ReadsEveryBoxOrSaysWhichDoesNotRead) {
    const struct {
        const char* tolerance;
        const char* moveSeconds;
        const char* lowestElevation;
        const char* lowestAzimuth;
        const char* highestAzimuth;
        std::optional<MovePolicy> policy;  // none: refused, the problem names the box
        const char* box;
    } cases[] = {
        {"1", "", "", "", "", MovePolicy{}, nullptr},
        {"0.2", "50-59", "5", "-170", "350", MovePolicy{0.2, MoveSeconds{50, 59}, 5, -170, 350},
         nullptr},
        {"3", " 55-5 ", "0", "", "300", MovePolicy{3, MoveSeconds{55, 5}, 0, {}, 300}, nullptr},
        {"", "", "", "", "", MovePolicy{}, nullptr},  // a blank tolerance keeps the default
        {"-1", "", "", "", "", std::nullopt, "Tolerance in degrees"},
        {"1", "50", "", "", "", std::nullopt, "Move seconds"},
        {"1", "", "high", "", "", std::nullopt, "Lowest elevation in degrees"},
        {"1", "", "", "x", "", std::nullopt, "Lowest azimuth in degrees"},
        {"1", "", "", "", "1000", std::nullopt, "Highest azimuth in degrees"},
        {"1", "", "", "350", "10", std::nullopt, "Azimuth limits"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tolerance + std::string(" / ") + c.moveSeconds + " / " + c.lowestAzimuth +
                     " / " + c.highestAzimuth);
        RotatorSettingsDialog dialog({2, "localhost:4533", 0}, {});
        dialog.tolerance()->setText(c.tolerance);
        dialog.moveSeconds()->setText(c.moveSeconds);
        dialog.lowestElevation()->setText(c.lowestElevation);
        dialog.lowestAzimuth()->setText(c.lowestAzimuth);
        dialog.highestAzimuth()->setText(c.highestAzimuth);
        dialog.accept();
        if (c.policy) {
            EXPECT_EQ(dialog.result(), QDialog::Accepted);
            EXPECT_EQ(dialog.policy(), *c.policy);
            continue;
        }
        EXPECT_NE(dialog.result(), QDialog::Accepted);
        EXPECT_TRUE(dialog.problem()->text().startsWith(QString(c.box) + ": "))
            << dialog.problem()->text().toStdString();
        EXPECT_EQ(dialog.policy(), MovePolicy{});  // the settings it opened with
    }
}

TEST(RotatorSettingsDialog, ShowsTheSettingsItOpensWithAndTestsOffTheWindowsThread) {
    const MovePolicy policy{0.5, MoveSeconds{50, 59}, 3, {}, 350};
    RotatorSettingsDialog dialog({2, "localhost:4533", 0}, policy);
    EXPECT_EQ(dialog.settings(), (RotatorSettings{2, "localhost:4533", 0}));
    EXPECT_EQ(dialog.tolerance()->text(), "0.5");
    EXPECT_EQ(dialog.moveSeconds()->text(), "50-59");
    EXPECT_EQ(dialog.lowestElevation()->text(), "3");
    EXPECT_EQ(dialog.lowestAzimuth()->text(), "");
    EXPECT_EQ(dialog.highestAzimuth()->text(), "350");
    dialog.search()->setText("dummy");
    ASSERT_GE(dialog.models()->count(), 1);
    int dummyRow = -1;
    for (int row = 0; row < dialog.models()->count(); ++row)
        if (dialog.models()->item(row)->text().endsWith("(1)")) dummyRow = row;
    ASSERT_GE(dummyRow, 0);
    dialog.models()->setCurrentRow(dummyRow);
    dialog.port()->setText("");
    EXPECT_EQ(dialog.settings(), (RotatorSettings{1, "", 0}));
    dialog.search()->setText("no rotator");
    ASSERT_EQ(dialog.models()->count(), 1);
    dialog.models()->setCurrentRow(0);
    EXPECT_EQ(dialog.settings().model, 0);
    dialog.search()->setText("dummy");
    dialog.models()->setCurrentRow(dummyRow);

    dialog.startTest();
    EXPECT_EQ(dialog.testResult()->text(), "Asking the rotator…");
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return dialog.testResult()->text() != "Asking the rotator…"; }, 10000));
    EXPECT_EQ(dialog.testResult()->text(), "The antenna points at 0.0° 0.0°.");
}

}  // namespace
}  // namespace selvora
