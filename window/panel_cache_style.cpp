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

// Whether a pixel of a panel depends on what lies under it: it comes out differently
// drawn on black and on white (blending is monotonic in what is under, so a pixel that
// is the same on both is the same on anything), or is not opaque drawn on nothing.
bool showsWhatIsUnder(QRgb alone, QRgb onBlack, QRgb onWhite) {
    return qAlpha(alone) != 255 || onBlack != onWhite;
}

// The pixels of a panel that depend on what lies under it, in runs along each row. At
// a pixel ratio other than 1, conservatively the whole panel.
QRegion translucentPart(const QImage& alone, const QImage& onBlack, const QImage& onWhite) {
    if (alone.devicePixelRatio() != 1.0)
        return QRegion(QRect(QPoint(0, 0), alone.deviceIndependentSize().toSize()));
    QRegion out;
    for (int y = 0; y < alone.height(); ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(alone.constScanLine(y));
        const auto* b = reinterpret_cast<const QRgb*>(onBlack.constScanLine(y));
        const auto* w = reinterpret_cast<const QRgb*>(onWhite.constScanLine(y));
        for (int x = 0; x < alone.width();) {
            int end = x;
            while (end < alone.width() && showsWhatIsUnder(a[end], b[end], w[end]))
                ++end;
            if (end > x) out += QRect(x, y, end - x, 1);
            x = end + 1;
        }
    }
    return out;
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
        const qreal ratio = painter->device()->devicePixelRatioF();
        const QRegion& translucent = translucentOf(*frame, ratio, widget);
        std::optional<QList<QRgb>> shown{QList<QRgb>{}};
        if (!nothingUnder(*widget, translucent)) shown = pixelsShownUnder(*painter, translucent);
        if (shown) {
            painter->drawPixmap(option->rect.topLeft(),
                                drawnPanel(*frame, *beneath, *shown, translucent, ratio, widget));
            return;
        }
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

// Draws the panel of `option` at the origin of `device`.
void PanelCacheStyle::drawAtOrigin(const QStyleOptionFrame& option, QPaintDevice& device,
                                   const QWidget* widget) const {
    QStyleOptionFrame atOrigin = option;
    atOrigin.rect.moveTopLeft({0, 0});
    QPainter painter(&device);
    QProxyStyle::drawPrimitive(PE_PanelLineEdit, &atOrigin, &painter, widget);
}

const QRegion& PanelCacheStyle::translucentOf(const QStyleOptionFrame& option, qreal pixelRatio,
                                              const QWidget* widget) const {
    const QByteArray look = lookOf(option, Qt::transparent, pixelRatio, {});
    if (auto found = translucent_.constFind(look); found != translucent_.constEnd()) return *found;
    const auto drawnOn = [&](QColor under) {
        QImage image(option.rect.size() * pixelRatio, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(pixelRatio);
        image.fill(under);
        drawAtOrigin(option, image, widget);
        return image;
    };
    if (translucent_.size() >= kMostPanels) translucent_.clear();
    return *translucent_.insert(
        look, translucentPart(drawnOn(Qt::transparent), drawnOn(Qt::black), drawnOn(Qt::white)));
}

const QPixmap& PanelCacheStyle::drawnPanel(const QStyleOptionFrame& option, QColor beneath,
                                           const QList<QRgb>& shownUnder,
                                           const QRegion& translucent, qreal pixelRatio,
                                           const QWidget* widget) const {
    const QByteArray look = lookOf(option, beneath, pixelRatio, shownUnder);
    if (auto found = panels_.constFind(look); found != panels_.constEnd()) return *found;
    QPixmap picture(option.rect.size() * pixelRatio);
    picture.setDevicePixelRatio(pixelRatio);
    picture.fill(beneath);
    if (!shownUnder.isEmpty()) paintUnder(picture, translucent, shownUnder);
    drawAtOrigin(option, picture, widget);
    if (panels_.size() >= kMostPanels) panels_.clear();
    return *panels_.insert(look, picture);
}

}  // namespace selvora
