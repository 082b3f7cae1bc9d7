// The thirty moon pictures of the `phase` array, drawn here rather than shipped.
#pragma once

#include <QImage>
#include <QSize>

namespace selvora {

// The moon `age` whole days after new moon (0 to 29), as seen from the northern
// hemisphere, on black: waxing lit on the right, full near 15, waning lit on the
// left. `pixelRatio` > 1 draws a sharper picture for high-DPI screens.
QImage renderPhasePicture(int age, QSize size, qreal pixelRatio = 1.0);

// Selvora's icon, `size` pixels square: the moon a few days before full, on a
// night-sky tile with rounded corners (transparent outside them). It is installed
// at these sizes for the desktop's menus and docks, and is the window's icon.
inline constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256};
QImage renderIcon(int size);

}  // namespace selvora
