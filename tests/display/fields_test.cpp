#include "display/fields.h"

#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace selvora {
namespace {

TEST(ControlTable, NamesAndIdsEveryControlOnce) {
    std::set<std::pair<std::string_view, int>> names;
    std::set<std::pair<std::string, int>> ids;
    for (std::uint16_t i = 0; i < kControls.size(); ++i) {
        const ControlSpec& control = kControls[i];
        EXPECT_TRUE(names.insert({control.name, control.index}).second) << control.name;
        const std::string id = control.id.empty()
                                   ? std::string(control.name)
                                   : std::string(control.idPrefix).append(control.id);
        EXPECT_TRUE(ids.insert({id, control.index}).second) << id;
        if (control.index <= 0) {
            EXPECT_EQ(findField(id), FieldId{i}) << id;
        }
    }
    EXPECT_EQ(findField("phase"), phase(0));
    EXPECT_EQ(findField("Text5"), std::nullopt);  // a control name is not an id
    EXPECT_EQ(findField("no_such_control"), std::nullopt);
    EXPECT_THROW(phase(30), std::out_of_range);
    EXPECT_THROW(phase(-1), std::out_of_range);
}

TEST(ControlTable, HidesThirtyEightControlsOutsideTheClientArea) {
    int hidden = 0;
    for (const ControlSpec& control : kControls) {
        if (control.visible || control.kind == Kind::Image) continue;
        ++hidden;
        EXPECT_GE(control.at.left, kClientArea.width) << control.name;
    }
    EXPECT_EQ(hidden, 38);
}

TEST(ControlTable, PlacesThePlanFieldsByRowAndColumn) {
    const struct {
        std::string_view name;
        Twips at;
        bool visible;
    } cases[] = {
        {"rx_full_doppler", {1080, 480, 1335, 285}, true},
        {"tx_full_doppler", {2520, 480, 1335, 285}, true},
        {"tx_call_dx", {2535, 1920, 1335, 285}, true},
        {"dx_rx_own_echo", {4605, 870, 1215, 270}, false},
        {"dx_rx_no_doppler", {4605, 2310, 1215, 255}, false},
        {"dx_tx_cfom", {5925, 1230, 1215, 285}, false},
        {"dx_tone_tx_dx_echo", {7500, 1185, 1215, 330}, false},
    };
    for (const auto& c : cases) {
        const ControlSpec& control = kControls[findField(c.name)->index];
        EXPECT_EQ(
            (std::vector{control.at.left, control.at.top, control.at.width, control.at.height}),
            (std::vector{c.at.left, c.at.top, c.at.width, c.at.height}))
            << c.name;
        EXPECT_EQ(control.visible, c.visible) << c.name;
    }
}

TEST(Fields, StartInTheWindowsInitialState) {
    const Fields fields;
    EXPECT_EQ(fields.text(field("path_warning")), "not found");
    EXPECT_TRUE(fields.visible(field("path_warning")));
    EXPECT_EQ(fields.text(field("azel_path")), "c:/users/user/AppData/Local/WSJT-X/azel.dat");
    EXPECT_EQ(fields.text(field("caption_dx_echo")), "On DX Echo");
    EXPECT_EQ(fields.toolTip(field("caption_dx_echo")), " Sked frequency is DX Tx frequency");
    EXPECT_EQ(fields.toolTip(field("mutual_hz_min")), "Rate of change of mutaul doppler Hz/min");
    EXPECT_EQ(fields.text(field("tone_note")).back(), ' ');
    EXPECT_EQ(fields.text(field("tx_tone_frequency")), "1270");
    EXPECT_EQ(fields.backColour(field("tone_check")), 0xFF0000u);
    EXPECT_EQ(fields.foreColour(field("tone_check")), 0xFFFFFFu);
    EXPECT_TRUE(fields.selected(field("hz10")));
    EXPECT_FALSE(fields.selected(field("hz1")));
    EXPECT_EQ(fields.top(field("elevation_bar")), -15.0f);
    EXPECT_EQ(fields.height(field("elevation_bar")), 15.0f);
    for (std::size_t row = 0; row < std::size(kSchemeRows); ++row)
        for (std::size_t column = 0; column < std::size(kPlanColumns); ++column)
            EXPECT_EQ(fields.text(planField(row, PlanColumnId(column))), "");
    for (int k = 0; k < kPhaseCount; ++k)
        EXPECT_EQ(fields.visible(phase(k)), k >= 5) << k;
}

TEST(Fields, RecordEachChangedPropertyOnce) {
    Fields fields;
    fields.takeChanges([](FieldId, unsigned) {});
    fields.setText(field("moon_azimuth"), "123");
    fields.setText(field("moon_azimuth"), "124");
    fields.setText(field("moon_elevation"), "");  // unchanged: empty already
    fields.setVisible(field("seconds"), false);
    fields.setTop(field("elevation_bar"), 1672.5f);
    fields.setHeight(field("elevation_bar"), 1687.5f);
    fields.acceptTyping(field("sked_frequency"), "1296.1");  // the widget shows it already

    std::vector<std::pair<std::uint16_t, unsigned>> changes;
    fields.takeChanges([&](FieldId id, unsigned mask) { changes.emplace_back(id.index, mask); });
    const std::vector<std::pair<std::uint16_t, unsigned>> expected = {
        {field("seconds").index, kVisibleChanged},
        {field("moon_azimuth").index, kTextChanged},
        {field("elevation_bar").index, kGeometryChanged}};
    EXPECT_EQ(changes, expected);
    EXPECT_EQ(fields.text(field("sked_frequency")), "1296.1");

    int more = 0;
    fields.takeChanges([&](FieldId, unsigned) { ++more; });
    EXPECT_EQ(more, 0);
}

TEST(Fields, SelectingAnOptionDeselectsTheOtherOfItsFrame) {
    Fields fields;
    fields.select(field("hz1"));
    EXPECT_TRUE(fields.selected(field("hz1")));
    EXPECT_FALSE(fields.selected(field("hz10")));
    fields.select(field("hz10"));
    EXPECT_TRUE(fields.selected(field("hz10")));
    EXPECT_FALSE(fields.selected(field("hz1")));
}

}  // namespace
}  // namespace selvora
