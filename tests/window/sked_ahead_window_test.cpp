// The Sked ahead window's warning: in plain sight when the sun sits by the moon or the
// polarization makes the path one-way, gone when nothing spoils the sked or the inputs
// do not read; the copied text carries the same warning and figures.
#include "window/sked_ahead_window.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace selvora {
namespace {

using namespace std::chrono;

sys_seconds fixedNow() {
    return sys_days{2026y / 12 / 9} + 21h + 30min;
}

TEST(SkedAheadWindowWarning, ShowsWhatSpoilsTheSkedAndOnlyThat) {
    const struct {
        const char *utc, *sked, *myGrid, *dxGrid;
        const char* warning;  // how the shown warning starts; "" for none
    } rows[] = {
        // The eclipse of 2024 April 8 over Texas, at 10 GHz.
        {"2024-04-08 18:20:00", "10368.1", "EM12kx", "FN31pr", "Warning: the sun is 0."},
        // The same sked a week later: no sun near, a small offset.
        {"2024-04-15 18:20:00", "10368.1", "EM12kx", "FN31pr", ""},
        // A 38 deg offset (captured from WSJT-X: MNR 12.8 dB).
        {"2026-12-05 18:38:45", "1296.1", "DD28bn", "IH38ml", "Warning: non-reciprocity 12."},
        // Inputs that do not read: nothing planned, nothing warned.
        {"2026-12-05 18:38:45", "1296.1", "DD28bn", "XX", ""},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.utc);
        SkedAheadWindow window({r.utc, r.sked, r.myGrid, r.dxGrid, 0}, fixedNow, nullptr);
        window.show();
        const std::string warning = window.warningText();
        EXPECT_TRUE(warning.starts_with(r.warning)) << warning;
        EXPECT_EQ(warning.empty(), std::string(r.warning).empty()) << warning;
        bool shown = false;
        for (const QLabel* label : window.findChildren<QLabel*>())
            shown = shown || (label->isVisible() &&
                              label->text().startsWith(QString::fromUtf8("Warning: ")));
        EXPECT_EQ(shown, !warning.empty());
        if (!warning.empty()) {
            EXPECT_NE(window.planText().find(warning), std::string::npos) << window.planText();
            EXPECT_NE(window.planText().find("Polarization offset: "), std::string::npos);
        }
    }
}

SkedAheadWindow::Start jo22ToFn31() {
    return {"2026-12-09 21:30:00", "1296.1", "JO22nb", "FN31pr", 0.0};
}

// The offscreen screen (800 x 600) is smaller than the window would like to be, as a
// Raspberry Pi's 800 x 480 screen is: the window must open within it, Copy in sight.
TEST(SkedAheadWindow, OpensWithinTheScreenWithCopyInSight) {
    SkedAheadWindow window(jo22ToFn31(), fixedNow,
                           [](const std::string&, const std::string&, double) {});
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QRect screen = window.screen()->availableGeometry();
    EXPECT_LE(window.width(), screen.width());
    EXPECT_LE(window.height(), screen.height());
    const auto* copy = window.findChild<QPushButton*>();
    ASSERT_NE(copy, nullptr);
    const QRect copyArea(copy->mapTo(&window, QPoint(0, 0)), copy->size());
    EXPECT_TRUE(window.rect().contains(copyArea));
    EXPECT_FALSE(window.planText().empty());
}

TEST(SkedAheadWindow, ItsLayoutFitsTheRaspberryPiScreen) {
    SkedAheadWindow window(jo22ToFn31(), fixedNow,
                           [](const std::string&, const std::string&, double) {});
    const QSize smallest = window.minimumSizeHint();
    EXPECT_LE(smallest.width(), 800);
    EXPECT_LE(smallest.height(), 480);
}

}  // namespace
}  // namespace selvora
