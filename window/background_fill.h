// A control's solid background, painted at the start of its own paint event.
//
// Qt keeps, for each widget, the union of its children that fill their background
// (autoFillBackground) and works it out again after any change of any child's colours.
// The freshness patch changes colour with every new azel.dat record, and the union of
// the window's 27 filled controls cost an eighth of a steady tick's instructions.
// Painting the same fill from the control's paint event gives the same pixels, and Qt
// then has no filled children to keep count of.
#pragma once

#include <QObject>

namespace selvora {

class BackgroundFill final : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace selvora
