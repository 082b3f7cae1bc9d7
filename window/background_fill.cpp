#include "window/background_fill.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

namespace selvora {

// As autoFillBackground would: the background role's brush over the area to paint,
// before the control draws itself.
bool BackgroundFill::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        QPainter painter(widget);
        painter.fillRect(static_cast<QPaintEvent*>(event)->rect(),
                         widget->palette().brush(widget->backgroundRole()));
    }
    return false;
}

}  // namespace selvora
