#include "window/panel_cache_style.h"

#include <QDataStream>
#include <QIODevice>
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

}  // namespace

std::optional<QColor> plainColourBeneath(const QWidget& widget) {
    const QWidget* parent = widget.parentWidget();
    if (parent == nullptr || !parent->isWindow() || !parent->autoFillBackground())
        return std::nullopt;
    const QBrush background = parent->palette().brush(parent->backgroundRole());
    if (background.style() != Qt::SolidPattern || !background.isOpaque()) return std::nullopt;
    // Children are listed bottom to top: any shown one before the box and under it
    // would show through the frame's antialiased corners.
    for (const QObject* child : parent->children()) {
        if (child == &widget) return background.color();
        const auto* sibling = qobject_cast<const QWidget*>(child);
        if (sibling != nullptr && !sibling->isHidden() &&
            sibling->geometry().intersects(widget.geometry()))
            return std::nullopt;
    }
    return std::nullopt;
}

void PanelCacheStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                    QPainter* painter, const QWidget* widget) const {
    const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
    const std::optional<QColor> beneath = element == PE_PanelLineEdit && frame != nullptr &&
                                                  widget != nullptr &&
                                                  option->rect == widget->rect()
                                              ? plainColourBeneath(*widget)
                                              : std::nullopt;
    if (!beneath || painter->transform().type() > QTransform::TxTranslate) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    const qreal pixelRatio = painter->device()->devicePixelRatioF();
    painter->drawPixmap(option->rect.topLeft(), drawnPanel(*frame, *beneath, pixelRatio, widget));
}

QPixmap PanelCacheStyle::drawnPanel(const QStyleOptionFrame& option, QColor beneath,
                                    qreal pixelRatio, const QWidget* widget) const {
    const QByteArray look = lookOf(option, beneath, pixelRatio);
    if (auto found = panels_.constFind(look); found != panels_.constEnd()) return *found;
    QPixmap panel(option.rect.size() * pixelRatio);
    panel.setDevicePixelRatio(pixelRatio);
    panel.fill(beneath);
    {
        QPainter painter(&panel);
        QStyleOptionFrame copy = option;
        copy.rect.moveTopLeft({0, 0});
        QProxyStyle::drawPrimitive(PE_PanelLineEdit, &copy, &painter, widget);
    }
    if (panels_.size() >= kMostPanels) panels_.clear();
    panels_.insert(look, panel);
    return panel;
}

}  // namespace selvora
