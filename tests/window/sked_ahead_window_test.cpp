#include "window/sked_ahead_window.h"

#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace selvora {
namespace {

SkedAheadWindow::Start jo22ToFn31() {
    return {"2026-12-09 21:30:00", "1296.1", "JO22nb", "FN31pr", 0.0};
}

std::chrono::sys_seconds fixedNow() {
    return std::chrono::sys_seconds{std::chrono::seconds{1'796'851'800}};
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
