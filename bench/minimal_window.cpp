// The floor for any Qt program that ticks: one window of Selvora's size (295 x 387
// pixels) with one label that shows the first line of a file, read afresh every 480 ms
// on a precise timer, as Selvora's tick is. scripts/program-figures runs it beside
// Selvora under the same conditions.
//   selvora_minimal_window PATH
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QTimer>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc != 2) {
        qWarning("usage: selvora_minimal_window PATH");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    QLabel label(QStringLiteral("waiting for the first tick"));
    label.setWindowTitle(QStringLiteral("minimal window"));
    label.setFixedSize(295, 387);  // Selvora's client area, 4425 x 5805 twips
    label.show();

    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(480);
    QObject::connect(&timer, &QTimer::timeout, &label, [&] {
        QFile file(path);
        label.setText(file.open(QIODevice::ReadOnly)
                          ? QString::fromLatin1(file.readLine().trimmed())
                          : file.errorString());
    });
    timer.start();
    return QApplication::exec();
}
