#include "window/window_title_view.h"

#include <QApplication>

#include "display/control_table.h"
#include "display/window_title.h"

namespace selvora {

WindowTitleView::WindowTitleView(QWidget& window, Alert alert)
    : window_(window), alert_(std::move(alert)) {
    if (!alert_) alert_ = [](QWidget* widget) { QApplication::alert(widget); };
}

void WindowTitleView::showStale(bool stale) {
    if (stale == stale_) return;
    stale_ = stale;
    applyTitle();
    if (stale_) alert_(&window_);  // once per stop; the desktop ends it when the window is seen
}

void WindowTitleView::setRigState(std::string state) {
    rigState_ = std::move(state);
    applyTitle();
}

void WindowTitleView::setAntennaState(std::string state) {
    antennaState_ = std::move(state);
    applyTitle();
}

void WindowTitleView::applyTitle() {
    std::string suffix = rigState_;
    if (!suffix.empty() && !antennaState_.empty()) suffix += " \u2014 ";
    suffix += antennaState_;
    window_.setWindowTitle(QString::fromStdString(windowTitle(kWindowCaption, stale_, suffix)));
}

}  // namespace selvora
