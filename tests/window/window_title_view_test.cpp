#include <string>

#include <gtest/gtest.h>

#include "app/desktop_app.h"
#include "app/saved_path.h"
#include "display/window_title.h"
#include "support/fakes.h"
#include "support/temp_dir.h"

namespace selvora {
namespace {

using testing::FakeClock;
using testing::FakeMessages;
using testing::FakeZone;
using testing::TempWorkingDir;

TEST(WindowTitleView, LeadsWithTheWarningAndEndsWithTheSuffix) {
    const struct {
        bool stale;
        const char* suffix;
        const char* title;
    } cases[] = {
        {false, "", "wsjt  Selvora v1.3 - Tarnwick"},
        {true, "", "AZEL IS NOT UPDATING \u2014 wsjt  Selvora v1.3 - Tarnwick"},
        {false, "rig: IC-9700", "wsjt  Selvora v1.3 - Tarnwick \u2014 rig: IC-9700"},
        {true, "rig: IC-9700",
         "AZEL IS NOT UPDATING \u2014 wsjt  Selvora v1.3 - Tarnwick \u2014 rig: IC-9700"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(windowTitle(kWindowCaption, c.stale, c.suffix), c.title);
}

std::string azelAt(const std::string& time) {
    return time + ",123.4, 45.6,Moon\n" + time + ",200.1, 12.0,Sun\n" + time +
           ",  0.0,  0.0,Source\n 1296,   124.3,   -1.25,   258.7,   -2.50,Doppler, R\n";
}

// The title and one request for attention follow "AZEL IS NOT UPDATING" in and out.
TEST(WindowTitleView, TitleAndOneAlertWhileTheWarningShows) {
    TempWorkingDir dir;
    dir.write(kSettingsFile, dir.write("azel.dat", azelAt("09:19:31")) + "\r\n");
    FakeClock clock{{2026, 12, 7, 9, 19, 33}};
    FakeZone zone;
    FakeMessages messages;
    DesktopApp app(clock, zone, &messages);
    int alerts = 0;
    app.windowTitle().setAlert([&](QWidget* window) {
        EXPECT_EQ(window, &app.window());
        ++alerts;
    });
    const QString base = QString::fromUtf8(kWindowCaption.data());
    const QString stale = QStringLiteral("AZEL IS NOT UPDATING \u2014 ") + base;
    app.start();

    int ticks = 0;
    for (; ticks < 10 && app.window().windowTitle() == base; ++ticks) {
        EXPECT_EQ(alerts, 0);
        app.tick();
    }
    EXPECT_EQ(ticks, 6);  // six reads of one time stamp
    EXPECT_EQ(app.window().windowTitle(), stale);
    EXPECT_TRUE(app.core().tracking().stale);
    for (int i = 0; i < 5; ++i)
        app.tick();
    EXPECT_EQ(alerts, 1);  // once, not on every stale tick

    dir.write("azel.dat", azelAt("09:19:34"));
    app.tick();
    EXPECT_EQ(app.window().windowTitle(), base);
    EXPECT_FALSE(app.core().tracking().stale);

    // The rig's state, then the antenna's; either alone.
    app.windowTitle().setAntennaState("antenna: moon 123.4° 45.6°");
    EXPECT_EQ(app.window().windowTitle(),
              base + QStringLiteral(" \u2014 antenna: moon 123.4° 45.6°"));
    app.windowTitle().setRigState("rig: IC-9700");
    EXPECT_EQ(app.window().windowTitle(),
              base + QStringLiteral(" \u2014 rig: IC-9700 \u2014 antenna: moon 123.4° 45.6°"));
    app.windowTitle().setAntennaState("");
    EXPECT_EQ(app.window().windowTitle(), base + QStringLiteral(" \u2014 rig: IC-9700"));
    for (int i = 0; i < 6; ++i)
        app.tick();
    EXPECT_EQ(app.window().windowTitle(), stale + QStringLiteral(" \u2014 rig: IC-9700"));
    EXPECT_EQ(alerts, 2);  // the next stop asks again
}

}  // namespace
}  // namespace selvora
