// The frame and background of a text box, drawn once per look and then copied.
//
// The Fusion style strokes a text box's rounded, antialiased frame on every paint;
// for the few boxes a tick changes that stroke was a third of all the work of a
// steady tick. This style draws it once into a picture for each look (size, state,
// colours, and the plain colour it lies on) and copies that picture after.
#pragma once

#include <optional>

#include <QHash>
#include <QPixmap>
#include <QProxyStyle>
#include <QStyleOptionFrame>

namespace selvora {

class PanelCacheStyle final : public QProxyStyle {
  public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;

  private:
    QPixmap drawnPanel(const QStyleOptionFrame& option, QColor beneath, qreal pixelRatio,
                       const QWidget* widget) const;

    mutable QHash<QByteArray, QPixmap> panels_;
};

// The plain colour `widget` is painted on, when it lies straight on its window's
// solid background with no visible control under it; otherwise nothing.
std::optional<QColor> plainColourBeneath(const QWidget& widget);

}  // namespace selvora
