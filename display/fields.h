// The Qt-free model of the window's controls: the display fields through which
// every procedure reads and writes, addressed by name (field("moon_azimuth")).
//
// Each setter records what changed, so the Qt view can push exactly those
// properties into the widgets after a handler has run.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "display/control_table.h"

namespace selvora {

// Properties a handler can change, as bits of a change mask.
enum Changed : std::uint16_t {
    kTextChanged = 1 << 0,
    kVisibleChanged = 1 << 1,
    kBackColourChanged = 1 << 2,
    kForeColourChanged = 1 << 3,
    kGeometryChanged = 1 << 4,
    kSelectedChanged = 1 << 5,
    kToolTipChanged = 1 << 6,
    kBoldChanged = 1 << 7,
    kAccessibleNameChanged = 1 << 8,
};

class Fields {
  public:
    // Every control in its initial state.
    Fields();

    // Text of a text box, caption of a label or button.
    const std::string& text(FieldId id) const { return at(id).text; }
    void setText(FieldId id, std::string_view text);

    bool visible(FieldId id) const { return at(id).visible; }
    void setVisible(FieldId id, bool visible);

    Rgb backColour(FieldId id) const { return at(id).back; }
    void setBackColour(FieldId id, Rgb colour);
    Rgb foreColour(FieldId id) const { return at(id).fore; }
    void setForeColour(FieldId id, Rgb colour);

    // Top and height in twips, single precision (only the elevation bar moves).
    float top(FieldId id) const { return at(id).top; }
    float height(FieldId id) const { return at(id).height; }
    void setTop(FieldId id, float twips);
    void setHeight(FieldId id, float twips);

    // Option buttons: selecting one deselects the others of its frame.
    bool selected(FieldId id) const { return at(id).selected; }
    void select(FieldId id);

    const std::string& toolTip(FieldId id) const { return at(id).toolTip; }
    void setToolTip(FieldId id, std::string_view toolTip);

    // Bold or not, in the control's own font.
    bool bold(FieldId id) const { return at(id).bold; }
    void setBold(FieldId id, bool bold);

    // What a screen reader calls the control; empty for the name the table gives it.
    const std::string& accessibleName(FieldId id) const { return at(id).accessibleName; }
    void setAccessibleName(FieldId id, std::string_view name);

    // What the user typed: the widget shows it already, so it is not a change to push.
    void acceptTyping(FieldId id, std::string_view text);

    // Calls apply(FieldId, mask) for every control changed since the last call.
    template <typename Apply>
    void takeChanges(Apply&& apply) {
        for (std::uint16_t i = 0; i < states_.size(); ++i) {
            if (states_[i].changed == 0) continue;
            const auto mask = states_[i].changed;
            states_[i].changed = 0;
            apply(FieldId{i}, mask);
        }
    }

  private:
    struct State {
        std::string text;
        std::string toolTip;
        Rgb back;
        Rgb fore;
        float top;
        float height;
        bool visible;
        bool selected;
        bool bold;
        std::string accessibleName;
        std::uint16_t changed = 0;
    };

    State& at(FieldId id) { return states_[id.index]; }
    const State& at(FieldId id) const { return states_[id.index]; }
    // Sets the property and marks `bit` changed, when the value differs.
    template <typename Property, typename Value>
    void update(FieldId id, Property State::*property, const Value& value, Changed bit);

    std::vector<State> states_;
};

}  // namespace selvora
