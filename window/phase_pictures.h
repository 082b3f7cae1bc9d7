// The thirty moon pictures of the `phase` array, drawn here rather than shipped.
#pragma once

#include <QImage>
#include <QSize>

namespace selvora {

// The moon `age` whole days after new moon (0 to 29), as seen from the northern
// hemisphere, on black: waxing lit on the right, full near 15, waning lit on the
// left. `pixelRatio` > 1 draws a sharper picture for high-DPI screens.
QImage renderPhasePicture(int age, QSize size, qreal pixelRatio = 1.0);

}  // namespace selvora
