#include "window/main_window.h"

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include <QApplication>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace selvora {
namespace {

class MainWindowTest : public ::testing::Test {
  protected:
    MainWindowTest()
        : window_(fields_, {[this](FieldId button) { clicked_.push_back(button); },
                            [this](char16_t& key) {
                                keys_.push_back(key);
                                if (key == 13) key = 0;
                            }}) {}

    QWidget* widget(std::string_view name) const { return window_.widget(*findField(name)); }
    QLineEdit* box(std::string_view name) const { return qobject_cast<QLineEdit*>(widget(name)); }
    QRgb pixel(int x, int y) { return window_.grab().toImage().pixel(x, y) & 0xFFFFFF; }

    void showActive() {
        window_.show();
        window_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    }

    Fields fields_;
    MainWindow window_;
    std::vector<FieldId> clicked_;
    std::vector<char16_t> keys_;
};

TEST_F(MainWindowTest, HasTheDocumentedClientAreaAndCaption) {
    EXPECT_EQ(window_.size(), QSize(295, 387));
    EXPECT_EQ(window_.windowTitle(), "wsjt  Selvora v1.3 - Tarnwick");
    EXPECT_EQ(window_.objectName(), "selvora_1_3");
}

TEST_F(MainWindowTest, PlacesControlsAtFifteenTwipsToThePixel) {
    const struct {
        std::string_view name;
        QRect pixels;
    } cases[] = {
        {"tx_full_doppler", {168, 32, 89, 19}},  // 2520, 480, 1335 x 285 twips
        {"azel_path", {8, 360, 249, 25}},
        {"path_warning", {261, 355, 29, 30}},
        {"elevation_scale", {262, -1, 9, 225}},  // starts above the client area
        {"seconds", {200, 176, 57, 48}},
        {"hz1", {190, 10, 49, 15}},  // relative to the frame
        {"credit", {-3, -1, 265, 17}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(widget(c.name)->geometry(), c.pixels) << c.name;
    EXPECT_EQ(window_.widget(phase(0))->size(), QSize(31, 30));
    EXPECT_EQ(window_.widget(phase(1))->size(), QSize(30, 30));
}

TEST_F(MainWindowTest, PutsEveryVisibleControlWithinAPixelOfItsPlace) {
    for (std::uint16_t i = 0; i < kControls.size(); ++i) {
        const ControlSpec& control = kControls[i];
        if (!control.visible || control.kind == Kind::Timer) continue;
        const QRect shown = window_.widget(FieldId{i})->geometry();
        const double pixel = 15.0;
        EXPECT_NEAR(shown.x(), control.at.left / pixel, 1.0) << control.name;
        EXPECT_NEAR(shown.y(), control.at.top / pixel, 1.0) << control.name;
        EXPECT_NEAR(shown.width(), control.at.width / pixel, 1.0) << control.name;
        EXPECT_NEAR(shown.height(), control.at.height / pixel, 1.0) << control.name;
    }
}

// Infinite twips (an absurd elevation in azel.dat) land far off the window on the
// side they point to, never at an arbitrary place such as the window's corner.
TEST(TwipsToPixels, KeepsAnAbsurdElevationBarOffTheWindow) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(twipsToPixels(3930, inf, 135, 0).top(), 1000000);
    EXPECT_EQ(twipsToPixels(3930, -inf, 135, 0).top(), -1000000);
    const QRect bar = twipsToPixels(3930, -inf, 135, inf);  // top + height is NaN
    EXPECT_EQ(bar.left(), 262);
    EXPECT_GE(bar.height(), 0);
}

TEST_F(MainWindowTest, ShowsTheInitialTextsAndHidesTheHiddenControls) {
    showActive();
    EXPECT_EQ(qobject_cast<QLabel*>(widget("path_warning"))->text(), "not found");
    EXPECT_EQ(box("azel_path")->text(), "c:/users/user/AppData/Local/WSJT-X/azel.dat");
    EXPECT_TRUE(qobject_cast<QRadioButton*>(widget("hz10"))->isChecked());
    EXPECT_EQ(box("tx_own_echo")->text(), "");
    EXPECT_TRUE(widget("rx_no_doppler")->isVisible());
    for (std::string_view hidden :
         {"dx_tx_cfom", "tone_check", "moon_age_days", "julian_date", "divider"})
        EXPECT_FALSE(widget(hidden)->isVisible()) << hidden;
    EXPECT_FALSE(window_.widget(phase(4))->isVisible());
    EXPECT_TRUE(window_.widget(phase(5))->isVisible());
}

// The window description's control names stay on the widgets, so each can be
// matched to the description; the code calls them by what they are for.
TEST_F(MainWindowTest, NamesEachWidgetAfterItsControl) {
    EXPECT_EQ(widget("wsjt_period")->objectName(), "Text5");
    EXPECT_EQ(window_.findChild<QWidget*>("Command1"), widget("save_path"));
    EXPECT_EQ(window_.widget(phase(7))->objectName(), "phase(7)");
}

TEST_F(MainWindowTest, DrawsTextBoxesAboveLabelsAndTheMoonAboveTheSky) {
    showActive();
    EXPECT_EQ(pixel(203, 218), 0xFFE0C0u);  // the seconds box covers the red warning
    // ... and a screen reader, which cannot tell what is covered, is not told it.
    EXPECT_FALSE(widget("stale_warning")->isVisible());
    fields_.setVisible(field("seconds"), false);
    fields_.setToolTip(field("stale_warning"), "the file is empty");
    window_.showChanges();
    EXPECT_EQ(pixel(203, 218), 0xFF0000u);  // "AZEL IS NOT UPDATING" shows
    EXPECT_TRUE(widget("stale_warning")->isVisible());
    EXPECT_EQ(widget("stale_warning")->toolTip(), "the file is empty");  // and says why
    EXPECT_EQ(widget("stale_warning")->accessibleDescription(), "the file is empty");
    fields_.setVisible(field("seconds"), true);
    fields_.setToolTip(field("stale_warning"), "");
    window_.showChanges();
    EXPECT_EQ(pixel(203, 218), 0xFFE0C0u);
    EXPECT_FALSE(widget("stale_warning")->isVisible());
    EXPECT_EQ(widget("stale_warning")->toolTip(), "");

    fields_.setTop(field("elevation_bar"), 1672.5f);  // elevation 45
    fields_.setHeight(field("elevation_bar"), 1687.5f);
    window_.showChanges();
    EXPECT_EQ(widget("elevation_bar")->geometry(), QRect(262, 112, 9, 112));
    EXPECT_EQ(pixel(264, 200), 0xFFFF00u);
    EXPECT_EQ(pixel(264, 60), 0x8080FFu);
}

TEST_F(MainWindowTest, StartsInTxFullDopplerAndTabsInTheDocumentedOrder) {
    showActive();
    std::vector<std::string> visited;
    for (std::size_t i = 0; i < std::size(kTabOrder); ++i) {
        visited.push_back(QApplication::focusWidget()->objectName().toStdString());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    std::vector<std::string> expected;
    for (std::string_view id : kTabOrder)
        expected.emplace_back(kControls[findField(id)->index].name);
    expected.back() = "hz10";  // the selected option button of the frame
    EXPECT_EQ(visited, expected);
}

TEST_F(MainWindowTest, PassesTypedKeysToTheSkedHandlerAndSwallowsEnter) {
    showActive();
    QLineEdit* sked = box("sked_frequency");
    sked->setFocus();
    QTest::keyClicks(sked, "432.065");
    QTest::keyClick(sked, Qt::Key_Return);
    EXPECT_EQ(sked->text(), "432.065");
    EXPECT_EQ(fields_.text(field("sked_frequency")), "432.065");
    EXPECT_EQ(keys_, (std::vector<char16_t>{'4', '3', '2', '.', '0', '6', '5', 13}));

    qobject_cast<QPushButton*>(widget("save_path"))->click();
    EXPECT_EQ(clicked_, std::vector<FieldId>{field("save_path")});  // routed by its id
}

TEST_F(MainWindowTest, PushesOnlyWhatChangedAndLeavesTypingAlone) {
    showActive();
    QLineEdit* path = box("azel_path");
    path->setFocus();
    path->setCursorPosition(0);
    QTest::keyClicks(path, "x");
    EXPECT_EQ(fields_.text(field("azel_path")), "xc:/users/user/AppData/Local/WSJT-X/azel.dat");

    fields_.setText(field("moon_azimuth"), "123");
    window_.showChanges();
    EXPECT_EQ(box("moon_azimuth")->text(), "123");
    EXPECT_EQ(path->cursorPosition(), 1);  // not reset by a push

    fields_.select(field("hz1"));
    window_.showChanges();
    EXPECT_TRUE(qobject_cast<QRadioButton*>(widget("hz1"))->isChecked());
    QTest::mouseClick(widget("hz10"), Qt::LeftButton);
    EXPECT_TRUE(fields_.selected(field("hz10")));
}

TEST_F(MainWindowTest, NamesControlsForScreenReaders) {
    EXPECT_EQ(widget("tx_own_echo")->accessibleName(), "Own Echo Tx frequency");
    EXPECT_EQ(widget("rx_full_doppler")->accessibleName(), "Full Doppler Both Ways Rx frequency");
    EXPECT_EQ(widget("mutual_doppler")->accessibleName(), "Mutual Doppler Hz");
    EXPECT_EQ(widget("wsjt_band")->accessibleDescription(),
              "Doppler calculated for this frequency (read from Azel.dat file)");
    for (std::uint16_t i = 0; i < kControls.size(); ++i) {
        if (kControls[i].kind == Kind::TextBox && kControls[i].visible) {
            EXPECT_FALSE(window_.widget(FieldId{i})->accessibleName().isEmpty())
                << kControls[i].name;
        }
    }
}

TEST_F(MainWindowTest, ResolvesTheWindowsFontsToMetricCompatibleOnes) {
    EXPECT_EQ(QFontInfo(widget("local_caption")->font()).family(), "Liberation Sans Narrow");
    EXPECT_EQ(QFontInfo(widget("path_warning")->font()).family(), "Liberation Sans");
    EXPECT_EQ(QFontInfo(widget("credit")->font()).family(), "Carlito");
    EXPECT_EQ(QFontInfo(widget("caption_full_doppler")->font()).family(),
              "Liberation Sans");  // MS Sans Serif
}

// Filled controls paint their background from their paint event, so that Qt keeps no
// union of filled children to work out again on every change of colour; the window
// must look exactly as with Qt's own fill, whatever the colours.
TEST_F(MainWindowTest, FilledBackgroundsLookExactlyAsQtsOwn) {
    showActive();
    fields_.setBackColour(field("freshness_patch"), 0xFF8000);
    fields_.setBackColour(field("moon_age_days"), 0x00FF00);
    fields_.setBackColour(field("caption_full_doppler"), 0x123456);
    fields_.setVisible(field("seconds"), false);
    window_.showChanges();
    const QImage ours = window_.grab().toImage();
    // By its name: BackgroundFill has no meta-object of its own to find it by type.
    auto* fill =
        window_.findChild<QObject*>(QStringLiteral("background_fill"), Qt::FindDirectChildrenOnly);
    ASSERT_NE(fill, nullptr);
    int filled = 0;
    for (std::uint16_t i = 0; i < kControls.size(); ++i) {
        QWidget* control = window_.widget(FieldId{i});
        const Kind kind = kControls[i].kind;
        if (control == nullptr || kind == Kind::TextBox || kind == Kind::Image ||
            kControls[i].transparent)
            continue;
        control->removeEventFilter(fill);
        control->setAutoFillBackground(true);
        ++filled;
    }
    EXPECT_GT(filled, 20);
    EXPECT_TRUE(ours == window_.grab().toImage());
}

}  // namespace
}  // namespace selvora
