#include "app/desktop_app.h"

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <string>

#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include "app/saved_path.h"
#include "astro/time_zone.h"
#include "common/local_clock.h"
#include "support/desktop_under_test.h"
#include "support/fakes.h"
#include "support/temp_dir.h"

namespace selvora {
namespace {

using testing::FakeClock;
using testing::FakeMessages;
using testing::FakeZone;
using testing::TempWorkingDir;

// What WSJT-X writes on Linux while its Astronomical Data window is open.
constexpr const char* kWsjtxFile =
    "09:19:31,123.4, 45.6,Moon\n"
    "09:19:31,200.1, 12.0,Sun\n"
    "09:19:31,  0.0,  0.0,Source\n"
    " 1296,   124.3,   -1.25,   258.7,   -2.50,Doppler, R\n"
    "   -62.8,     4.7,    -2.0,Pol\n";

class DesktopAppTest : public testing::DesktopUnderTest {
  protected:
    QString shown(std::string_view name) {
        return qobject_cast<QLineEdit*>(app.window().widget(*findField(name)))->text();
    }
    void pressEnterIn(std::string_view name, const QString& typed) {
        auto* box = qobject_cast<QLineEdit*>(app.window().widget(*findField(name)));
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, typed);
        QTest::keyClick(box, Qt::Key_Return);
    }
};

TEST_F(DesktopAppTest, StartsWithTheSavedPathAndA480MsPreciseTimer) {
    const std::string path = dir.write("azel.dat", kWsjtxFile);
    dir.write(kSettingsFile, path + "\r\n");
    app.start();
    EXPECT_TRUE(app.window().isVisible());
    EXPECT_EQ(shown("azel_path").toStdString(), path);
    EXPECT_TRUE(app.timer().isActive());
    EXPECT_EQ(app.timer().interval(), 480);
    EXPECT_EQ(app.timer().timerType(), Qt::PreciseTimer);
}

TEST_F(DesktopAppTest, ShowsTheTrackingFileAndThePlanWithinOneTick) {
    dir.write(kSettingsFile, dir.write("azel.dat", kWsjtxFile) + "\r\n");
    app.start();
    app.tick();
    EXPECT_EQ(shown("moon_azimuth"), "123");
    EXPECT_EQ(shown("moon_elevation"), "46");
    EXPECT_EQ(shown("wsjt_band"), "1296");
    EXPECT_EQ(shown("mutual_doppler"), "124");
    EXPECT_EQ(shown("self_doppler"), "258");
    EXPECT_EQ(shown("mutual_hz_min"), "   -1.25");
    EXPECT_EQ(shown("sked_frequency"), "1296");  // seeded from the file's band
    EXPECT_EQ(shown("rx_own_echo"), "1296.00026");
    EXPECT_EQ(shown("utc_time"), "Monday Dec 07, 2026 09:19:33");
    EXPECT_FALSE(app.window().widget(field("path_warning"))->isVisible());

    pressEnterIn("sked_frequency", "1296.1");
    app.tick();
    EXPECT_EQ(shown("rx_own_echo"), "1296.10026");
    QTest::mouseClick(app.window().widget(field("hz1")), Qt::LeftButton);
    EXPECT_EQ(shown("rx_own_echo"), "1296.10026");  // seen by the next tick only
    app.tick();
    EXPECT_EQ(shown("rx_own_echo"), "1296.100258");
    EXPECT_EQ(shown("tx_own_echo"), "1296.100000");
    EXPECT_EQ(shown("tx_full_doppler"), "1296.099876");
}

TEST_F(DesktopAppTest, EndsAfterTheMap65MessageWithoutAnotherTick) {
    dir.write(kSettingsFile,
              dir.write("azel.dat", "12:00:01,1,2\r\n\r\n\r\n144,-51,138\r\n") + "\r\n");
    app.start();
    app.tick();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].ends);
    EXPECT_FALSE(app.timer().isActive());
}

// The real clock and the host's zone, as the program runs: the UTC time box shows the UTC time
// the C library gives, and the picture shown is the one the age caption names.
TEST(DesktopAppRealClock, ShowsUtcAndTheMatchingPhasePicture) {
    TempWorkingDir dir;
#ifndef _WIN32  // Windows takes its zone from its own settings, not from TZ
    const char* previous = std::getenv("TZ");
    const std::string restore = previous ? previous : "";
    ::setenv("TZ", "Asia/Kathmandu", 1);  // UTC+5:45, no daylight saving time
    ::tzset();
#endif
    const SystemLocalClock clock;
    const HostTimeZoneSource zone;
    FakeMessages messages;
    DesktopApp app(clock, zone, &messages);
    app.start();

    auto utcNow = [] {
        const std::time_t now = std::time(nullptr);
        std::tm utc{};
        gmtime_r(&now, &utc);
        char text[64];
        std::strftime(text, sizeof text, "%A %b %d, %Y %H:%M:%S", &utc);
        return std::string(text);
    };
    const std::string before = utcNow();
    app.tick();
    const std::string after = utcNow();
    const std::string shown =
        qobject_cast<QLineEdit*>(app.window().widget(field("utc_time")))->text().toStdString();
    EXPECT_TRUE(shown == before || shown == after) << shown << " vs " << before;

    const double age = std::stod(app.core().fields().text(field("moon_age_days")));
    int visible = 0;
    for (int k = 0; k < kPhaseCount; ++k) {
        if (!app.window().widget(phase(k))->isVisible()) continue;
        ++visible;
        EXPECT_LE(std::fabs(age - k), 0.5) << "picture " << k << " for age " << age;
    }
    EXPECT_EQ(visible, 1);

#ifndef _WIN32
    if (previous)
        ::setenv("TZ", restore.c_str(), 1);
    else
        ::unsetenv("TZ");
    ::tzset();
#endif
}

}  // namespace
}  // namespace selvora
