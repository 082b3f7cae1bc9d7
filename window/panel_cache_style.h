// The frame and background of a text box, drawn once per look and then copied.
//
// The Fusion style strokes a text box's rounded, antialiased frame on every paint;
// for the few boxes a tick changes that stroke was a third of all the work of a
// steady tick. This style draws it once into a picture for each look (size, state,
// colours, the window colour it lies on, and the pixels of any control already painted
// under its translucent corners) and copies that picture after.
#pragma once

#include <optional>

#include <QHash>
#include <QPixmap>
#include <QProxyStyle>
#include <QRegion>
#include <QStyleOptionFrame>

namespace selvora {

class PanelCacheStyle final : public QProxyStyle {
  public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;

  private:
    // Where the panel of `option` lets what is under it show (its corners).
    const QRegion& translucentOf(const QStyleOptionFrame& option, qreal pixelRatio,
                                 const QWidget* widget) const;
    // The panel drawn on `beneath`, with `shownUnder` (if any) under `translucent`.
    const QPixmap& drawnPanel(const QStyleOptionFrame& option, QColor beneath,
                              const QList<QRgb>& shownUnder, const QRegion& translucent,
                              qreal pixelRatio, const QWidget* widget) const;
    void drawAtOrigin(const QStyleOptionFrame& option, QPaintDevice& device,
                      const QWidget* widget) const;

    mutable QHash<QByteArray, QRegion> translucent_;
    mutable QHash<QByteArray, QPixmap> panels_;
};

// The solid colour of the window `widget` lies straight on, if it does.
std::optional<QColor> windowColourUnder(const QWidget& widget);

// Whether no shown control lies under `area` (in `widget`'s coordinates) of `widget`.
bool nothingUnder(const QWidget& widget, const QRegion& area);

}  // namespace selvora
