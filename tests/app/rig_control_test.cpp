// The rig seen from the window: options, the context menu, the marked caption, the title,
// and the settings kept between runs. The rig is Hamlib's dummy (model 1), in-process.
#include "app/rig_control.h"
#include "window/rig_settings_dialog.h"

#include <chrono>
#include <thread>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "app/desktop_app.h"
#include "app/saved_path.h"
#include "display/scheme_fields.h"
#include "support/desktop_under_test.h"
#include "support/fakes.h"
#include "support/temp_dir.h"

namespace selvora {
namespace {

using namespace std::chrono_literals;

TEST(RigOptions, ReadsRigctlStyleOptionsAndRefusesNonsense) {
    const struct {
        QStringList arguments;
        RigCommandLine options;
        const char* error;
    } cases[] = {
        {{}, {}, nullptr},
        {{"--rig-model", "2", "--rig-file", "localhost:4532", "--track", "cfom"},
         {2, "localhost:4532", std::nullopt, SkedScheme::Cfom},
         nullptr},
        {{"--rig-model=3073", "--rig-file=/dev/ttyUSB0", "--rig-speed=19200", "--track=own-echo"},
         {3073, "/dev/ttyUSB0", 19200, SkedScheme::OwnEcho},
         nullptr},
        {{"--track", "CFOM"},
         {},
         "--track takes one of full-doppler, own-echo, cfom, dx-echo, "
         "call-dx, no-doppler"},
        {{"--transverter", "10368:10224", "--transverter=1296:1152", "--transverter",
          "10368:10223.9"},
         {.transverters = {{1296, 1152000000}, {10368, 10223900000}}},
         nullptr},
        {{"--transverter", "10368"},
         {},
         "--transverter: \"10368\" is not BAND:LO_MHZ, such as 1296:1152"},
        {{"--rig-model", "two"}, {}, "--rig-model takes Hamlib's model number, such as 2"},
        {{"--rig-speed", "-9600"}, {}, "--rig-speed takes a speed in baud, such as 38400"},
    };
    for (const auto& c : cases) {
        QCommandLineParser parser;
        RigCommandLine unused;
        parser.addOptions(rigOptionGroup(unused).options);
        ASSERT_TRUE(parser.parse(QStringList{"selvora"} + c.arguments));
        const RigCommandLineReading reading = readRigOptions(parser);
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        if (c.error != nullptr) {
            EXPECT_EQ(reading.error, c.error);
            continue;
        }
        EXPECT_EQ(reading.error, std::nullopt);
        EXPECT_EQ(reading.options.model, c.options.model);
        EXPECT_EQ(reading.options.port, c.options.port);
        EXPECT_EQ(reading.options.serialSpeed, c.options.serialSpeed);
        EXPECT_EQ(reading.options.track, c.options.track);
        EXPECT_EQ(reading.options.transverters, c.options.transverters);
    }
}

// What WSJT-X writes on Linux, stamped at `second` past 09:19.
std::string wsjtxFile(int second) {
    const std::string stamp = "09:19:" + std::to_string(10 + second % 50);
    return stamp + ",123.4, 45.6,Moon\n" + stamp + ",200.1, 12.0,Sun\n" + stamp +
           ",  0.0,  0.0,Source\n 1296,   124.3,   -1.25,   258.7,   -2.50,Doppler, R\n"
           "   -62.8,     4.7,    -2.0,Pol\n";
}

class RigControlTest : public testing::DesktopUnderTest {
  protected:
    QString settingsFile() const {
        return QString::fromStdString((dir.path() / "rig.conf").string());
    }
    QLabel* caption(SkedScheme scheme) {
        return qobject_cast<QLabel*>(app.window().widget(kSchemeFields[schemeRow(scheme)].caption));
    }
    // Ticks until the title says `state` (the worker answers on its own thread).
    bool tickUntilTitleEnds(RigControl& rig, const QString& state) {
        for (int i = 0; i < 200; ++i) {
            dir.write("azel.dat", wsjtxFile(i));  // rewritten every tick, as WSJT-X does
            app.tick();
            rig.afterTick();
            if (app.window().windowTitle().endsWith(state)) return true;
            std::this_thread::sleep_for(20ms);
        }
        return false;
    }
};

// The scheme chosen in the window is kept for the next run; the rig model given on
// the command line holds for this run only.
TEST_F(RigControlTest, MarksTheTrackedSchemeAndKeepsTheChoiceForTheNextRun) {
    dir.write(kSettingsFile, dir.write("azel.dat", wsjtxFile(0)) + "\r\n");
    app.start();
    app.timer().stop();
    app.core().chooseSkedForThisRun("1296.1");
    {
        RigControl rig(app.window(), app.core(), app.windowTitle(), settingsFile(),
                       {.model = 1, .transverters = {{10368, 10224000000}}});
        EXPECT_EQ(app.window().windowTitle(), "wsjt  Selvora v1.3 - Tarnwick");
        rig.track(SkedScheme::Cfom);
        ASSERT_TRUE(tickUntilTitleEnds(rig, " — rig: CFOM"))
            << app.window().windowTitle().toStdString();
        EXPECT_TRUE(caption(SkedScheme::Cfom)->font().bold());
        EXPECT_FALSE(caption(SkedScheme::OwnEcho)->font().bold());
        EXPECT_EQ(caption(SkedScheme::Cfom)->accessibleName(), "CFOM, tracked on the rig");

        rig.track(SkedScheme::OwnEcho);
        EXPECT_FALSE(caption(SkedScheme::Cfom)->font().bold());
        ASSERT_TRUE(tickUntilTitleEnds(rig, " — rig: Own Echo"));
    }
    RigControl again(app.window(), app.core(), app.windowTitle(), settingsFile());
    EXPECT_EQ(again.tracked(), SkedScheme::OwnEcho);
    EXPECT_EQ(again.settings(), RigSettings{});
    EXPECT_TRUE(again.transverters().empty());
    again.stopTracking();
    EXPECT_EQ(app.window().windowTitle(), "wsjt  Selvora v1.3 - Tarnwick");
    EXPECT_FALSE(caption(SkedScheme::OwnEcho)->font().bold());
}

TEST_F(RigControlTest, TellsWhyTheRigIsNotFollowingInTheTitleAndTheToolTip) {
    app.start();
    app.timer().stop();
    app.core().chooseSkedForThisRun("1296.1");
    app.core().fields().setText(field("azel_path"), (dir.path() / "none" / "azel.dat").string());
    {
        RigControl rig(app.window(), app.core(), app.windowTitle(), settingsFile(),
                       {.model = 1, .track = SkedScheme::Cfom});
        ASSERT_TRUE(tickUntilTitleEnds(rig, " — rig: waiting for azel.dat (not found)"));
        EXPECT_EQ(caption(SkedScheme::Cfom)->toolTip(), "waiting for azel.dat (not found)");
    }
    app.core().fields().setText(field("azel_path"), (dir.path() / "azel.dat").string());
    RigControl rig(app.window(), app.core(), app.windowTitle(), settingsFile(),
                   {.model = 2, .port = "127.0.0.1:1", .track = SkedScheme::Cfom});
    ASSERT_TRUE(tickUntilTitleEnds(rig, " — rig: no answer (IO error)"))
        << app.window().windowTitle().toStdString();
    EXPECT_EQ(caption(SkedScheme::Cfom)->toolTip(), "IO error");
}

TEST_F(RigControlTest, TheRowsContextMenuTunesAndStops) {
    app.start();
    app.timer().stop();
    RigControl rig(app.window(), app.core(), app.windowTitle(), settingsFile(), {.model = 1});
    const auto chooseFromMenu = [&](FieldId id, int down, QStringList* seen) {
        QTimer::singleShot(0, [=] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (menu == nullptr) return;
            for (QAction* action : menu->actions())
                if (!action->isSeparator())
                    *seen << action->text() + (action->isChecked() ? "*" : "");
            for (int i = 0; i < down; ++i)
                QTest::keyClick(menu, Qt::Key_Down);
            QTest::keyClick(menu, Qt::Key_Return);
        });
        QWidget* widget = app.window().widget(id);
        emit widget->customContextMenuRequested(widget->rect().center());
    };
    QStringList seen;
    chooseFromMenu(field("tx_dx_echo"), 1, &seen);
    EXPECT_EQ(rig.tracked(), SkedScheme::DxEcho);
    EXPECT_EQ(seen,
              (QStringList{"Tune the rig to On DX Echo", "Stop tuning the rig", "Rig settings…"}));
    seen.clear();
    chooseFromMenu(field("caption_dx_echo"), 2, &seen);
    EXPECT_EQ(seen.first(), "Tune the rig to On DX Echo*");
    EXPECT_EQ(rig.tracked(), std::nullopt);
}

TEST(RigSettingsDialog, FindsAModelByMakerAndNameAndTestsItOffTheWindowsThread) {
    RigSettingsDialog dialog({2, "localhost:4532", 0});
    EXPECT_EQ(dialog.settings(), (RigSettings{2, "localhost:4532", 0}));
    const QString hamlib = dialog.hamlib()->text();
    EXPECT_TRUE(hamlib.startsWith("Hamlib 4.") && hamlib.contains("(libhamlib"))
        << hamlib.toStdString();
    dialog.search()->setText("dummy HAMLIB");
    ASSERT_GE(dialog.models()->count(), 1);
    int dummyRow = -1;
    for (int row = 0; row < dialog.models()->count(); ++row) {
        const QString text = dialog.models()->item(row)->text();
        EXPECT_TRUE(text.contains("Hamlib") && text.contains("Dummy")) << text.toStdString();
        if (text == "Hamlib Dummy (1)") dummyRow = row;
    }
    ASSERT_GE(dummyRow, 0);
    dialog.models()->setCurrentRow(dummyRow);
    dialog.port()->setText("");
    EXPECT_EQ(dialog.settings(), (RigSettings{1, "", 0}));

    dialog.startTest();
    EXPECT_EQ(dialog.testResult()->text(), "Asking the rig…");
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return dialog.testResult()->text() == "The rig is on 145.000000 MHz."; }, 10000))
        << dialog.testResult()->text().toStdString();
}

}  // namespace
}  // namespace selvora
