#include "window/panel_cache_style.h"

#include <QDataStream>
#include <QIODevice>
#include <QImage>
#include <QPainter>
#include <QStyleOption>
#include <QWidget>

namespace selvora {
namespace {

// Enough for every look the window's boxes take (a few colours each); the cache is
// emptied rather than grown should anything ever make more.
constexpr qsizetype kMostPanels = 64;

// Everything a panel's pixels depend on: its size, state, pixel ratio, the colours
// of its palette, and the colour under it.
QByteArray lookOf(const QStyleOptionFrame& option, QColor beneath, qreal pixelRatio) {
    QByteArray key;
    QDataStream out(&key, QIODevice::WriteOnly);
    out << option.rect.size() << static_cast<quint32>(option.state) << pixelRatio
        << static_cast<int>(option.direction) << beneath.rgba() << option.lineWidth
        << option.midLineWidth << static_cast<int>(option.features);
    const QPalette::ColorGroup group = option.palette.currentColorGroup();
    for (int role = 0; role < QPalette::NColorRoles; ++role)
        out << option.palette.color(group, static_cast<QPalette::ColorRole>(role)).rgba();
    return key;
}

// The pixels a picture does not cover whole, in logical pixels (at a pixel ratio
// other than 1, conservatively the whole picture).
QRegion translucentPart(const QImage& image) {
    if (image.devicePixelRatio() != 1.0)
        return QRegion(QRect(QPoint(0, 0), image.deviceIndependentSize().toSize()));
    QRegion out;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 255) out += QRect(x, y, 1, 1);
    return out;
}

}  // namespace

std::optional<QColor> windowColourUnder(const QWidget& widget) {
    const QWidget* parent = widget.parentWidget();
    if (parent == nullptr || !parent->isWindow() || !parent->autoFillBackground())
        return std::nullopt;
    const QBrush background = parent->palette().brush(parent->backgroundRole());
    if (background.style() != Qt::SolidPattern || !background.isOpaque()) return std::nullopt;
    return background.color();
}

// Children are listed bottom to top: the ones before `widget` lie under it.
bool nothingUnder(const QWidget& widget, const QRegion& area) {
    const QRegion inParent = area.translated(widget.pos());
    for (const QObject* child : widget.parentWidget()->children()) {
        if (child == &widget) return true;
        const auto* sibling = qobject_cast<const QWidget*>(child);
        if (sibling != nullptr && !sibling->isHidden() && inParent.intersects(sibling->geometry()))
            return false;
    }
    return true;
}

void PanelCacheStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                    QPainter* painter, const QWidget* widget) const {
    const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
    const std::optional<QColor> beneath =
        element == PE_PanelLineEdit && frame != nullptr && widget != nullptr &&
                option->rect == widget->rect() &&
                painter->transform().type() <= QTransform::TxTranslate
            ? windowColourUnder(*widget)
            : std::nullopt;
    if (beneath) {
        const Panel& panel =
            drawnPanel(*frame, *beneath, painter->device()->devicePixelRatioF(), widget);
        if (nothingUnder(*widget, panel.translucent)) {
            painter->drawPixmap(option->rect.topLeft(), panel.picture);
            return;
        }
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

const PanelCacheStyle::Panel& PanelCacheStyle::drawnPanel(const QStyleOptionFrame& option,
                                                          QColor beneath, qreal pixelRatio,
                                                          const QWidget* widget) const {
    const QByteArray look = lookOf(option, beneath, pixelRatio);
    if (auto found = panels_.constFind(look); found != panels_.constEnd()) return *found;
    QStyleOptionFrame atOrigin = option;
    atOrigin.rect.moveTopLeft({0, 0});
    const auto draw = [&](QPaintDevice& device) {
        QPainter painter(&device);
        QProxyStyle::drawPrimitive(PE_PanelLineEdit, &atOrigin, &painter, widget);
    };
    QPixmap picture(option.rect.size() * pixelRatio);
    picture.setDevicePixelRatio(pixelRatio);
    picture.fill(beneath);
    draw(picture);
    QImage alone(option.rect.size() * pixelRatio, QImage::Format_ARGB32_Premultiplied);
    alone.setDevicePixelRatio(pixelRatio);
    alone.fill(Qt::transparent);
    draw(alone);
    if (panels_.size() >= kMostPanels) panels_.clear();
    return *panels_.insert(look, {picture, translucentPart(alone)});
}

}  // namespace selvora
