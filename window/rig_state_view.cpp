#include "window/rig_state_view.h"

#include "display/scheme_fields.h"
#include "rig/rig_state_text.h"

namespace selvora {

RigStateView::RigStateView(MainWindow& window, Fields& fields, WindowTitleView& title)
    : window_(window), fields_(fields), title_(title) {}

void RigStateView::show(std::optional<SkedScheme> tracked, const RigStatus& status) {
    const std::string state =
        rigStateText(tracked ? std::optional(schemeInfo(*tracked).caption) : std::nullopt, status);
    if (state != shownState_) title_.setRigState(state);
    shownState_ = state;
    const std::string whyNot = status.state == RigStatus::State::Tracking ? "" : status.reason;
    if (tracked == marked_ && whyNot == shownWhyNot_) return;
    if (marked_) markCaption(*marked_, false);
    if (tracked) markCaption(*tracked, true, whyNot);
    marked_ = tracked;
    shownWhyNot_ = whyNot;
    window_.showChanges();
}

void RigStateView::markCaption(SkedScheme scheme, bool marked, const std::string& whyNot) {
    const SkedSchemeInfo& info = schemeInfo(scheme);
    const FieldId caption = kSchemeFields[schemeRow(scheme)].caption;
    fields_.setBold(caption, marked);
    fields_.setAccessibleName(caption,
                              marked ? std::string(info.caption) + ", tracked on the rig" : "");
    const std::string_view original = kControls[caption.index].toolTip;
    fields_.setToolTip(caption, marked && !whyNot.empty() ? whyNot : original);
}

}  // namespace selvora
