// Writes Selvora's icon as hicolor theme PNGs, one per size:
//   render_icons OUTPUT_DIR ICON_NAME
// gives OUTPUT_DIR/16x16/apps/ICON_NAME.png, ..., OUTPUT_DIR/256x256/apps/ICON_NAME.png.
// The picture is the program's own moon rendering; nothing is drawn from files.
#include <cstdio>

#include <QDir>
#include <QImage>
#include <QString>

#include "window/phase_pictures.h"

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR ICON_NAME\n", argv[0]);
        return 2;
    }
    const QString outputDir = QString::fromLocal8Bit(argv[1]);
    const QString iconName = QString::fromLocal8Bit(argv[2]);
    for (const int size : selvora::kIconSizes) {
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(outputDir).arg(size);
        const QString file = QStringLiteral("%1/%2.png").arg(dir, iconName);
        if (!QDir().mkpath(dir) || !selvora::renderIcon(size).save(file, "PNG")) {
            std::fprintf(stderr, "%s: cannot write %s\n", argv[0], qPrintable(file));
            return 1;
        }
    }
    return 0;
}
