#include "display/fields.h"

namespace selvora {

Fields::Fields() {
    states_.reserve(kControls.size());
    for (const ControlSpec& control : kControls) {
        states_.push_back({std::string(control.text), std::string(control.toolTip), control.back,
                           control.fore, static_cast<float>(control.at.top),
                           static_cast<float>(control.at.height), control.visible, control.selected,
                           control.font.bold, std::string{}});
    }
}

template <typename Property, typename Value>
void Fields::update(FieldId id, Property State::*property, const Value& value, Changed bit) {
    State& state = at(id);
    if (state.*property == value) return;
    state.*property = value;
    state.changed |= bit;
}

void Fields::acceptTyping(FieldId id, std::string_view text) {
    at(id).text.assign(text);
}

void Fields::setText(FieldId id, std::string_view text) {
    update(id, &State::text, text, kTextChanged);
}
void Fields::setToolTip(FieldId id, std::string_view toolTip) {
    update(id, &State::toolTip, toolTip, kToolTipChanged);
}

void Fields::setBold(FieldId id, bool bold) {
    update(id, &State::bold, bold, kBoldChanged);
}
void Fields::setAccessibleName(FieldId id, std::string_view name) {
    update(id, &State::accessibleName, name, kAccessibleNameChanged);
}

void Fields::setVisible(FieldId id, bool visible) {
    update(id, &State::visible, visible, kVisibleChanged);
}
void Fields::setBackColour(FieldId id, Rgb colour) {
    update(id, &State::back, colour, kBackColourChanged);
}
void Fields::setForeColour(FieldId id, Rgb colour) {
    update(id, &State::fore, colour, kForeColourChanged);
}
void Fields::setTop(FieldId id, float twips) {
    update(id, &State::top, twips, kGeometryChanged);
}
void Fields::setHeight(FieldId id, float twips) {
    update(id, &State::height, twips, kGeometryChanged);
}

void Fields::select(FieldId id) {
    const std::string_view frame = kControls[id.index].container;
    for (std::uint16_t i = 0; i < states_.size(); ++i) {
        const ControlSpec& control = kControls[i];
        if (control.kind == Kind::OptionButton && control.container == frame)
            update(FieldId{i}, &State::selected, i == id.index, kSelectedChanged);
    }
}

}  // namespace selvora
