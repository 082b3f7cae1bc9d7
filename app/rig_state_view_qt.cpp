#include "app/rig_state_view_qt.h"

#include <QLabel>

#include "rig/rig_state_text.h"
#include "window/qt_text.h"

namespace selvora {

RigStateView::RigStateView(MainWindow& window, WindowTitle& title)
    : window_(window), title_(title) {}

void RigStateView::show(std::optional<SkedScheme> tracked, const RigStatus& status) {
    const std::string state = rigStateText(tracked, status);
    if (state != shownState_) title_.setTitleSuffix(state);
    shownState_ = state;
    const std::string whyNot = status.state == RigStatus::State::Tracking ? "" : status.reason;
    if (tracked == marked_ && whyNot == shownWhyNot_) return;
    if (marked_) markCaption(*marked_, false);
    if (tracked) markCaption(*tracked, true, whyNot);
    marked_ = tracked;
    shownWhyNot_ = whyNot;
}

void RigStateView::markCaption(SkedScheme scheme, bool marked, const std::string& whyNot) {
    const SkedSchemeInfo& info = schemeInfo(scheme);
    QWidget* label = window_.widget(info.captionField);
    QFont font = label->font();
    font.setBold(marked);
    label->setFont(font);
    label->setAccessibleName(marked ? qText(info.caption) + QStringLiteral(", tracked on the rig")
                                    : QString());
    const std::string_view original = kControls[info.captionField.index].toolTip;
    setToolTipAndDescription(*label, qText(marked && !whyNot.empty() ? whyNot : original));
}

}  // namespace selvora
