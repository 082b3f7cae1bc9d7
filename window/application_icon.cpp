#include "window/application_icon.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>

#include "window/phase_pictures.h"

namespace selvora {

void useApplicationIcon() {
    // The window carries the same icon itself, installed or not.
    QApplication::setDesktopFileName(QStringLiteral("org.selvora.Selvora"));
    QIcon icon;
    for (const int size : kIconSizes)
        icon.addPixmap(QPixmap::fromImage(renderIcon(size)));
    QApplication::setWindowIcon(icon);
}

}  // namespace selvora
