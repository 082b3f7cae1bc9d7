// The Sked ahead window's warning: in plain sight when the sun sits by the moon or the
// polarization makes the path one-way, gone when nothing spoils the sked or the inputs
// do not read; the copied text carries the same warning and figures.
#include "window/sked_ahead_window.h"

#include <QLabel>
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

}  // namespace
}  // namespace selvora
