#include "window/panel_cache_style.h"

#include <algorithm>
#include <array>
#include <bit>

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QStyleOption>
#include <QWidget>

namespace selvora {
namespace {

// Enough for every look the window's boxes take (a few colours each); the cache is
// emptied rather than grown should anything ever make more.
constexpr qsizetype kMostPanels = 128;

// Everything a panel's pixels depend on: its size, state, pixel ratio, the colours
// of its palette, and the colour under it; then the pixels shown under it, if any.
// Raw words rather than a QDataStream: the key is made on every paint of a box.
QByteArray lookOf(const QStyleOptionFrame& option, QColor beneath, qreal pixelRatio,
                  const QList<QRgb>& shownUnder) {
    const QPalette::ColorGroup group = option.palette.currentColorGroup();
    const auto ratioBits = std::bit_cast<quint64>(pixelRatio);
    std::array<quint32, 10 + QPalette::NColorRoles> words{
        static_cast<quint32>(option.rect.width()),
        static_cast<quint32>(option.rect.height()),
        static_cast<quint32>(option.state),
        static_cast<quint32>(ratioBits),
        static_cast<quint32>(ratioBits >> 32),
        static_cast<quint32>(option.direction),
        beneath.rgba(),
        static_cast<quint32>(option.lineWidth),
        static_cast<quint32>(option.midLineWidth),
        static_cast<quint32>(option.features)};
    for (int role = 0; role < QPalette::NColorRoles; ++role)
        words[10 + role] =
            option.palette.color(group, static_cast<QPalette::ColorRole>(role)).rgba();
    QByteArray key;
    key.reserve(sizeof words + shownUnder.size() * sizeof(QRgb));
    key.append(reinterpret_cast<const char*>(words.data()), sizeof words);
    key.append(reinterpret_cast<const char*>(shownUnder.data()), shownUnder.size() * sizeof(QRgb));
    return key;
}

// The pixels of a panel whose colour depends on what lies under it: those that come
// out differently drawn on black and on white (blending is monotonic in what is under,
// so a pixel that is the same on both is the same on anything), or not opaque on
// nothing. At a pixel ratio other than 1, conservatively the whole panel.
QRegion translucentPart(const QImage& onBlack, const QImage& onWhite, const QImage& alone) {
    if (alone.devicePixelRatio() != 1.0)
        return QRegion(QRect(QPoint(0, 0), alone.deviceIndependentSize().toSize()));
    QRegion out;
    for (int y = 0; y < alone.height(); ++y)
        for (int x = 0; x < alone.width(); ++x)
            if (qAlpha(alone.pixel(x, y)) != 255 || onBlack.pixel(x, y) != onWhite.pixel(x, y))
                out += QRect(x, y, 1, 1);
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

// The pixels already painted under `area` (in the painter's coordinates), row by row,
// when the painter draws straight into an image (the window's backing store, or a
// grab) at one device pixel per pixel and every one of them is opaque.
std::optional<QList<QRgb>> pixelsShownUnder(const QPainter& painter, const QRegion& area) {
    const QPaintEngine* engine = painter.paintEngine();
    const QPaintDevice* device = engine != nullptr ? engine->paintDevice() : nullptr;
    const QTransform toDevice = painter.deviceTransform();
    if (device == nullptr || device->devType() != QInternal::Image ||
        toDevice.type() > QTransform::TxTranslate)
        return std::nullopt;
    const auto& image = *static_cast<const QImage*>(device);
    if (image.depth() != 32 || !image.rect().contains(toDevice.mapRect(area.boundingRect())))
        return std::nullopt;
    QList<QRgb> shown;
    for (const QRect& logical : area) {
        const QRect rect = toDevice.mapRect(logical);
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                shown.append(image.pixel(x, y));
    }
    if (!std::all_of(shown.begin(), shown.end(), [](QRgb p) { return qAlpha(p) == 255; }))
        return std::nullopt;
    return shown;
}

// Paints `pixels` (as read by pixelsShownUnder) back under `area`.
void paintUnder(QPixmap& picture, const QRegion& area, const QList<QRgb>& pixels) {
    QPainter painter(&picture);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    qsizetype next = 0;
    for (const QRect& rect : area)
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                painter.fillRect(QRect(x, y, 1, 1), QColor::fromRgba(pixels[next++]));
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
        const qreal ratio = painter->device()->devicePixelRatioF();
        const Panel* panel = &drawnPanel(*frame, *beneath, {}, ratio, widget);
        if (!nothingUnder(*widget, panel->translucent)) {
            const auto shown = pixelsShownUnder(*painter, panel->translucent);
            panel = shown ? &drawnPanel(*frame, *beneath, *shown, ratio, widget) : nullptr;
        }
        if (panel != nullptr) {
            painter->drawPixmap(option->rect.topLeft(), panel->picture);
            return;
        }
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

const PanelCacheStyle::Panel& PanelCacheStyle::drawnPanel(const QStyleOptionFrame& option,
                                                          QColor beneath,
                                                          const QList<QRgb>& shownUnder,
                                                          qreal pixelRatio,
                                                          const QWidget* widget) const {
    const QByteArray look = lookOf(option, beneath, pixelRatio, shownUnder);
    if (auto found = panels_.constFind(look); found != panels_.constEnd()) return *found;
    QStyleOptionFrame atOrigin = option;
    atOrigin.rect.moveTopLeft({0, 0});
    const auto draw = [&](QPaintDevice& device) {
        QPainter painter(&device);
        QProxyStyle::drawPrimitive(PE_PanelLineEdit, &atOrigin, &painter, widget);
    };
    const auto drawnOn = [&](QColor under) {
        QImage image(option.rect.size() * pixelRatio, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(pixelRatio);
        image.fill(under);
        draw(image);
        return image;
    };
    const QImage alone = drawnOn(Qt::transparent);
    const QImage onBlack = drawnOn(Qt::black);
    const QImage onWhite = drawnOn(Qt::white);
    QPixmap picture(option.rect.size() * pixelRatio);
    picture.setDevicePixelRatio(pixelRatio);
    picture.fill(beneath);
    const QRegion translucent = translucentPart(onBlack, onWhite, alone);
    if (!shownUnder.isEmpty()) paintUnder(picture, translucent, shownUnder);
    draw(picture);
    if (panels_.size() >= kMostPanels) panels_.clear();
    return *panels_.insert(look, {picture, translucent});
}

}  // namespace selvora
